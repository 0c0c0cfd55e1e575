// The window backends' contract on the SDL backend against a real X server (Xvfb in CI,
// no window manager needed). The pointer is moved by the server itself (XWarpPointer),
// so entering, leaving, motion and a hand drag's following are the real thing. Presses
// are SDL's own button events pushed onto its queue, at the window SDL sees under the
// pointer: without the XTest extension no client can press a button, so the server's
// implicit pointer grab of a held button is never there and capture cannot be driven.
// Coming to the front goes through the window manager, which a bare server lacks: which
// window a disabled owner's press brings forward cannot be seen here either.
#include <SDL.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "platform/sdl/SdlBackend.h"
#include "platform/sdl/SdlWindow.h"
#include "tests/platform/BackendContract.h"
// Last: its macros and type names would change the project's own headers.
#include <X11/Xlib.h>

namespace platform {
namespace {

class SdlDriver {
 public:
  static constexpr bool kCaptures = false;
  static constexpr bool kShowsFocus = false;
  static const char* Unavailable() {
    const char* display = std::getenv("DISPLAY");
    if (display && *display) return nullptr;
    return "no display (DISPLAY is not set): the SDL backend's contract runs under xvfb-run";
  }

  Backend& Get() { return backend_; }
  int SettleMs() const { return 150; }
  void MovePointer(int x, int y) {
    XWarpPointer(display_, None, DefaultRootWindow(display_), 0, 0, 0, 0, x, y);
    XSync(display_, False);
    x_ = x;
    y_ = y;
  }
  void PressLeft() { PushButton(SDL_MOUSEBUTTONDOWN, SDL_PRESSED); }
  void ReleaseLeft() { PushButton(SDL_MOUSEBUTTONUP, SDL_RELEASED); }
  void AskToClose(const NativeWindow& window) {
    SDL_Event e{};
    e.type = SDL_WINDOWEVENT;
    e.window.event = SDL_WINDOWEVENT_CLOSE;
    e.window.windowID = window.Id();
    SDL_PushEvent(&e);
  }
  Point Position(const NativeWindow& window) const {
    Point p;
    SDL_GetWindowPosition(static_cast<const SdlWindow&>(window).Handle(), &p.x, &p.y);
    return p;
  }
  bool HasFocus(const NativeWindow&) const { return false; }

 private:
  void PushButton(Uint32 type, Uint8 state) {
    // SDL learns which window the pointer is in from the server's events: let them in.
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    SDL_PumpEvents();
    SDL_Window* under = SDL_GetMouseFocus();
    int left = 0, top = 0;
    if (under) SDL_GetWindowPosition(under, &left, &top);
    SDL_Event e{};
    e.type = type;
    e.button.windowID = under ? SDL_GetWindowID(under) : 0;
    e.button.button = SDL_BUTTON_LEFT;
    e.button.state = state;
    e.button.clicks = 1;
    e.button.x = x_ - left;
    e.button.y = y_ - top;
    SDL_PushEvent(&e);
  }

  // Open for the whole run: a server whose last client leaves resets itself, and refuses
  // the next test's connection while it does.
  static Display* Server() {
    static Display* const display = XOpenDisplay(nullptr);
    return display;
  }

  Display* display_ = Server();
  SdlBackend backend_;
  int x_ = 0;
  int y_ = 0;
};

INSTANTIATE_TYPED_TEST_SUITE_P(Sdl, BackendContract, SdlDriver);

}  // namespace
}  // namespace platform
