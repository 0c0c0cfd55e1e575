#include "gui/FrameScaler.h"

#include <algorithm>
#include <cstring>

namespace gui {

int ScaledLength(int designLength, int scalePercent) {
  return (designLength * scalePercent + 50) / 100;
}

int DesignCoordinate(int screen, int scalePercent) {
  // Floor division: a pointer left of or above the window maps below 0.
  const int scaled = screen * 100;
  return scaled >= 0 ? scaled / scalePercent : -((-scaled + scalePercent - 1) / scalePercent);
}

Rect ScaledRect(const Rect& design, int scalePercent) {
  if (scalePercent == 100) return design;
  // A screen pixel blends the design pixel it starts in with the next one: one more
  // screen pixel on each side covers the blends that reach into the rectangle.
  const bool whole = scalePercent % 100 == 0;
  const int margin = whole ? 0 : 1;
  return {design.left * scalePercent / 100 - margin, design.top * scalePercent / 100 - margin,
          (design.right * scalePercent + 99) / 100 + margin,
          (design.bottom * scalePercent + 99) / 100 + margin};
}

void FrameScaler::MakeTaps(int designLength, int scalePercent, std::vector<Tap>& taps) {
  const int length = ScaledLength(designLength, scalePercent);
  taps.resize(size_t(length));
  for (int d = 0; d < length; ++d) {
    // Screen pixel d covers the design stretch [100 d / p, 100 (d + 1) / p).
    const int first = std::min(d * 100 / scalePercent, designLength - 1);
    const int inFirst = (first + 1) * scalePercent - d * 100;  // in hundredths of d's width
    taps[size_t(d)] = {first, std::clamp(inFirst * 256 / 100, 0, 256)};
  }
}

void FrameScaler::Scale(const Bitmap& source, int scalePercent, Bitmap& target, const Rect& area) {
  const int w = ScaledLength(source.Width(), scalePercent);
  const int h = ScaledLength(source.Height(), scalePercent);
  if (target.Width() != w || target.Height() != h ||
      target.PixelFormat() != Bitmap::Format::Bgra32) {
    target = Bitmap(w, h, Bitmap::Format::Bgra32);
  }
  if (scale_ != scalePercent || width_ != source.Width() || height_ != source.Height()) {
    MakeTaps(source.Width(), scalePercent, columns_);
    MakeTaps(source.Height(), scalePercent, rows_);
    scale_ = scalePercent;
    width_ = source.Width();
    height_ = source.Height();
  }
  const Rect all{0, 0, w, h};
  const Rect r = area.Empty() ? all : area.Intersect(all);
  if (r.Empty()) return;
  const int bpp = source.BytesPerPixel();
  if (scalePercent % 100 == 0) {
    // Whole factors: every screen pixel is one design pixel, copied.
    const int k = scalePercent / 100;
    for (int y = r.top; y < r.bottom; ++y) {
      const uint8_t* in = source.Row(y / k);
      uint8_t* out = target.Row(y) + size_t(r.left) * 4;
      for (int x = r.left; x < r.right; ++x, out += 4) {
        const uint8_t* p = in + size_t(x / k) * size_t(bpp);
        out[0] = p[0];
        out[1] = p[1];
        out[2] = p[2];
        out[3] = bpp == 4 ? p[3] : 255;
      }
    }
    return;
  }
  const int lastX = source.Width() - 1;
  const int lastY = source.Height() - 1;
  for (int y = r.top; y < r.bottom; ++y) {
    const Tap row = rows_[size_t(y)];
    const uint8_t* upper = source.Row(row.first);
    const uint8_t* lower = source.Row(std::min(row.first + 1, lastY));
    uint8_t* out = target.Row(y) + size_t(r.left) * 4;
    for (int x = r.left; x < r.right; ++x, out += 4) {
      const Tap column = columns_[size_t(x)];
      const size_t a = size_t(column.first) * size_t(bpp);
      const size_t b = size_t(std::min(column.first + 1, lastX)) * size_t(bpp);
      const int wx = column.weight;
      const int wy = row.weight;
      for (int c = 0; c < 3; ++c) {
        const int top = upper[a + size_t(c)] * wx + upper[b + size_t(c)] * (256 - wx);
        const int bottom = lower[a + size_t(c)] * wx + lower[b + size_t(c)] * (256 - wx);
        out[c] = uint8_t((top * wy + bottom * (256 - wy) + (1 << 15)) >> 16);
      }
      out[3] = bpp == 4 ? upper[a + 3] : 255;
    }
  }
}

}  // namespace gui
