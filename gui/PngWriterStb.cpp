// PNG encoding for the Windows build, through stb_image_write.
#include <climits>

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
  const int components = channels == PngChannels::Rgba ? 4 : 3;
  const int bpp = bitmap.BytesPerPixel();
  std::vector<uint8_t> pixels(size_t(bitmap.Width()) * size_t(bitmap.Height()) *
                              size_t(components));
  uint8_t* o = pixels.data();
  for (int y = 0; y < bitmap.Height(); ++y) {
    const uint8_t* in = bitmap.Row(y);
    for (int x = 0; x < bitmap.Width(); ++x, in += bpp, o += components) {
      o[0] = in[2];
      o[1] = in[1];
      o[2] = in[0];
      if (components == 4) o[3] = bpp == 4 ? in[3] : 255;
    }
  }
  if (!stbi_write_png_to_func(Append, &out, bitmap.Width(), bitmap.Height(), components,
                              pixels.data(), bitmap.Width() * components)) {
    out.clear();
  }
  return out;
}

}  // namespace gui
