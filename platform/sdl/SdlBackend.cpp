#include "platform/sdl/SdlBackend.h"

#include <SDL.h>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <string_view>

#include "platform/DisplayScale.h"
#include "platform/sdl/GlobalPointer.h"
#include "platform/sdl/ScreenDensity.h"
#include "platform/sdl/SdlWindow.h"
#include "platform/sdl/X11Errors.h"

namespace platform {

namespace {

// SDL key codes whose Windows virtual-key number is not their own upper-case character.
struct KeyRow {
  SDL_Keycode sdl;
  int key;
};
constexpr KeyRow kKeys[] = {
    // sdl             key
    {SDLK_BACKSPACE, keys::kBack},  {SDLK_TAB, keys::kTab},       {SDLK_RETURN, keys::kReturn},
    {SDLK_KP_ENTER, keys::kReturn}, {SDLK_ESCAPE, keys::kEscape}, {SDLK_SPACE, keys::kSpace},
    {SDLK_LEFT, keys::kLeft},       {SDLK_UP, keys::kUp},         {SDLK_RIGHT, keys::kRight},
    {SDLK_DOWN, keys::kDown},       {SDLK_F1, keys::kF1},         {SDLK_F2, keys::kF1 + 1},
    {SDLK_F3, keys::kF1 + 2},       {SDLK_F4, keys::kF1 + 3},     {SDLK_F5, keys::kF1 + 4},
    {SDLK_F6, keys::kF1 + 5},       {SDLK_F7, keys::kF1 + 6},     {SDLK_F8, keys::kF1 + 7},
    {SDLK_F9, keys::kF1 + 8},       {SDLK_F10, keys::kF1 + 9},    {SDLK_F11, keys::kF1 + 10},
    {SDLK_F12, keys::kF1 + 11},
};

int KeyFor(SDL_Keycode code) {
  if (code >= SDLK_a && code <= SDLK_z) return 'A' + (code - SDLK_a);
  if (code >= SDLK_0 && code <= SDLK_9) return '0' + (code - SDLK_0);
  for (const KeyRow& row : kKeys) {
    if (row.sdl == code) return row.key;
  }
  return 0;
}

uint8_t ModifiersFor(Uint16 mod) {
  uint8_t m = 0;
  if (mod & KMOD_SHIFT) m |= modifiers::kShift;
  if (mod & KMOD_CTRL) m |= modifiers::kControl;
  if (mod & KMOD_ALT) m |= modifiers::kAlt;
  return m;
}

bool ButtonFor(Uint8 sdl, MouseButton& button) {
  switch (sdl) {
    case SDL_BUTTON_LEFT:
      button = MouseButton::Left;
      return true;
    case SDL_BUTTON_RIGHT:
      button = MouseButton::Right;
      return true;
    case SDL_BUTTON_MIDDLE:
      button = MouseButton::Middle;
      return true;
    default:
      return false;
  }
}

// Drivers that show nothing on any screen. SDL falls back to them when no display can be
// opened, which would leave the program running with no window at all; they serve only
// when SDL_VIDEODRIVER names them.
constexpr std::string_view kInvisibleDrivers[] = {"offscreen", "dummy", "evdev"};

bool IsSet(const char* variable) {
  const char* value = SDL_getenv(variable);
  return value && *value;
}

// The Wayland client library complains on stderr when it has nowhere to look for a
// compositor; a driver that cannot connect is not tried.
bool WaylandReachable() {
  const char* display = SDL_getenv("WAYLAND_DISPLAY");
  return IsSet("XDG_RUNTIME_DIR") || IsSet("WAYLAND_SOCKET") || (display && display[0] == '/');
}

bool MayTry(std::string_view driver) {
  if (driver == "wayland") return WaylandReachable();
  return std::find(std::begin(kInvisibleDrivers), std::end(kInvisibleDrivers), driver) ==
         std::end(kInvisibleDrivers);
}

std::string NoDisplay() {
  if (!IsSet("DISPLAY")) return "no display (DISPLAY is not set)";
  return std::string("no display (cannot connect to DISPLAY=") + SDL_getenv("DISPLAY") + ")";
}

void OpenVideo() {
  // SDL's own order, without the drivers that cannot show a window; SDL_VIDEODRIVER
  // still overrides this hint.
  std::string drivers;
  for (int i = 0; i < SDL_GetNumVideoDrivers(); ++i) {
    const std::string_view driver = SDL_GetVideoDriver(i);
    if (!MayTry(driver)) continue;
    if (!drivers.empty()) drivers += ',';
    drivers += driver;
  }
  // An empty hint would let SDL try every driver again.
  if (drivers.empty() && !IsSet("SDL_VIDEODRIVER")) {
    throw std::runtime_error("cannot open a window: " + NoDisplay());
  }
  SDL_SetHint(SDL_HINT_VIDEODRIVER, drivers.c_str());
  if (SDL_Init(SDL_INIT_VIDEO) != 0) {
    const std::string reason = IsSet("SDL_VIDEODRIVER") ? SDL_GetError() : NoDisplay();
    throw std::runtime_error("cannot open a window: " + reason);
  }
}

}  // namespace

SdlBackend::SdlBackend() {
  // Present through the window surface: the texture path would load OpenGL for nothing.
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  // A click that activates a window is still a click.
  SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
  // Closing goes through the program's own steps (the main window's close hides it and
  // shows a last dialog); only the session's end is a Quit.
  SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
  SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
  IgnoreWakeupsToClosedWindows();
  OpenVideo();
  scale_ = ChooseScale(ScreenDensity());
  wake_event_ = SDL_RegisterEvents(1);
  cursors_[int(Cursor::Arrow)] = SDL_CreateSystemCursor(SDL_SYSTEM_CURSOR_ARROW);
  cursors_[int(Cursor::Hand)] = SDL_CreateSystemCursor(SDL_SYSTEM_CURSOR_HAND);
}

SdlBackend::~SdlBackend() {
  for (SDL_Cursor* cursor : cursors_) {
    if (cursor) SDL_FreeCursor(cursor);
  }
  SDL_Quit();
}

std::unique_ptr<NativeWindow> SdlBackend::OpenWindow(const WindowOptions& options) {
  auto window = std::make_unique<SdlWindow>(*this, options);
  windows_.push_back(window.get());
  return window;
}

Rect SdlBackend::WorkArea() {
  SDL_Rect r{0, 0, 0, 0};
  if (SDL_GetDisplayUsableBounds(0, &r) != 0) SDL_GetDisplayBounds(0, &r);
  return {r.x, r.y, r.x + r.w, r.y + r.h};
}

void SdlBackend::Forget(SdlWindow* window) {
  std::erase(windows_, window);
  for (SdlWindow* w : windows_) w->ForgetOwner(window);
  if (drag_.window == window) drag_ = {};
  pending_.DropWindow(window->Id());
}

SdlWindow* SdlBackend::Find(uint32_t sdlWindowId) const {
  for (SdlWindow* w : windows_) {
    if (w->Id() == sdlWindowId) return w;
  }
  return nullptr;
}

void SdlBackend::RaiseEnabledOwned(const SdlWindow* window) {
  SdlWindow* front = nullptr;
  for (SdlWindow* w : windows_) {
    if (w->Visible() && w->Enabled() && OwnedBy(*w, *window) &&
        (!front || w->LastAtFront() > front->LastAtFront())) {
      front = w;
    }
  }
  if (front) front->Raise();
}

void SdlBackend::ApplyCursor(SdlWindow* window) {
  if (SDL_Cursor* cursor = cursors_[int(window->CurrentCursor())]) {
    SDL_SetCursor(cursor);
  }
}

void SdlBackend::Translate(const SDL_Event& e) {
  if (e.type == wake_event_) {
    wake_.Taken();
    return;
  }
  switch (e.type) {
    case SDL_QUIT:
      pending_.Push({.type = Event::Type::Quit});
      return;
    case SDL_WINDOWEVENT:
      TranslateWindowEvent(e);
      return;
    case SDL_MOUSEMOTION: {
      if (drag_.window) {
        // Motion events are relative to where the window was when they were made, which
        // lags behind our moves: follow the pointer's screen position instead.
        SDL_Event next;
        while (SDL_PeepEvents(&next, 1, SDL_GETEVENT, SDL_MOUSEMOTION, SDL_MOUSEMOTION) == 1) {
        }
        FollowDrag();
        return;
      }
      if (SdlWindow* w = Find(e.motion.windowID); w && w->Enabled()) {
        pending_.Push({.type = Event::Type::MouseMove,
                       .window = w->Id(),
                       .x = e.motion.x,
                       .y = e.motion.y,
                       .modifiers = ModifiersFor(SDL_GetModState())});
      }
      return;
    }
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
      TranslateButton(e);
      return;
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
      SdlWindow* w = Find(e.key.windowID);
      const int key = KeyFor(e.key.keysym.sym);
      if (!w || key == 0) return;
      if (!w->Enabled()) {
        if (e.type == SDL_KEYDOWN) RaiseEnabledOwned(w);
        return;
      }
      pending_.Push({.type = e.type == SDL_KEYDOWN ? Event::Type::KeyDown : Event::Type::KeyUp,
                     .window = w->Id(),
                     .key = key,
                     .modifiers = ModifiersFor(e.key.keysym.mod)});
      return;
    }
    default:
      return;
  }
}

void SdlBackend::TranslateWindowEvent(const SDL_Event& e) {
  SdlWindow* w = Find(e.window.windowID);
  if (!w) return;
  const uint32_t id = w->Id();
  switch (e.window.event) {
    case SDL_WINDOWEVENT_ENTER:
      ApplyCursor(w);
      pending_.Push({.type = Event::Type::MouseEnter, .window = id});
      break;
    case SDL_WINDOWEVENT_LEAVE:
      if (drag_.window != w) pending_.Push({.type = Event::Type::MouseLeave, .window = id});
      break;
    case SDL_WINDOWEVENT_CLOSE:
      pending_.Push({.type = Event::Type::Close, .window = id});
      break;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
      // The window manager brought it to the front (a click, the task bar, a key).
      w->CameToFront();
      if (!w->Enabled()) RaiseEnabledOwned(w);
      break;
    case SDL_WINDOWEVENT_EXPOSED:
      pending_.Push({.type = Event::Type::Expose, .window = id});
      break;
    case SDL_WINDOWEVENT_MOVED:
      pending_.Push(
          {.type = Event::Type::Moved, .window = id, .x = e.window.data1, .y = e.window.data2});
      break;
    default:
      break;
  }
}

void SdlBackend::TranslateButton(const SDL_Event& e) {
  MouseButton button;
  if (!ButtonFor(e.button.button, button)) return;
  const bool down = e.type == SDL_MOUSEBUTTONDOWN;
  if (!down && drag_.window && button == MouseButton::Left) {
    // SDL drops a motion that leaves the pointer where it was in the window, and once
    // the window has caught up every motion does: the last step may never have come.
    FollowDrag();
    SDL_CaptureMouse(SDL_FALSE);
    drag_ = {};
    return;
  }
  SdlWindow* w = Find(e.button.windowID);
  if (!w) return;
  if (!w->Enabled()) {
    if (down) RaiseEnabledOwned(w);
    return;
  }
  if (down && button == MouseButton::Left && !drag_.window &&
      w->IsDragPoint(e.button.x, e.button.y)) {
    // Moved by hand from the pointer's motion: a hit-test answer would need a window
    // manager and lose the press under a bare X server.
    drag_.window = w;
    GlobalPointer(w->Handle(), drag_.hand.pointer.x, drag_.hand.pointer.y);
    SDL_GetWindowPosition(w->Handle(), &drag_.hand.window.x, &drag_.hand.window.y);
    drag_.last = drag_.hand.window;
    SDL_CaptureMouse(SDL_TRUE);
    return;
  }
  pending_.Push({.type = down ? Event::Type::MouseDown : Event::Type::MouseUp,
                 .window = w->Id(),
                 .x = e.button.x,
                 .y = e.button.y,
                 .button = button,
                 .modifiers = ModifiersFor(SDL_GetModState())});
}

void SdlBackend::FollowDrag() {
  HandDrag::Point pointer;
  GlobalPointer(drag_.window->Handle(), pointer.x, pointer.y);
  const HandDrag::Point at = drag_.hand.WindowFor(pointer);
  if (at == drag_.last) return;
  drag_.last = at;
  SDL_SetWindowPosition(drag_.window->Handle(), at.x, at.y);
  pending_.Push({.type = Event::Type::Moved, .window = drag_.window->Id(), .x = at.x, .y = at.y});
}

bool SdlBackend::PollEvent(Event& event) {
  SDL_Event e;
  while (pending_.Empty() && SDL_PollEvent(&e)) Translate(e);
  return pending_.Pop(event);
}

void SdlBackend::WaitEvents(int64_t deadlineUs) {
  if (!pending_.Empty()) return;
  const int64_t timeoutMs = WaitMs(deadlineUs, clock_.LoopTimeUs(), 1 << 30);
  SDL_Event e;
  if (timeoutMs == kWaitWithoutLimit) {
    if (SDL_WaitEvent(&e)) Translate(e);
  } else if (timeoutMs > 0 && SDL_WaitEventTimeout(&e, int(timeoutMs))) {
    Translate(e);
  }
}

void SdlBackend::Wake() {
  if (!wake_.Arm()) return;
  SDL_Event e{};
  e.type = wake_event_;
  SDL_PushEvent(&e);
}

}  // namespace platform
