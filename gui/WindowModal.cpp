// A window shown modally: a message loop of its own while the other windows take no input.
#include <algorithm>

#include "gui/Application.h"
#include "gui/Window.h"

namespace gui {

int Window::ShowModal() {
  if (modal_) return kModalNone;
  if (app_.Terminated()) return kModalCancel;
  modal_ = true;
  modal_result_ = kModalNone;
  app_.modal_stack_.push_back(this);
  // Disabled by a modal window that runs underneath, it takes input while it runs itself.
  const bool wasEnabled = input_enabled_;
  if (!wasEnabled) SetInputEnabled(true);
  const std::vector<Window*> disabled = DisableOthers();
  // Above every other window, so that it can never wait hidden behind a topmost one.
  const bool lifted =
      !topmost_ && std::any_of(app_.windows_.begin(), app_.windows_.end(), [this](Window* w) {
        return w != this && w->Visible() && w->topmost_;
      });
  if (lifted) native_->SetTopmost(true);
  Show();
  native_->Raise();
  while (true) {
    while (modal_result_ == kModalNone && !app_.Terminated()) {
      app_.ProcessMessages();
      if (modal_result_ == kModalNone && !app_.Terminated()) app_.WaitForWork();
    }
    if (modal_result_ == kModalNone) modal_result_ = kModalCancel;
    bool canClose = true;
    if (OnCloseQuery && !app_.Terminated()) OnCloseQuery(*this, canClose);
    if (canClose) break;
    modal_result_ = kModalNone;
  }
  std::erase(app_.modal_stack_, this);
  modal_ = false;
  for (Window* w : disabled) {
    // A window destroyed meanwhile has left the application's list.
    if (std::find(app_.windows_.begin(), app_.windows_.end(), w) != app_.windows_.end()) {
      w->SetInputEnabled(true);
    }
  }
  if (lifted) native_->SetTopmost(false);
  if (!wasEnabled) SetInputEnabled(false);
  EndClose();
  Window* next = app_.ModalWindow() ? app_.ModalWindow() : owner_;
  if (next && next->Visible()) next->native_->Raise();
  return modal_result_;
}

std::vector<Window*> Window::DisableOthers() {
  std::vector<Window*> disabled;
  for (Window* other : app_.windows_) {
    if (other == this || !other->input_enabled_) continue;
    other->SetInputEnabled(false);
    disabled.push_back(other);
  }
  return disabled;
}

void Window::SetInputEnabled(bool enabled) {
  input_enabled_ = enabled;
  native_->SetEnabled(enabled);
  if (!enabled) ReleasePointer();
}

}  // namespace gui
