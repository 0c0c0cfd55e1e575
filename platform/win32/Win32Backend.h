// The window backend over Win32: popup windows that show our composed frames from a
// DIB section, dialogs owned by the main window, input with mouse capture, dragging a
// window by hand, waits on the message queue and a wake-up through a hidden message
// window. The program runs with a 1 ms system timer period while the backend exists.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/BackendCore.h"
#include "platform/Window.h"
#include "platform/win32/Win32Clock.h"

namespace platform {

class Win32Window;

class Win32Backend : public Backend {
 public:
  Win32Backend();
  ~Win32Backend() override;
  Win32Backend(const Win32Backend&) = delete;
  Win32Backend& operator=(const Win32Backend&) = delete;

  std::unique_ptr<NativeWindow> OpenWindow(const WindowOptions& options) override;
  Rect WorkArea() override;
  bool PollEvent(Event& event) override;
  void WaitEvents(int64_t deadlineUs) override;
  void Wake() override;
  Clock& GetClock() override { return clock_; }

  // The system window of an open window (an HWND), for tests and the shell.
  static void* Handle(const NativeWindow& window);

 private:
  friend class Win32Window;
  void Push(const Event& event) { pending_.Push(event); }
  void Forget(Win32Window* window);

  Win32Clock clock_;
  void* wake_window_ = nullptr;  // HWND of a message-only window
  WakeLatch wake_;
  EventQueue pending_;
  uint32_t next_id_ = 1;
  Win32Window* pointer_window_ = nullptr;  // the window whose pointer leave is tracked
};

}  // namespace platform
