#include "gui/ImageCodec.h"

#include <algorithm>
#include <array>

namespace gui {

namespace {

struct Signature {
  ImageFormat format;
  std::array<uint8_t, 8> bytes;
  size_t length;
};
constexpr Signature kSignatures[] = {
    // format           leading bytes                                     length
    {ImageFormat::Png, {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A}, 8},
    {ImageFormat::Jpeg, {0xFF, 0xD8, 0xFF}, 3},
    {ImageFormat::Bmp, {'B', 'M'}, 2},
};

}  // namespace

ImageFormat DetectImageFormat(std::span<const uint8_t> bytes) {
  for (const Signature& s : kSignatures) {
    if (bytes.size() >= s.length &&
        std::equal(s.bytes.begin(), s.bytes.begin() + s.length, bytes.begin())) {
      return s.format;
    }
  }
  return ImageFormat::Unknown;
}

std::optional<DecodedImage> DecodeImage(std::span<const uint8_t> bytes) {
  switch (DetectImageFormat(bytes)) {
    case ImageFormat::Png:
      return DecodePng(bytes);
    case ImageFormat::Jpeg:
      return DecodeJpeg(bytes);
    case ImageFormat::Bmp:
      return DecodeBmp(bytes);
    case ImageFormat::Unknown:
      break;
  }
  return std::nullopt;
}

}  // namespace gui
