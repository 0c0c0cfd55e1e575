// The nearest-neighbour mapping of every stretched copy, as colour-on-colour stretching
// does: pixel d of a span of n destination pixels takes pixel floor((d + 0.5) * m / n) of
// the m source pixels, worked in exact integers.
#pragma once

#include <cstdint>

namespace gui {

// The source pixel, counted from the source span's start, of destination pixel d (d >= 0,
// counted from the destination span's start).
constexpr int64_t StretchedSourcePixel(int64_t d, int64_t destSize, int64_t sourceSize) {
  return (2 * d + 1) * sourceSize / (2 * destSize);
}

}  // namespace gui
