// Points and rectangles in pixels. A Rect is half-open: it covers left..right-1.
#pragma once

#include <algorithm>

namespace gui {

struct Point {
  int x = 0;
  int y = 0;
  bool operator==(const Point&) const = default;
};

struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  static constexpr Rect XYWH(int x, int y, int w, int h) { return {x, y, x + w, y + h}; }
  constexpr int Width() const { return right - left; }
  constexpr int Height() const { return bottom - top; }
  constexpr bool Empty() const { return right <= left || bottom <= top; }
  constexpr bool Contains(Point p) const {
    return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
  }
  constexpr bool Contains(const Rect& r) const {
    return r.left >= left && r.top >= top && r.right <= right && r.bottom <= bottom;
  }
  constexpr Rect Offset(int dx, int dy) const {
    return {left + dx, top + dy, right + dx, bottom + dy};
  }
  constexpr Rect Inflate(int d) const { return {left - d, top - d, right + d, bottom + d}; }
  constexpr Rect Intersect(const Rect& r) const {
    Rect i{std::max(left, r.left), std::max(top, r.top), std::min(right, r.right),
           std::min(bottom, r.bottom)};
    return i.Empty() ? Rect{} : i;
  }
  constexpr Rect Union(const Rect& r) const {
    if (Empty()) return r;
    if (r.Empty()) return *this;
    return {std::min(left, r.left), std::min(top, r.top), std::max(right, r.right),
            std::max(bottom, r.bottom)};
  }
  bool operator==(const Rect&) const = default;
};

}  // namespace gui
