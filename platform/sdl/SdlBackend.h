// The desktop window backend over SDL2: borderless top-level windows that show our
// composed frames through the window surface (no OpenGL), input, cursors, dragging a
// window by hand from the pointer's screen position, owned windows (the window manager
// keeps them above their owners), disabled windows, and a wake-up from other threads.
// The session's end (SIGINT, SIGTERM) arrives as a Quit event; closing the last window
// does not.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/BackendCore.h"
#include "platform/Window.h"
#include "platform/sdl/SystemClock.h"

struct SDL_Cursor;
union SDL_Event;

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
    HandDrag hand;
    HandDrag::Point last;  // where the window was last put
  };
  // Turns one SDL event into ours (or none), handling drags and wake-ups itself.
  void Translate(const SDL_Event& e);
  void TranslateWindowEvent(const SDL_Event& e);
  void TranslateButton(const SDL_Event& e);
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
  WakeLatch wake_;
  std::vector<SdlWindow*> windows_;
  EventQueue pending_;
  Drag drag_;
  int scale_ = 100;
  uint64_t raise_count_ = 0;  // orders the windows by when they last came to the front
  SDL_Cursor* cursors_[2] = {nullptr, nullptr};  // by Cursor
};

}  // namespace platform
