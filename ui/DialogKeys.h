// The keyboard of a dialog with push buttons, as desktop dialogs have it: Tab and
// Shift+Tab move the focus from button to button, Return presses the focused one, Escape
// closes the dialog as its cancel action does. Each time the dialog shows, the focus
// starts on its default button.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "gui/Window.h"
#include "ui/DialogButton.h"

namespace ui {

class DialogKeys {
 public:
  // Takes the dialog's OnShow and OnKeyDown. buttons: in tab order, the default among them.
  DialogKeys(gui::Window& dialog, std::vector<DialogButton*> buttons, DialogButton& defaultButton,
             std::function<void()> cancel);

  DialogButton& Focused() const { return *buttons_[focus_]; }

 private:
  void KeyDown(int key, uint8_t modifiers);
  void Focus(size_t index);

  std::vector<DialogButton*> buttons_;
  size_t default_;
  size_t focus_;
  std::function<void()> cancel_;
};

}  // namespace ui
