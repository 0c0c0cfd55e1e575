// One top-level window of the SDL backend: shows the composed frames through its window
// surface and keeps what the backend needs to route input to it.
#pragma once

#include <cstdint>
#include <functional>

#include "platform/Window.h"

struct SDL_Window;

namespace platform {

class SdlBackend;

class SdlWindow : public NativeWindow {
 public:
  SdlWindow(SdlBackend& backend, const WindowOptions& options);
  ~SdlWindow() override;
  SdlWindow(const SdlWindow&) = delete;
  SdlWindow& operator=(const SdlWindow&) = delete;

  uint32_t Id() const override { return id_; }
  void Show() override;
  void Hide() override;
  void SetTitle(std::string_view title) override;
  void SetTopmost(bool topmost) override;
  void SetBounds(int x, int y, int width, int height) override;
  void Present(const FrameView& frame, std::span<const Rect> dirty) override;
  void SetCursor(Cursor cursor) override;
  void SetDragTest(std::function<bool(int x, int y)> test) override {
    drag_test_ = std::move(test);
  }
  void Raise() override;
  int Scale() const override;
  void SetEnabled(bool enabled) override;

  SDL_Window* Handle() const { return window_; }
  bool Visible() const { return visible_; }
  bool Enabled() const { return enabled_; }
  const SdlWindow* Owner() const { return owner_; }
  uint64_t LastAtFront() const { return last_at_front_; }
  void CameToFront();
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

}  // namespace platform
