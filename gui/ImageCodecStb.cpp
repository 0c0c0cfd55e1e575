// PNG and JPEG decoding for the Windows build, through stb_image.
#include "gui/ImageCodec.h"
#include "gui/StbDecoder.h"

namespace gui {

std::optional<DecodedImage> DecodeJpeg(std::span<const uint8_t> bytes) {
  if (DetectImageFormat(bytes) != ImageFormat::Jpeg) return std::nullopt;
  return DecodeWithStb(bytes);
}

std::optional<DecodedImage> DecodePng(std::span<const uint8_t> bytes) {
  if (DetectImageFormat(bytes) != ImageFormat::Png) return std::nullopt;
  return DecodeWithStb(bytes);
}

}  // namespace gui
