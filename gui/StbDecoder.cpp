#include "gui/StbDecoder.h"

#include <climits>
#include <memory>

#define STB_IMAGE_IMPLEMENTATION
#define STB_IMAGE_STATIC
#define STBI_ONLY_PNG
#define STBI_ONLY_JPEG
#define STBI_NO_STDIO
#define STBI_NO_LINEAR
#define STBI_NO_HDR
#define STBI_MAX_DIMENSIONS 16384  // kMaxImageSide
#include <stb_image.h>

namespace gui {

static_assert(kMaxImageSide == STBI_MAX_DIMENSIONS);

std::optional<DecodedImage> DecodeWithStb(std::span<const uint8_t> bytes) {
  if (bytes.empty() || bytes.size() > size_t(INT_MAX)) return std::nullopt;
  int width = 0, height = 0, channels = 0;
  const std::unique_ptr<stbi_uc, void (*)(void*)> rgba(
      stbi_load_from_memory(bytes.data(), int(bytes.size()), &width, &height, &channels, 4),
      stbi_image_free);
  if (!rgba) return std::nullopt;
  DecodedImage image;
  image.bitmap.Resize(width, height);
  for (int y = 0; y < height; ++y) {
    const stbi_uc* in = rgba.get() + size_t(y) * size_t(width) * 4;
    uint8_t* out = image.bitmap.Row(y);
    for (int x = 0; x < width; ++x, in += 4, out += 4) {
      out[0] = in[2];
      out[1] = in[1];
      out[2] = in[0];
      out[3] = in[3];
      if (in[3] != 255) image.transparent = true;
    }
  }
  return image;
}

}  // namespace gui
