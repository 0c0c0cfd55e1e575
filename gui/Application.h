// The program's one application object and its message loop: messages posted from any
// thread, input from the window backend, painting and standard timers, dispatched on the
// GUI thread in the order a desktop message queue has: posted messages and input first,
// then paints, then due timers (a timer fires only when nothing else is pending).
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "gui/Control.h"
#include "platform/Clock.h"
#include "platform/Window.h"

namespace gui {

class Timer;
class Window;

class Application {
 public:
  explicit Application(platform::Backend& backend);
  ~Application();
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;

  // The application of the program (the one made last that still exists).
  static Application& Current();
  static bool Exists();

  platform::Backend& Backend() { return backend_; }
  // The clocks for everything above the platform layer, so tests run on virtual time.
  platform::Clock& Clock() { return backend_.GetClock(); }

  const std::string& Title() const { return title_; }
  void SetTitle(std::string title) { title_ = std::move(title); }

  // The first window made is the main window unless another is set; closing it ends Run.
  Window* MainWindow() const { return main_window_; }
  void SetMainWindow(Window* window) { main_window_ = window; }

  // Thread-safe: queue a message for a control, or a function, and wake the loop.
  void PostMessage(Control& target, uint32_t msg, uintptr_t wParam = 0, intptr_t lParam = 0);
  void Post(std::function<void()> function);

  // Dispatches everything pending: posted messages and input, then paints, then due
  // timers (each timer at most once per call), until nothing is left. Callable from
  // inside any handler.
  void ProcessMessages();
  // Waits, without using the processor, until there is something to dispatch: a posted
  // message, input, a paint or a timer falling due.
  void WaitForWork();
  // Shows the main window and runs the message loop until the program is terminated
  // (the main window closes).
  void Run();
  void Terminate();
  bool Terminated() const { return terminated_; }

  // The innermost modal window, or null.
  Window* ModalWindow() const { return modal_stack_.empty() ? nullptr : modal_stack_.back(); }

 private:
  friend class Timer;
  friend class Window;
  friend class Control;

  struct Posted {
    Control* target = nullptr;
    Message message;
    std::function<void()> function;
  };

  bool DispatchPosted();
  bool DispatchInput();
  bool PaintWindows();
  bool FireDueTimer(std::vector<const Timer*>& fired);
  int64_t NextTimerDueUs() const;
  Window* FindWindow(uint32_t id) const;
  void AddWindow(Window& window);
  void RemoveWindow(Window& window);
  void AddTimer(Timer& timer) { timers_.push_back(&timer); }
  void RemoveTimer(Timer& timer);
  void ForgetTarget(Control& control);

  platform::Backend& backend_;
  std::string title_;
  Window* main_window_ = nullptr;
  std::vector<Window*> windows_;
  std::vector<Window*> modal_stack_;
  std::vector<Timer*> timers_;
  bool terminated_ = false;
  Application* previous_ = nullptr;

  std::mutex posted_mutex_;
  std::deque<Posted> posted_;
};

}  // namespace gui
