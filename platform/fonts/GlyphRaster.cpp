#include "platform/fonts/GlyphRaster.h"

#include <algorithm>

namespace platform {

std::vector<uint8_t> CoverageFromRows(const uint8_t* rows, ptrdiff_t pitch, int width, int height,
                                      RowFormat format, int levels, bool antialias) {
  std::vector<uint8_t> coverage(size_t(std::max(width, 0)) * size_t(std::max(height, 0)), 0);
  for (int y = 0; y < height; ++y) {
    const uint8_t* row = rows + ptrdiff_t(y) * pitch;
    uint8_t* out = coverage.data() + size_t(y) * size_t(width);
    for (int x = 0; x < width; ++x) {
      uint8_t value = 0;
      if (format == RowFormat::Mono) {
        value = (row[x >> 3] & (0x80 >> (x & 7))) ? 255 : 0;
      } else {
        value = uint8_t(std::min(int(row[x]), levels - 1) * 255 / std::max(levels - 1, 1));
        if (!antialias) value = value >= 128 ? 255 : 0;
      }
      out[x] = value;
    }
  }
  return coverage;
}

}  // namespace platform
