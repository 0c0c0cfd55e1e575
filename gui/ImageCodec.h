// Decoding of the artwork's images from memory: JPEG, PNG and BMP. Every image comes
// out top-down at 32 bits per pixel with its alpha in the fourth byte (255 where the
// file has none). The JPEG and PNG decoders sit behind the two functions below, so a
// build for another system can put its own image library there.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "gui/Bitmap.h"

namespace gui {

enum class ImageFormat : uint8_t { Unknown, Bmp, Png, Jpeg };

struct DecodedImage {
  Bitmap bitmap;             // Bgra32
  bool transparent = false;  // some pixel has alpha below 255
};

// Recognises a format by its signature bytes.
ImageFormat DetectImageFormat(std::span<const uint8_t> bytes);

// Any of the three formats, chosen by signature; nothing for unknown or damaged data.
std::optional<DecodedImage> DecodeImage(std::span<const uint8_t> bytes);

std::optional<DecodedImage> DecodeJpeg(std::span<const uint8_t> bytes);
std::optional<DecodedImage> DecodePng(std::span<const uint8_t> bytes);
std::optional<DecodedImage> DecodeBmp(std::span<const uint8_t> bytes);

// The largest width or height accepted, so a damaged header cannot ask for gigabytes.
inline constexpr int kMaxImageSide = 16384;

}  // namespace gui
