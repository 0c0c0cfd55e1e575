// Canvas copies: plain, transparent, blended, tiled and nearest-neighbour stretched.
#include <algorithm>
#include <cstring>

#include "gui/Canvas.h"
#include "gui/CanvasSpans.h"
#include "gui/StretchMapping.h"

namespace gui {

namespace {
enum CopyMode { kCopy, kTransparent, kBlend };
}

void Canvas::Draw(Point at, const Bitmap& source) {
  Draw(at, source, {0, 0, source.Width(), source.Height()});
}

void Canvas::Draw(Point at, const Bitmap& source, const Rect& sourceRect) {
  CopyRows(at, source, sourceRect, kCopy, 0, 255);
}

void Canvas::DrawTransparent(Point at, const Bitmap& source, Color transparent) {
  CopyRows(at, source, {0, 0, source.Width(), source.Height()}, kTransparent,
           SystemColor(transparent), 255);
}

void Canvas::DrawBlended(Point at, const Bitmap& source, uint8_t opacity) {
  CopyRows(at, source, {0, 0, source.Width(), source.Height()}, kBlend, 0, opacity);
}

void Canvas::CopyRows(Point at, const Bitmap& source, const Rect& sourceRect, int mode,
                      Color transparent, uint8_t opacity) {
  const Rect src = sourceRect.Intersect({0, 0, source.Width(), source.Height()});
  if (src.Empty()) return;
  // Source pixel (x, y) lands on target pixel (x + shiftX, y + shiftY).
  const int shiftX = at.x + origin_.x - sourceRect.left;
  const int shiftY = at.y + origin_.y - sourceRect.top;
  const Rect dest = src.Offset(shiftX, shiftY).Intersect(clip_);
  const int sbpp = source.BytesPerPixel();
  const int dbpp = target_.BytesPerPixel();
  const bool sourceAlpha = source.PixelFormat() == Bitmap::Format::Bgra32;
  for (int y = dest.top; y < dest.bottom; ++y) {
    const uint8_t* srow = source.Row(y - shiftY);
    uint8_t* drow = target_.Row(y);
    ForVisible(y, dest.left, dest.right, [&](int a, int b) {
      const uint8_t* s = srow + ptrdiff_t(a - shiftX) * sbpp;
      uint8_t* d = drow + ptrdiff_t(a) * dbpp;
      const int n = b - a;
      if (mode == kCopy) {
        if (sbpp == dbpp) {
          std::memcpy(d, s, size_t(n) * size_t(sbpp));
          return;
        }
        for (int i = 0; i < n; ++i, s += sbpp, d += dbpp) {
          d[0] = s[0];
          d[1] = s[1];
          d[2] = s[2];
          if (dbpp == 4) d[3] = 0;
        }
      } else if (mode == kTransparent) {
        const uint8_t tb = Blue(transparent), tg = Green(transparent), tr = Red(transparent);
        for (int i = 0; i < n; ++i, s += sbpp, d += dbpp) {
          if (s[0] == tb && s[1] == tg && s[2] == tr) continue;
          d[0] = s[0];
          d[1] = s[1];
          d[2] = s[2];
        }
      } else {
        for (int i = 0; i < n; ++i, s += sbpp, d += dbpp) {
          const int alpha = sourceAlpha ? (s[3] * opacity + 127) / 255 : opacity;
          if (alpha == 0) continue;
          for (int c = 0; c < 3; ++c) {
            d[c] = uint8_t((s[c] * alpha + d[c] * (255 - alpha) + 127) / 255);
          }
        }
      }
    });
  }
}

void Canvas::StretchDraw(const Rect& dest, const Bitmap& source) {
  StretchDraw(dest, source, {0, 0, source.Width(), source.Height()});
}

void Canvas::StretchDraw(const Rect& dest, const Bitmap& source, const Rect& sourceRect) {
  if (dest.Empty() || sourceRect.Empty()) return;
  if (dest.Width() == sourceRect.Width() && dest.Height() == sourceRect.Height()) {
    Draw({dest.left, dest.top}, source, sourceRect);
    return;
  }
  const Rect full = dest.Offset(origin_.x, origin_.y);
  const Rect visible = full.Intersect(clip_);
  if (visible.Empty()) return;
  const int64_t dw = full.Width();
  const int64_t dh = full.Height();
  const int64_t sw = sourceRect.Width();
  const int64_t sh = sourceRect.Height();
  const int sbpp = source.BytesPerPixel();
  const int dbpp = target_.BytesPerPixel();
  // Source column of every visible destination column; -1 where it falls outside.
  std::vector<int> columns(size_t(visible.Width()));
  for (int x = visible.left; x < visible.right; ++x) {
    const int64_t sx = sourceRect.left + StretchedSourcePixel(x - full.left, dw, sw);
    columns[size_t(x - visible.left)] = sx >= 0 && sx < source.Width() ? int(sx) * sbpp : -1;
  }
  for (int y = visible.top; y < visible.bottom; ++y) {
    const int64_t sy = sourceRect.top + StretchedSourcePixel(y - full.top, dh, sh);
    if (sy < 0 || sy >= source.Height()) continue;
    const uint8_t* srow = source.Row(int(sy));
    uint8_t* drow = target_.Row(y);
    ForVisible(y, visible.left, visible.right, [&](int a, int b) {
      const int* column = columns.data() + (a - visible.left);
      uint8_t* d = drow + ptrdiff_t(a) * dbpp;
      if (sbpp == 4 && dbpp == 4) {
        for (int x = a; x < b; ++x, ++column, d += 4) {
          if (*column >= 0) std::memcpy(d, srow + *column, 4);
        }
        return;
      }
      for (int x = a; x < b; ++x, ++column, d += dbpp) {
        if (*column < 0) continue;
        const uint8_t* s = srow + *column;
        d[0] = s[0];
        d[1] = s[1];
        d[2] = s[2];
        if (dbpp == 4) d[3] = sbpp == 4 ? s[3] : 0;
      }
    });
  }
}

void Canvas::DrawTiled(const Rect& dest, const Bitmap& source) {
  if (source.Empty() || dest.Empty()) return;
  Save();
  ClipTo(dest);
  const Rect visible = ClipRect();
  // Start at the first tile that reaches into the visible part.
  const int firstX = dest.left + (visible.left - dest.left) / source.Width() * source.Width();
  const int firstY = dest.top + (visible.top - dest.top) / source.Height() * source.Height();
  for (int y = firstY; y < visible.bottom; y += source.Height()) {
    for (int x = firstX; x < visible.right; x += source.Width()) Draw({x, y}, source);
  }
  Restore();
}

}  // namespace gui
