#include "platform/sdl/SdlBackend.h"

#include <SDL.h>

#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <string>
#include <string_view>

#include "platform/DisplayScale.h"
#include "platform/sdl/GlobalPointer.h"
#include "platform/sdl/ScreenDensity.h"
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

class SdlWindow : public NativeWindow {
 public:
  SdlWindow(SdlBackend& backend, const WindowOptions& options)
      : backend_(backend), owner_(static_cast<const SdlWindow*>(options.owner)) {
    Uint32 flags = SDL_WINDOW_HIDDEN;
    if (options.borderless) flags |= SDL_WINDOW_BORDERLESS;
    if (options.topmost) flags |= SDL_WINDOW_ALWAYS_ON_TOP;
    if (owner_) flags |= SDL_WINDOW_SKIP_TASKBAR;
    window_ = SDL_CreateWindow(options.title.c_str(), options.x, options.y,
                               std::max(options.width, 1), std::max(options.height, 1), flags);
    if (!window_) throw std::runtime_error(std::string("SDL_CreateWindow: ") + SDL_GetError());
    id_ = SDL_GetWindowID(window_);
    // Under X11 this is the transient-for hint: the window manager keeps the window
    // above its owner.
    if (owner_) SDL_SetWindowModalFor(window_, owner_->window_);
  }
  ~SdlWindow() override {
    backend_.Forget(this);
    SDL_DestroyWindow(window_);
  }

  uint32_t Id() const override { return id_; }
  void Show() override {
    SDL_ShowWindow(window_);
    visible_ = true;
    Raise();
  }
  void Hide() override {
    SDL_HideWindow(window_);
    visible_ = false;
  }
  void SetTitle(std::string_view title) override {
    SDL_SetWindowTitle(window_, std::string(title).c_str());
  }
  void SetTopmost(bool topmost) override {
    SDL_SetWindowAlwaysOnTop(window_, topmost ? SDL_TRUE : SDL_FALSE);
  }
  void SetBounds(int x, int y, int width, int height) override {
    SDL_SetWindowPosition(window_, x, y);
    int w = 0, h = 0;
    SDL_GetWindowSize(window_, &w, &h);
    if (w != width || h != height)
      SDL_SetWindowSize(window_, std::max(width, 1), std::max(height, 1));
  }
  void Present(const FrameView& frame, std::span<const Rect> dirty) override;
  void SetCursor(Cursor cursor) override {
    cursor_ = cursor;
    if (SDL_GetMouseFocus() == window_) backend_.ApplyCursor(this);
  }
  void SetDragTest(std::function<bool(int x, int y)> test) override {
    drag_test_ = std::move(test);
  }
  void Raise() override {
    if (!visible_) return;
    SDL_RaiseWindow(window_);
    CameToFront();
  }
  int Scale() const override { return backend_.Scale(); }
  void SetEnabled(bool enabled) override {
    enabled_ = enabled;
    if (!enabled && backend_.drag_.window == this) {
      SDL_CaptureMouse(SDL_FALSE);
      backend_.drag_ = {};
    }
  }

  SDL_Window* Handle() const { return window_; }
  bool Visible() const { return visible_; }
  bool Enabled() const { return enabled_; }
  uint64_t LastAtFront() const { return last_at_front_; }
  void CameToFront() { last_at_front_ = ++backend_.raise_count_; }
  bool OwnedBy(const SdlWindow& window) const {
    for (const SdlWindow* o = owner_; o; o = o->owner_) {
      if (o == &window) return true;
    }
    return false;
  }
  void ForgetOwner(const SdlWindow* owner) {
    if (owner_ == owner) owner_ = nullptr;
  }
  Cursor CurrentCursor() const { return cursor_; }
  bool IsDragPoint(int x, int y) const { return drag_test_ && drag_test_(x, y); }

 private:
  SdlBackend& backend_;
  const SdlWindow* owner_;
  SDL_Window* window_ = nullptr;
  uint32_t id_ = 0;
  bool visible_ = false;
  bool enabled_ = true;
  uint64_t last_at_front_ = 0;
  Cursor cursor_ = Cursor::Arrow;
  std::function<bool(int, int)> drag_test_;
};

void SdlWindow::Present(const FrameView& frame, std::span<const Rect> dirty) {
  if (!visible_) return;
  SDL_Surface* surface = SDL_GetWindowSurface(window_);
  if (!surface) return;
  std::vector<SDL_Rect> rects;
  const Rect whole{0, 0, frame.width, frame.height};
  auto copy = [&](Rect r) {
    r.left = std::max(r.left, 0);
    r.top = std::max(r.top, 0);
    r.right = std::min({r.right, frame.width, surface->w});
    r.bottom = std::min({r.bottom, frame.height, surface->h});
    if (r.right <= r.left || r.bottom <= r.top) return;
    const int w = r.right - r.left;
    const int h = r.bottom - r.top;
    const uint8_t* src = frame.pixels + size_t(r.top) * size_t(frame.stride) + size_t(r.left) * 4;
    auto* dst = static_cast<uint8_t*>(surface->pixels) + size_t(r.top) * size_t(surface->pitch) +
                size_t(r.left) * surface->format->BytesPerPixel;
    const SDL_PixelFormat* f = surface->format;
    if (f->BytesPerPixel == 4 && f->Rmask == 0x00FF0000 && f->Gmask == 0x0000FF00 &&
        f->Bmask == 0x000000FF) {
      // The usual desktop surface has our byte order: rows copy as they are.
      for (int y = 0; y < h; ++y) {
        std::memcpy(dst + size_t(y) * size_t(surface->pitch),
                    src + size_t(y) * size_t(frame.stride), size_t(w) * 4);
      }
    } else {
      SDL_ConvertPixels(w, h, SDL_PIXELFORMAT_BGRA32, src, frame.stride, f->format, dst,
                        surface->pitch);
    }
    rects.push_back({r.left, r.top, w, h});
  };
  const bool lock = SDL_MUSTLOCK(surface);
  if (lock && SDL_LockSurface(surface) != 0) return;
  if (dirty.empty()) {
    copy(whole);
  } else {
    for (const Rect& r : dirty) copy(r);
  }
  if (lock) SDL_UnlockSurface(surface);
  if (dirty.empty()) {
    SDL_UpdateWindowSurface(window_);
  } else if (!rects.empty()) {
    SDL_UpdateWindowSurfaceRects(window_, rects.data(), int(rects.size()));
  }
}

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
  for (void* cursor : cursors_) {
    if (cursor) SDL_FreeCursor(static_cast<SDL_Cursor*>(cursor));
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
  const uint32_t id = window->Id();
  std::erase_if(pending_, [id](const Event& e) { return e.window == id; });
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
    if (w->Visible() && w->Enabled() && w->OwnedBy(*window) &&
        (!front || w->LastAtFront() > front->LastAtFront())) {
      front = w;
    }
  }
  if (front) front->Raise();
}

void SdlBackend::ApplyCursor(SdlWindow* window) {
  if (auto* cursor = static_cast<SDL_Cursor*>(cursors_[int(window->CurrentCursor())])) {
    SDL_SetCursor(cursor);
  }
}

void SdlBackend::Translate(const void* raw) {
  const SDL_Event& e = *static_cast<const SDL_Event*>(raw);
  if (e.type == wake_event_) {
    wake_pending_ = false;
    return;
  }
  switch (e.type) {
    case SDL_QUIT:
      pending_.push_back({.type = Event::Type::Quit});
      return;
    case SDL_WINDOWEVENT: {
      SdlWindow* w = Find(e.window.windowID);
      if (!w) return;
      const uint32_t id = w->Id();
      switch (e.window.event) {
        case SDL_WINDOWEVENT_ENTER:
          ApplyCursor(w);
          pending_.push_back({.type = Event::Type::MouseEnter, .window = id});
          break;
        case SDL_WINDOWEVENT_LEAVE:
          if (drag_.window != w)
            pending_.push_back({.type = Event::Type::MouseLeave, .window = id});
          break;
        case SDL_WINDOWEVENT_CLOSE:
          pending_.push_back({.type = Event::Type::Close, .window = id});
          break;
        case SDL_WINDOWEVENT_FOCUS_GAINED:
          // The window manager brought it to the front (a click, the task bar, a key).
          w->CameToFront();
          if (!w->Enabled()) RaiseEnabledOwned(w);
          break;
        case SDL_WINDOWEVENT_EXPOSED:
          pending_.push_back({.type = Event::Type::Expose, .window = id});
          break;
        case SDL_WINDOWEVENT_MOVED:
          pending_.push_back(
              {.type = Event::Type::Moved, .window = id, .x = e.window.data1, .y = e.window.data2});
          break;
        default:
          break;
      }
      return;
    }
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
        pending_.push_back({.type = Event::Type::MouseMove,
                            .window = w->Id(),
                            .x = e.motion.x,
                            .y = e.motion.y,
                            .modifiers = ModifiersFor(SDL_GetModState())});
      }
      return;
    }
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
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
        GlobalPointer(w->Handle(), drag_.mouseX, drag_.mouseY);
        SDL_GetWindowPosition(w->Handle(), &drag_.windowX, &drag_.windowY);
        drag_.lastX = drag_.windowX;
        drag_.lastY = drag_.windowY;
        SDL_CaptureMouse(SDL_TRUE);
        return;
      }
      pending_.push_back({.type = down ? Event::Type::MouseDown : Event::Type::MouseUp,
                          .window = w->Id(),
                          .x = e.button.x,
                          .y = e.button.y,
                          .button = button,
                          .modifiers = ModifiersFor(SDL_GetModState())});
      return;
    }
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
      SdlWindow* w = Find(e.key.windowID);
      const int key = KeyFor(e.key.keysym.sym);
      if (!w || key == 0) return;
      if (!w->Enabled()) {
        if (e.type == SDL_KEYDOWN) RaiseEnabledOwned(w);
        return;
      }
      pending_.push_back({.type = e.type == SDL_KEYDOWN ? Event::Type::KeyDown : Event::Type::KeyUp,
                          .window = w->Id(),
                          .key = key,
                          .modifiers = ModifiersFor(e.key.keysym.mod)});
      return;
    }
    default:
      return;
  }
}

void SdlBackend::FollowDrag() {
  int gx = 0, gy = 0;
  GlobalPointer(drag_.window->Handle(), gx, gy);
  const int x = drag_.windowX + gx - drag_.mouseX;
  const int y = drag_.windowY + gy - drag_.mouseY;
  if (x == drag_.lastX && y == drag_.lastY) return;
  drag_.lastX = x;
  drag_.lastY = y;
  SDL_SetWindowPosition(drag_.window->Handle(), x, y);
  pending_.push_back({.type = Event::Type::Moved, .window = drag_.window->Id(), .x = x, .y = y});
}

bool SdlBackend::PollEvent(Event& event) {
  SDL_Event e;
  while (pending_.empty() && SDL_PollEvent(&e)) Translate(&e);
  if (pending_.empty()) return false;
  event = pending_.front();
  pending_.pop_front();
  return true;
}

void SdlBackend::WaitEvents(int64_t deadlineUs) {
  if (!pending_.empty()) return;
  SDL_Event e;
  if (deadlineUs < 0) {
    if (SDL_WaitEvent(&e)) Translate(&e);
    return;
  }
  const int64_t left = deadlineUs - clock_.LoopTimeUs();
  if (left <= 0) return;
  // Round up: waking a little late is harmless, waking early only spins once more.
  const int timeoutMs = int(std::min<int64_t>((left + 999) / 1000, 1 << 30));
  if (SDL_WaitEventTimeout(&e, timeoutMs)) Translate(&e);
}

void SdlBackend::Wake() {
  if (wake_pending_.exchange(true)) return;
  SDL_Event e{};
  e.type = wake_event_;
  SDL_PushEvent(&e);
}

}  // namespace platform
