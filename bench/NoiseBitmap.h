// A bitmap of pseudo-random pixels, the same for the same seed: pictures for benchmarks
// that no copy or blend can take a short cut through.
#pragma once

#include <cstdint>

#include "gui/Bitmap.h"

namespace bench {

inline gui::Bitmap Noise(int w, int h, uint32_t seed) {
  gui::Bitmap b(w, h);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      seed = seed * 1103515245u + 12345u;
      b.SetPixel(x, y, seed >> 8);
    }
  }
  return b;
}

}  // namespace bench
