#include "gui/Canvas.h"

#include <algorithm>

#include "gui/CanvasSpans.h"

namespace gui {

namespace {

inline void Put(uint8_t* p, Color c) {
  p[0] = Blue(c);
  p[1] = Green(c);
  p[2] = Red(c);
}

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

}  // namespace gui
