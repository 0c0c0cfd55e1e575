// PNG encoding for the Windows build, through stb_image_write.
#include <climits>

#include "gui/PngRow.h"
#include "gui/PngWriter.h"

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STB_IMAGE_WRITE_STATIC
#define STBI_WRITE_NO_STDIO
#include <stb_image_write.h>

namespace gui {

namespace {

void Append(void* context, void* data, int size) {
  auto* out = static_cast<std::vector<uint8_t>*>(context);
  const auto* bytes = static_cast<const uint8_t*>(data);
  out->insert(out->end(), bytes, bytes + size);
}

}  // namespace

std::vector<uint8_t> EncodePng(const Bitmap& bitmap, PngChannels channels) {
  std::vector<uint8_t> out;
  if (bitmap.Empty() || bitmap.Width() > INT_MAX / 4) return out;
  const bool alpha = channels == PngChannels::Rgba;
  const int components = alpha ? 4 : 3;
  const size_t stride = size_t(bitmap.Width()) * size_t(components);
  std::vector<uint8_t> pixels(stride * size_t(bitmap.Height()));
  for (int y = 0; y < bitmap.Height(); ++y) {
    PackPngRow(bitmap, y, alpha, pixels.data() + size_t(y) * stride);
  }
  if (!stbi_write_png_to_func(Append, &out, bitmap.Width(), bitmap.Height(), components,
                              pixels.data(), bitmap.Width() * components)) {
    out.clear();
  }
  return out;
}

}  // namespace gui
