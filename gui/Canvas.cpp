#include "gui/Canvas.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

namespace gui {

namespace {

inline void Put(uint8_t* p, Color c) {
  p[0] = Blue(c);
  p[1] = Green(c);
  p[2] = Red(c);
}

// Floor and ceiling of a / b for b > 0.
inline int64_t FloorDiv(int64_t a, int64_t b) {
  return a >= 0 ? a / b : -((-a + b - 1) / b);
}
inline int64_t CeilDiv(int64_t a, int64_t b) {
  return -FloorDiv(-a, b);
}

// The horizontal extent of an axis-aligned ellipse's pixels on one row: pixels whose
// centre lies inside the ellipse inscribed in [l, r) x [t, b). Worked in doubled
// coordinates so both halves mirror exactly.
struct Span {
  int left = 0;
  int right = -1;  // inclusive; right < left means empty
  bool Empty() const { return right < left; }
};

int64_t IntSqrt(int64_t v) {
  if (v <= 0) return 0;
  auto r = int64_t(std::sqrt(double(v)));
  while (r * r > v) --r;
  while ((r + 1) * (r + 1) <= v) ++r;
  return r;
}

// A wide pen's band is centred on the outline that a 1-pixel pen draws, the odd pixel of
// an even width on the left and top: the shape grows by half the width around its box.
Rect PenBox(const Rect& r, int width) {
  if (width <= 1) return r;
  return {r.left - width / 2, r.top - width / 2, r.right + (width - 1) / 2,
          r.bottom + (width - 1) / 2};
}

Span EllipseRow(const Rect& box, int y) {
  const int64_t w = box.Width();
  const int64_t h = box.Height();
  if (w <= 0 || h <= 0 || y < box.top || y >= box.bottom) return {};
  // Doubled offsets from the centre: kx = 2x + 1 - (left + right), likewise ky; a pixel
  // is inside when (kx / w)^2 + (ky / h)^2 <= 1, decided in exact integers.
  const int64_t ky = 2 * int64_t(y) + 1 - (box.top + box.bottom);
  const int64_t rest = w * w * (h * h - ky * ky);
  if (rest < 0) return {};
  int64_t k = IntSqrt(rest / (h * h));
  const int64_t sum = box.left + box.right;
  if (((k + sum + 1) & 1) != 0) --k;  // kx has the parity of sum + 1
  if (k < 0) return {};
  return {int((sum - k - 1) / 2), int((sum + k - 1) / 2)};
}

// A pen band with round ends in doubled coordinates (pixel centres are odd numbers):
// a point is covered when it lies within width (doubled radius) of the segment.
struct Band {
  int64_t ax, ay, bx, by, width;
  bool Covers(int64_t px, int64_t py) const {
    const int64_t dx = bx - ax, dy = by - ay;
    const int64_t t = (px - ax) * dx + (py - ay) * dy;
    const int64_t length2 = dx * dx + dy * dy;
    const auto near = [&](int64_t cx, int64_t cy) {
      return (px - cx) * (px - cx) + (py - cy) * (py - cy) <= width * width;
    };
    if (t <= 0 || length2 == 0) return near(ax, ay);
    if (t >= length2) return near(bx, by);
    const int64_t cross = dx * (py - ay) - dy * (px - ax);
    // cross^2 <= width^2 * length2, in long double to keep the products in range.
    return (long double)cross * cross <= (long double)width * width * length2;
  }
};

}  // namespace

Canvas::Canvas(Bitmap& target) : target_(target), clip_{0, 0, target.Width(), target.Height()} {}

// ---- origin and clip ------------------------------------------------------------------

void Canvas::Save() {
  stack_.push_back({origin_, clip_, excluded_});
}

void Canvas::Restore() {
  if (stack_.empty()) return;
  origin_ = stack_.back().origin;
  clip_ = stack_.back().clip;
  excluded_ = std::move(stack_.back().excluded);
  stack_.pop_back();
}

void Canvas::Translate(int dx, int dy) {
  origin_ = {origin_.x + dx, origin_.y + dy};
}

void Canvas::ClipTo(const Rect& r) {
  clip_ = clip_.Intersect(r.Offset(origin_.x, origin_.y));
}

void Canvas::ExcludeClip(const Rect& r) {
  const Rect excluded = r.Offset(origin_.x, origin_.y).Intersect(clip_);
  if (!excluded.Empty()) excluded_.push_back(excluded);
}

Rect Canvas::ClipRect() const {
  return clip_.Offset(-origin_.x, -origin_.y);
}

template <typename Visit>
void Canvas::ForVisible(int y, int x0, int x1, Visit&& visit) {
  if (y < clip_.top || y >= clip_.bottom) return;
  x0 = std::max(x0, clip_.left);
  x1 = std::min(x1, clip_.right);
  if (x0 >= x1) return;
  if (excluded_.empty()) {
    visit(x0, x1);
    return;
  }
  spans_.assign(1, {x0, x1});
  for (const Rect& e : excluded_) {
    if (y < e.top || y >= e.bottom) continue;
    for (size_t i = 0; i < spans_.size();) {
      const auto [a, b] = spans_[i];
      if (e.right <= a || e.left >= b) {
        ++i;
        continue;
      }
      spans_.erase(spans_.begin() + ptrdiff_t(i));
      if (e.left > a) spans_.insert(spans_.begin() + ptrdiff_t(i++), {a, e.left});
      if (e.right < b) spans_.insert(spans_.begin() + ptrdiff_t(i++), {e.right, b});
    }
  }
  for (const auto& [a, b] : spans_) visit(a, b);
}

bool Canvas::Visible(int x, int y) const {
  if (!clip_.Contains(Point{x, y})) return false;
  return std::none_of(excluded_.begin(), excluded_.end(), [&](const Rect& e) {
    return e.Contains(Point{x, y});
  });
}

void Canvas::FillSpan(int y, int x0, int x1, Color color) {
  ForVisible(y, x0, x1, [&](int a, int b) {
    const int bpp = target_.BytesPerPixel();
    uint8_t* p = target_.Row(y) + ptrdiff_t(a) * bpp;
    for (int x = a; x < b; ++x, p += bpp) Put(p, color);
  });
}

// ---- pixels and rectangles ------------------------------------------------------------

void Canvas::SetPixel(Point p, Color color) {
  const int x = p.x + origin_.x;
  FillSpan(p.y + origin_.y, x, x + 1, SystemColor(color));
}

Color Canvas::GetPixel(Point p) const {
  return target_.Pixel(p.x + origin_.x, p.y + origin_.y);
}

void Canvas::FillRect(const Rect& r, Color color) {
  const Rect t = r.Offset(origin_.x, origin_.y).Intersect(clip_);
  const Color c = SystemColor(color);
  for (int y = t.top; y < t.bottom; ++y) FillSpan(y, t.left, t.right, c);
}

void Canvas::FrameRect(const Rect& r, Color color, int width) {
  if (width <= 0 || r.Empty()) return;
  const int wx = std::min(width, (r.Width() + 1) / 2);
  const int wy = std::min(width, (r.Height() + 1) / 2);
  FillRect({r.left, r.top, r.right, r.top + wy}, color);
  FillRect({r.left, r.bottom - wy, r.right, r.bottom}, color);
  FillRect({r.left, r.top + wy, r.left + wx, r.bottom - wy}, color);
  FillRect({r.right - wx, r.top + wy, r.right, r.bottom - wy}, color);
}

void Canvas::Rectangle(const Rect& r) {
  const int w = std::max(pen.width, 0);
  const Rect outer = PenBox(r, w);
  if (!brush.clear) FillRect(outer.Inflate(-w), brush.color);
  FrameRect(outer, pen.color, w);
}

// ---- ellipses -------------------------------------------------------------------------

void Canvas::Ellipse(const Rect& r) {
  if (r.Empty()) return;
  const int w = std::max(pen.width, 0);
  const Rect box = PenBox(r, w).Offset(origin_.x, origin_.y);
  const Color penColor = SystemColor(pen.color);
  const Color brushColor = SystemColor(brush.color);
  for (int y = std::max(box.top, clip_.top); y < std::min(box.bottom, clip_.bottom); ++y) {
    const Span outer = EllipseRow(box, y);
    if (outer.Empty()) continue;
    // The interior: pixels at least w away (horizontally and vertically) from outside.
    Span inner;
    if (w == 0) {
      inner = outer;
    } else {
      const Span above = EllipseRow(box, y - w);
      const Span below = EllipseRow(box, y + w);
      if (!above.Empty() && !below.Empty()) {
        inner = {std::max({outer.left + w, above.left, below.left}),
                 std::min({outer.right - w, above.right, below.right})};
      }
    }
    if (inner.Empty()) {
      if (w > 0) FillSpan(y, outer.left, outer.right + 1, penColor);
      continue;
    }
    if (!brush.clear) FillSpan(y, inner.left, inner.right + 1, brushColor);
    if (w > 0) {
      FillSpan(y, outer.left, inner.left, penColor);
      FillSpan(y, inner.right + 1, outer.right + 1, penColor);
    }
  }
}

// ---- polygons -------------------------------------------------------------------------

void Canvas::FillPolygon(std::span<const Point> points, Color color) {
  if (points.size() < 3) return;
  int top = std::numeric_limits<int>::max();
  int bottom = std::numeric_limits<int>::min();
  for (const Point& p : points) {
    top = std::min(top, p.y + origin_.y);
    bottom = std::max(bottom, p.y + origin_.y);
  }
  top = std::max(top, clip_.top);
  bottom = std::min(bottom, clip_.bottom);
  struct Crossing {
    int64_t first;  // first pixel whose centre lies right of (or on) the edge
    int direction;
  };
  std::vector<Crossing> crossings;
  crossings.reserve(points.size());
  for (int y = top; y < bottom; ++y) {
    crossings.clear();
    for (size_t i = 0; i < points.size(); ++i) {
      Point a = points[i];
      Point b = points[(i + 1) % points.size()];
      a = {a.x + origin_.x, a.y + origin_.y};
      b = {b.x + origin_.x, b.y + origin_.y};
      if (a.y == b.y) continue;
      const int direction = a.y < b.y ? 1 : -1;
      if (a.y > b.y) std::swap(a, b);
      // Row centre y + 0.5 is never on a vertex, so each edge is crossed or not.
      if (y < a.y || y >= b.y) continue;
      // Crossing x = a.x + (y + 0.5 - a.y) * dx / dy = n / (2 dy), in exact integers.
      const int64_t dy = b.y - a.y;
      const int64_t n =
          2 * int64_t(a.x) * dy + (2 * int64_t(y) + 1 - 2 * int64_t(a.y)) * (int64_t(b.x) - a.x);
      // Pixel x is right of the crossing when x + 0.5 >= n / (2 dy).
      crossings.push_back({CeilDiv(n - dy, 2 * dy), direction});
    }
    std::sort(crossings.begin(), crossings.end(),
              [](const Crossing& l, const Crossing& r) { return l.first < r.first; });
    int winding = 0;
    for (size_t i = 0; i + 1 < crossings.size(); ++i) {
      winding += crossings[i].direction;
      const bool inside = fillMode == FillMode::Alternate ? (i % 2 == 0) : winding != 0;
      if (!inside) continue;
      const int64_t x0 = std::max<int64_t>(crossings[i].first, clip_.left);
      const int64_t x1 = std::min<int64_t>(crossings[i + 1].first, clip_.right);
      if (x0 < x1) FillSpan(y, int(x0), int(x1), color);
    }
  }
}

void Canvas::OutlinePolygon(std::span<const Point> points, bool closed) {
  if (pen.width <= 0 || points.empty()) return;
  const Color color = SystemColor(pen.color);
  const auto target = [&](Point p) { return Point{p.x + origin_.x, p.y + origin_.y}; };
  const size_t edges = closed ? points.size() : points.size() - 1;
  if (points.size() == 1) {
    WideLine(target(points[0]), target(points[0]), pen.width, color);
    return;
  }
  for (size_t i = 0; i < edges; ++i) {
    const Point a = target(points[i]);
    const Point b = target(points[(i + 1) % points.size()]);
    if (pen.width == 1) {
      ThinLine(a, b, color);
    } else {
      WideLine(a, b, pen.width, color);
    }
  }
  // An open 1-pixel polyline leaves out its last pixel, as a line does.
}

void Canvas::Polygon(std::span<const Point> points) {
  if (!brush.clear) FillPolygon(points, SystemColor(brush.color));
  OutlinePolygon(points, true);
}

void Canvas::Polyline(std::span<const Point> points) {
  OutlinePolygon(points, false);
}

// ---- lines ----------------------------------------------------------------------------

void Canvas::ThinLine(Point from, Point to, Color color) {
  int x = from.x;
  int y = from.y;
  const int dx = std::abs(to.x - from.x);
  const int dy = -std::abs(to.y - from.y);
  const int sx = from.x < to.x ? 1 : -1;
  const int sy = from.y < to.y ? 1 : -1;
  int error = dx + dy;
  while (x != to.x || y != to.y) {
    FillSpan(y, x, x + 1, color);
    const int e2 = 2 * error;
    if (e2 >= dy) {
      error += dy;
      x += sx;
    }
    if (e2 <= dx) {
      error += dx;
      y += sy;
    }
  }
}

void Canvas::WideLine(Point from, Point to, int width, Color color) {
  // The pen's centre line: through pixel centres for odd widths, corners for even ones.
  const double shift = (width % 2 == 1) ? 0.5 : 0.0;
  const int64_t odd = width % 2;
  const Band band{2 * int64_t(from.x) + odd, 2 * int64_t(from.y) + odd, 2 * int64_t(to.x) + odd,
                  2 * int64_t(to.y) + odd, width};
  const double ax = from.x + shift;
  const double ay = from.y + shift;
  const double bx = to.x + shift;
  const double by = to.y + shift;
  const double radius = width / 2.0;
  const double r2 = radius * radius;
  const double dx = bx - ax;
  const double dy = by - ay;
  const double length2 = dx * dx + dy * dy;
  const int top = std::max(int(std::floor(std::min(ay, by) - radius)) - 1, clip_.top);
  const int bottom = std::min(int(std::ceil(std::max(ay, by) + radius)) + 1, clip_.bottom);
  constexpr double kInf = std::numeric_limits<double>::infinity();
  for (int y = top; y < bottom; ++y) {
    const double yc = y + 0.5;
    double lo = kInf;
    double hi = -kInf;
    // The two round ends.
    for (const auto& [cx, cy] : {std::pair{ax, ay}, std::pair{bx, by}}) {
      const double rest = r2 - (yc - cy) * (yc - cy);
      if (rest < 0) continue;
      const double half = std::sqrt(rest);
      lo = std::min(lo, cx - half);
      hi = std::max(hi, cx + half);
    }
    // The band between them: 0 <= (P - A).d <= |d|^2 and |d x (P - A)| <= r |d|, each
    // linear in x on this row.
    if (length2 > 0) {
      double from_x = -kInf;
      double to_x = kInf;
      const auto clamp = [&](double slope, double offset, double low, double high) {
        // low <= slope * x + offset <= high
        if (slope == 0) {
          if (offset < low || offset > high) to_x = -kInf;
          return;
        }
        double x0 = (low - offset) / slope;
        double x1 = (high - offset) / slope;
        if (x0 > x1) std::swap(x0, x1);
        from_x = std::max(from_x, x0);
        to_x = std::min(to_x, x1);
      };
      clamp(dx, (yc - ay) * dy - ax * dx, 0, length2);
      const double reach = radius * std::sqrt(length2);
      clamp(-dy, dx * (yc - ay) + dy * ax, -reach, reach);
      if (from_x <= to_x) {
        lo = std::min(lo, from_x);
        hi = std::max(hi, to_x);
      }
    }
    // The estimate, made exact against the integer test: the band is convex, so each
    // row is one run of pixels.
    int x0 = 0;
    int x1 = -1;
    if (lo <= hi) {
      x0 = int(std::ceil(lo - 0.5));
      x1 = int(std::floor(hi - 0.5));
    } else if (lo - hi < 2) {
      x0 = x1 = int(std::floor((lo + hi) / 2));
    } else {
      continue;
    }
    const auto covers = [&](int x) { return band.Covers(2 * int64_t(x) + 1, 2 * int64_t(y) + 1); };
    while (x0 <= x1 && !covers(x0)) ++x0;
    while (x1 >= x0 && !covers(x1)) --x1;
    if (x0 > x1) continue;
    while (covers(x0 - 1)) --x0;
    while (covers(x1 + 1)) ++x1;
    FillSpan(y, x0, x1 + 1, color);
  }
}

void Canvas::Line(Point from, Point to) {
  cursor_ = to;
  if (pen.width <= 0) return;
  const Point a{from.x + origin_.x, from.y + origin_.y};
  const Point b{to.x + origin_.x, to.y + origin_.y};
  const Color color = SystemColor(pen.color);
  if (pen.width == 1) {
    ThinLine(a, b, color);
  } else {
    WideLine(a, b, pen.width, color);
  }
}

void Canvas::LineTo(Point p) {
  Line(cursor_, p);
}

// ---- copies ---------------------------------------------------------------------------

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
    const int64_t sx = sourceRect.left + (2 * int64_t(x - full.left) + 1) * sw / (2 * dw);
    columns[size_t(x - visible.left)] = sx >= 0 && sx < source.Width() ? int(sx) * sbpp : -1;
  }
  for (int y = visible.top; y < visible.bottom; ++y) {
    const int64_t sy = sourceRect.top + (2 * int64_t(y - full.top) + 1) * sh / (2 * dh);
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
