// A window's composed pixels on the screen: presented at the screen's scale, rescaled when
// the window moves to a screen of another density, and captured.
#include <algorithm>

#include "gui/Window.h"

namespace gui {
namespace {

platform::Rect ToPlatform(const Rect& r) {
  return {r.left, r.top, r.right, r.bottom};
}

}  // namespace

void Window::Rescale(int scale, int x, int y) {
  scale_ = std::max(scale, 100);
  scaled_whole_ = false;
  syncing_bounds_ = true;
  SetBounds(x, y, Width(), Height());
  syncing_bounds_ = false;
  native_->SetBounds(x, y, ScreenWidth(), ScreenHeight());
  if (Visible()) Present({});
}

void Window::Present(const std::vector<Rect>& rects) {
  std::vector<platform::Rect> native;
  native.reserve(rects.size());
  if (scale_ == 100) {
    for (const Rect& r : rects) native.push_back(ToPlatform(r));
    native_->Present({surface_.Data(), surface_.Width(), surface_.Height(), surface_.Stride()},
                     native);
    return;
  }
  if (rects.empty() || !scaled_whole_ || scaled_.Width() != ScreenWidth() ||
      scaled_.Height() != ScreenHeight()) {
    scaler_.Scale(surface_, scale_, scaled_);
    scaled_whole_ = true;
  } else {
    for (const Rect& r : rects) {
      const Rect screen = ScaledRect(r, scale_);
      scaler_.Scale(surface_, scale_, scaled_, screen);
      native.push_back(ToPlatform(screen));
    }
  }
  native_->Present({scaled_.Data(), scaled_.Width(), scaled_.Height(), scaled_.Stride()}, native);
}

void Window::PresentArea(const Rect& area) {
  const Rect r = area.Intersect(ClientRect());
  if (r.Empty() || !Visible()) return;
  Present({r});
}

Bitmap Window::CaptureArea(const Rect& area) {
  Update();
  PaintPending();  // a hidden window paints too, without presenting
  Bitmap copy(std::max(area.Width(), 0), std::max(area.Height(), 0), Bitmap::Format::Bgra32);
  const Rect inside = area.Intersect(ClientRect());
  for (int y = inside.top; y < inside.bottom; ++y) {
    std::copy_n(surface_.Row(y) + inside.left * 4, size_t(inside.Width()) * 4,
                copy.Row(y - area.top) + (inside.left - area.left) * 4);
  }
  return copy;
}

}  // namespace gui
