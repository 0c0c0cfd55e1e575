// Canvas shapes: rectangles outlined by the pen, ellipses, polygons and lines of any width.
#include <algorithm>
#include <cmath>
#include <limits>

#include "gui/Canvas.h"

namespace gui {

namespace {

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

}  // namespace gui
