// PNG and JPEG decoding through the header-only stb_image: the decoder of the Windows
// build, which has no libpng or libjpeg, and a second opinion on the artwork elsewhere.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "gui/ImageCodec.h"

namespace gui {

// A PNG or a baseline or progressive JPEG; nothing for other or damaged data.
std::optional<DecodedImage> DecodeWithStb(std::span<const uint8_t> bytes);

}  // namespace gui
