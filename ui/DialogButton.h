// A push button of a dialog that can hold the keyboard focus. The focused button, the one
// Return presses, wears a frame in its caption's colour and a dotted focus rectangle
// inside its face.
#pragma once

#include "widgets/PushButton.h"

namespace ui {

class DialogButton : public widgets::PushButton {
 public:
  using widgets::PushButton::PushButton;

  bool Focused() const { return focused_; }
  void SetFocused(bool focused);
  // As a click with the mouse.
  void Press() { Click(); }

 protected:
  void Paint(gui::Canvas& canvas) override;

 private:
  bool focused_ = false;
};

}  // namespace ui
