// The numbered transition styles of the picture transition control: their names and the
// routines that compose one frame. A routine gets the frame bitmap holding the starting
// image, the new image (both 32 bits per pixel, w x h), the picture's size scaled by the
// progress (x, y) and the progress itself (0 to 100), and writes the frame in place.
// Routines are stateless: a frame depends only on the two images and the progress.
#pragma once

#include <cstdint>
#include <string_view>

#include "gui/Bitmap.h"

namespace controls {

using TransitionRoutine = void (*)(gui::Bitmap& screen, const gui::Bitmap& newImage, int w, int h,
                                   int x, int y, int progress);

// What a style's frames are made of, which says what can be expected of them.
enum class TransitionKind : uint8_t {
  Reveal,   // new pixels replace old ones in place, and the new picture's share only grows
  Turning,  // in place too, but the shape turns, so the share may fall back for a while
  Motion,   // the pictures move, stretch or turn into blocks: every pixel is one of theirs
  Blend,    // every channel lies between the old and the new value of its pixel
};

// Styles 1 to kStyleCount have a routine; style 0 is drawn by the application.
constexpr int kStyleCount = 172;
constexpr int kFadeStyle = 119;
constexpr std::string_view kCustomStyleName = "Custom";

// a * b / c in 64 bits, rounded to the nearest integer (halves away from zero); -1 when
// c is 0.
constexpr int MulDiv(int a, int b, int c) {
  if (c == 0) return -1;
  const int64_t product = int64_t(a) * b;
  const bool negative = (product < 0) != (c < 0);
  const int64_t num = product < 0 ? -product : product;
  const int64_t den = c < 0 ? -int64_t(c) : int64_t(c);
  const int64_t quotient = (num + den / 2) / den;
  return int(negative ? -quotient : quotient);
}

struct ScaledExtent {
  int x = 0;
  int y = 0;
};

// The picture's size scaled by the progress, along its longer side first so that the
// aspect ratio holds.
constexpr ScaledExtent ScaleByProgress(int w, int h, int progress) {
  if (w <= 0 || h <= 0) return {};
  if (h <= w) {
    const int x = MulDiv(w, progress, 100);
    return {x, MulDiv(x, h, w)};
  }
  const int y = MulDiv(h, progress, 100);
  return {MulDiv(y, w, h), y};
}

// "Custom" for 0, the style's name for 1 to 172, empty above.
std::string_view TransitionStyleName(int style);
// The first style whose name matches (any letter case; "Custom" is 0), or -1.
int FindTransitionStyle(std::string_view name);
// The routine of styles 1 to 172; null for 0 and above 172. At progress 0 it leaves the
// starting image and at 100 it gives the new picture exactly.
TransitionRoutine TransitionRoutineOf(int style);
// What the frames of styles 1 to 172 are made of.
TransitionKind TransitionStyleKind(int style);

// Style 119: every blue, green and red byte moves toward the new image's by
// floor((n - s) * a / 256) with a = MulDiv(256, progress, 100); the fourth byte stays.
void Fade(gui::Bitmap& screen, const gui::Bitmap& newImage, int w, int h, int x, int y,
          int progress);

}  // namespace controls
