#include "widgets/ButtonBase.h"

namespace widgets {

ButtonState ButtonBase::State() const {
  if (!Enabled()) return ButtonState::Rest;
  if (down_ && hover_) return ButtonState::Pressed;
  if (down_ || hover_) return ButtonState::Hover;
  return ButtonState::Rest;
}

void ButtonBase::SetFlags(bool down, bool hover) {
  const ButtonState before = State();
  down_ = down;
  hover_ = hover;
  if (State() != before) Invalidate();
}

void ButtonBase::MouseEnter() {
  SetFlags(down_, true);
  gui::Control::MouseEnter();
}

void ButtonBase::MouseLeave() {
  SetFlags(down_, false);
  gui::Control::MouseLeave();
}

void ButtonBase::MouseDown(gui::MouseButton button, gui::Point at) {
  if (button == gui::MouseButton::Left) SetFlags(true, hover_);
  gui::Control::MouseDown(button, at);
}

void ButtonBase::MouseUp(gui::MouseButton button, gui::Point at) {
  if (button == gui::MouseButton::Left) SetFlags(false, hover_);
  gui::Control::MouseUp(button, at);
}

// Hidden, the button gets no release and no leave: it starts over at rest.
void ButtonBase::VisibleChanged() {
  if (!Visible()) {
    down_ = false;
    hover_ = false;
  }
}

}  // namespace widgets
