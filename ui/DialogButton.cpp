#include "ui/DialogButton.h"

namespace ui {
namespace {

// The dotted rectangle lies this far inside the button's edge, clear of the bevel.
constexpr int kFocusInset = 4;

}  // namespace

void DialogButton::SetFocused(bool focused) {
  if (focused == focused_) return;
  focused_ = focused;
  Invalidate();
}

void DialogButton::Paint(gui::Canvas& canvas) {
  canvas.Save();
  widgets::PushButton::Paint(canvas);
  canvas.Restore();
  if (!focused_) return;
  const gui::Color mark = Font().color;
  canvas.FrameRect(ClientRect(), mark);
  const gui::Rect r = ClientRect().Inflate(-kFocusInset);
  for (int x = r.left; x < r.right; x += 2) {
    canvas.SetPixel({x, r.top}, mark);
    canvas.SetPixel({x, r.bottom - 1}, mark);
  }
  for (int y = r.top; y < r.bottom; y += 2) {
    canvas.SetPixel({r.left, y}, mark);
    canvas.SetPixel({r.right - 1, y}, mark);
  }
}

}  // namespace ui
