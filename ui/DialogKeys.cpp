#include "ui/DialogKeys.h"

#include <algorithm>

namespace ui {

DialogKeys::DialogKeys(gui::Window& dialog, std::vector<DialogButton*> buttons,
                       DialogButton& defaultButton, std::function<void()> cancel)
    : buttons_(std::move(buttons)),
      default_(
          size_t(std::find(buttons_.begin(), buttons_.end(), &defaultButton) - buttons_.begin())),
      focus_(default_),
      cancel_(std::move(cancel)) {
  buttons_[focus_]->SetFocused(true);
  dialog.OnShow = [this](gui::Window&) { Focus(default_); };
  dialog.OnKeyDown = [this](gui::Window&, int key, uint8_t modifiers) { KeyDown(key, modifiers); };
}

void DialogKeys::KeyDown(int key, uint8_t modifiers) {
  const size_t count = buttons_.size();
  switch (key) {
    case gui::keys::kTab:
      Focus((modifiers & gui::modifiers::kShift) ? (focus_ + count - 1) % count
                                                 : (focus_ + 1) % count);
      break;
    case gui::keys::kReturn:
      Focused().Press();
      break;
    case gui::keys::kEscape:
      cancel_();
      break;
    default:
      break;
  }
}

void DialogKeys::Focus(size_t index) {
  buttons_[focus_]->SetFocused(false);
  focus_ = index;
  buttons_[focus_]->SetFocused(true);
}

}  // namespace ui
