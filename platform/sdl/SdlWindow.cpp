#include "platform/sdl/SdlWindow.h"

#include <SDL.h>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/BackendCore.h"
#include "platform/sdl/SdlBackend.h"

namespace platform {

SdlWindow::SdlWindow(SdlBackend& backend, const WindowOptions& options)
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

SdlWindow::~SdlWindow() {
  backend_.Forget(this);
  SDL_DestroyWindow(window_);
}

void SdlWindow::Show() {
  SDL_ShowWindow(window_);
  visible_ = true;
  Raise();
}

void SdlWindow::Hide() {
  SDL_HideWindow(window_);
  visible_ = false;
}

void SdlWindow::SetTitle(std::string_view title) {
  SDL_SetWindowTitle(window_, std::string(title).c_str());
}

void SdlWindow::SetTopmost(bool topmost) {
  SDL_SetWindowAlwaysOnTop(window_, topmost ? SDL_TRUE : SDL_FALSE);
}

void SdlWindow::SetBounds(int x, int y, int width, int height) {
  SDL_SetWindowPosition(window_, x, y);
  int w = 0, h = 0;
  SDL_GetWindowSize(window_, &w, &h);
  if (w != width || h != height)
    SDL_SetWindowSize(window_, std::max(width, 1), std::max(height, 1));
}

void SdlWindow::SetCursor(Cursor cursor) {
  cursor_ = cursor;
  if (SDL_GetMouseFocus() == window_) backend_.ApplyCursor(this);
}

void SdlWindow::Raise() {
  if (!visible_) return;
  SDL_RaiseWindow(window_);
  CameToFront();
}

int SdlWindow::Scale() const {
  return backend_.Scale();
}

void SdlWindow::SetEnabled(bool enabled) {
  enabled_ = enabled;
  if (!enabled && backend_.drag_.window == this) {
    SDL_CaptureMouse(SDL_FALSE);
    backend_.drag_ = {};
  }
}

void SdlWindow::CameToFront() {
  last_at_front_ = ++backend_.raise_count_;
}

void SdlWindow::Present(const FrameView& frame, std::span<const Rect> dirty) {
  if (!visible_) return;
  SDL_Surface* surface = SDL_GetWindowSurface(window_);
  if (!surface) return;
  std::vector<SDL_Rect> rects;
  const Rect whole{0, 0, frame.width, frame.height};
  auto copy = [&](const Rect& wanted) {
    const Rect r = ClipToFrame(wanted, frame, surface->w, surface->h);
    if (IsEmpty(r)) return;
    const int w = r.right - r.left;
    const int h = r.bottom - r.top;
    const SDL_PixelFormat* f = surface->format;
    if (f->BytesPerPixel == 4 && f->Rmask == 0x00FF0000 && f->Gmask == 0x0000FF00 &&
        f->Bmask == 0x000000FF) {
      // The usual desktop surface has our byte order: rows copy as they are.
      CopyFrameRect(frame, r, static_cast<uint8_t*>(surface->pixels), size_t(surface->pitch));
    } else {
      const uint8_t* src = frame.pixels + size_t(r.top) * size_t(frame.stride) + size_t(r.left) * 4;
      auto* dst = static_cast<uint8_t*>(surface->pixels) + size_t(r.top) * size_t(surface->pitch) +
                  size_t(r.left) * f->BytesPerPixel;
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

}  // namespace platform
