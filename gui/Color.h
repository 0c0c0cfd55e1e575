// Colours are 0x00BBGGRR: red in the lowest byte, as the program's palette writes them.
// A value 0xFF0000nn names the system colour nn and is resolved by SystemColor.
#pragma once

#include <cstdint>

namespace gui {

using Color = uint32_t;

constexpr Color Rgb(uint8_t r, uint8_t g, uint8_t b) {
  return Color(r) | (Color(g) << 8) | (Color(b) << 16);
}
constexpr uint8_t Red(Color c) {
  return uint8_t(c);
}
constexpr uint8_t Green(Color c) {
  return uint8_t(c >> 8);
}
constexpr uint8_t Blue(Color c) {
  return uint8_t(c >> 16);
}

constexpr bool IsSystemColor(Color c) {
  return (c & 0xFF000000u) == 0xFF000000u;
}

// The classic desktop palette for system colour numbers (0xFF0000nn); anything else
// is returned unchanged.
Color SystemColor(Color c);

}  // namespace gui
