// Two small pictures whose every pixel can be told apart, and one frame of a style
// composed from them, for the transition style tests.
#pragma once

#include <cstdint>
#include <cstring>

#include "controls/TransitionStyles.h"

namespace controls::testing_pictures {

// Raw 32-bit pixels as the bitmap stores them: blue in the lowest byte, then green, red
// and the fourth byte.
inline uint32_t At(const gui::Bitmap& bitmap, int x, int y) {
  uint32_t pixel;
  std::memcpy(&pixel, bitmap.Row(y) + size_t(x) * 4, 4);
  return pixel;
}

inline void Put(gui::Bitmap& bitmap, int x, int y, uint32_t pixel) {
  std::memcpy(bitmap.Row(y) + size_t(x) * 4, &pixel, 4);
}

// The old picture: blue y, green x, red 0x10, fourth byte 0x11. The new one: blue 255 - y,
// green 255 - x, red 0xE0, fourth byte 0x22. So every pixel of either is unique, and
// every channel differs between the two at the same place (for pictures up to 128 wide
// and high).
inline uint32_t OldPixel(int x, int y) {
  return 0x11000000u | (0x10u << 16) | (uint32_t(x) << 8) | uint32_t(y);
}
inline uint32_t NewPixel(int x, int y) {
  return 0x22000000u | (0xE0u << 16) | (uint32_t(255 - x) << 8) | uint32_t(255 - y);
}

// Whether a pixel is any pixel of the old or the new picture of that size.
inline bool IsPixelOfEither(uint32_t pixel, int w, int h) {
  const int green = int(pixel >> 8 & 0xFF);
  const int blue = int(pixel & 0xFF);
  if (green < w && blue < h && pixel == OldPixel(green, blue)) return true;
  return 255 - green < w && 255 - blue < h && pixel == NewPixel(255 - green, 255 - blue);
}

inline gui::Bitmap Picture(int w, int h, uint32_t (*pixel)(int, int)) {
  gui::Bitmap bitmap(w, h);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) Put(bitmap, x, y, pixel(x, y));
  }
  return bitmap;
}

// The frame a style composes from `old` toward `image` at a progress.
inline gui::Bitmap Frame(int style, const gui::Bitmap& old, const gui::Bitmap& image,
                         int progress) {
  gui::Bitmap screen = old;
  const ScaledExtent e = ScaleByProgress(old.Width(), old.Height(), progress);
  TransitionRoutineOf(style)(screen, image, old.Width(), old.Height(), e.x, e.y, progress);
  return screen;
}

// How many pixels of a frame are the new picture's own.
inline int NewPixelsOf(const gui::Bitmap& frame) {
  int count = 0;
  for (int y = 0; y < frame.Height(); ++y) {
    for (int x = 0; x < frame.Width(); ++x) count += At(frame, x, y) == NewPixel(x, y);
  }
  return count;
}

}  // namespace controls::testing_pictures
