// The desktop window backend over SDL2: borderless top-level windows that show our
// composed frames through the window surface (no OpenGL), input, cursors, dragging a
// window by hand from the pointer's screen position, owned windows (the window manager
// keeps them above their owners), disabled windows, and a wake-up from other threads.
// The session's end (SIGINT, SIGTERM) arrives as a Quit event; closing the last window
// does not.
#pragma once

#include <atomic>
#include <cstdint>
#include <deque>
#include <memory>
#include <vector>

#include "platform/Window.h"
#include "platform/sdl/SystemClock.h"

namespace platform {

class SdlWindow;

class SdlBackend : public Backend {
 public:
  // Initialises SDL's video; throws std::runtime_error ("cannot open a window: ...") when
  // no display can be opened. SDL's drivers that show nothing are used only when
  // SDL_VIDEODRIVER asks for one.
  SdlBackend();
  ~SdlBackend() override;
  SdlBackend(const SdlBackend&) = delete;
  SdlBackend& operator=(const SdlBackend&) = delete;

  std::unique_ptr<NativeWindow> OpenWindow(const WindowOptions& options) override;
  Rect WorkArea() override;
  bool PollEvent(Event& event) override;
  void WaitEvents(int64_t deadlineUs) override;
  void Wake() override;
  Clock& GetClock() override { return clock_; }
  // The scale every window is shown at: the screen's density or TACHORA_SCALE.
  int Scale() const { return scale_; }

 private:
  friend class SdlWindow;
  struct Drag {
    SdlWindow* window = nullptr;
    int mouseX = 0, mouseY = 0, windowX = 0, windowY = 0;  // on the screen, at the press
    int lastX = 0, lastY = 0;                              // where the window was last put
  };
  // Turns one SDL event into ours (or none), handling drags and wake-ups itself.
  void Translate(const void* sdlEvent);
  // Puts the dragged window where the pointer now is.
  void FollowDrag();
  void Forget(SdlWindow* window);
  SdlWindow* Find(uint32_t sdlWindowId) const;
  void ApplyCursor(SdlWindow* window);
  // A disabled window was pressed or given the focus: its frontmost enabled owned window
  // comes to the front instead.
  void RaiseEnabledOwned(const SdlWindow* window);

  SystemClock clock_;
  uint32_t wake_event_ = 0;
  std::atomic<bool> wake_pending_{false};
  std::vector<SdlWindow*> windows_;
  std::deque<Event> pending_;
  Drag drag_;
  int scale_ = 100;
  uint64_t raise_count_ = 0;               // orders the windows by when they last came to the front
  void* cursors_[2] = {nullptr, nullptr};  // SDL_Cursor*, by Cursor
};

}  // namespace platform
