// One bitmap row as a PNG encoder takes it: red, green, blue (and alpha) per pixel, from
// the bitmap's blue, green, red (and alpha) order. Shared by both PNG encoders.
#pragma once

#include <cstdint>

#include "gui/Bitmap.h"

namespace gui {

// Writes Width() pixels of row y to out, 4 bytes each with alpha (opaque where the bitmap
// has none), else 3.
inline void PackPngRow(const Bitmap& bitmap, int y, bool alpha, uint8_t* out) {
  const int components = alpha ? 4 : 3;
  const int bpp = bitmap.BytesPerPixel();
  const uint8_t* in = bitmap.Row(y);
  for (int x = 0; x < bitmap.Width(); ++x, in += bpp, out += components) {
    out[0] = in[2];
    out[1] = in[1];
    out[2] = in[0];
    if (alpha) out[3] = bpp == 4 ? in[3] : 255;
  }
}

}  // namespace gui
