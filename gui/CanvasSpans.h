// The visible runs of a row after the clip and the exclusions, shared by the files of
// Canvas that fill through it (a template member, so its body lives here).
#pragma once

#include <algorithm>
#include <cstddef>

#include "gui/Canvas.h"

namespace gui {

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

}  // namespace gui
