// Writing a Bitmap as a PNG file: screenshots of composed windows and test artefacts.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "gui/Bitmap.h"

namespace gui {

enum class PngChannels : uint8_t { Rgb, Rgba };  // Rgba keeps the fourth byte as alpha

// The PNG file's bytes; empty for an empty bitmap or on failure.
std::vector<uint8_t> EncodePng(const Bitmap& bitmap, PngChannels channels = PngChannels::Rgb);

// Writes the file; false when it cannot be written.
bool WritePng(const Bitmap& bitmap, const std::string& path,
              PngChannels channels = PngChannels::Rgb);

}  // namespace gui
