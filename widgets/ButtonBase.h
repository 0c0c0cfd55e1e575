// What every button does with the pointer, whatever it looks like: it follows whether the
// pointer is over it and whether the left button went down on it, and repaints when that
// changes what it shows. OnClick fires on a left release inside the button. Each kind of
// button only paints its state.
#pragma once

#include "gui/Control.h"

namespace widgets {

enum class ButtonState { Rest, Hover, Pressed };

class ButtonBase : public gui::Control {
 public:
  // Pressed while held down with the pointer on it; Hover while the pointer is on it, or
  // while it is held down with the pointer off it; Rest otherwise and while disabled.
  ButtonState State() const;
  bool Pressed() const { return State() == ButtonState::Pressed; }

 protected:
  explicit ButtonBase(gui::Control* parent) : gui::Control(parent) {}

  void MouseEnter() override;
  void MouseLeave() override;
  void MouseDown(gui::MouseButton button, gui::Point at) override;
  void MouseUp(gui::MouseButton button, gui::Point at) override;
  void VisibleChanged() override;

 private:
  void SetFlags(bool down, bool hover);

  bool down_ = false;
  bool hover_ = false;
};

}  // namespace widgets
