#include <fstream>

#include "gui/PngWriter.h"

namespace gui {

bool WritePng(const Bitmap& bitmap, const std::string& path, PngChannels channels) {
  const std::vector<uint8_t> bytes = EncodePng(bitmap, channels);
  if (bytes.empty()) return false;
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  return bool(file);
}

}  // namespace gui
