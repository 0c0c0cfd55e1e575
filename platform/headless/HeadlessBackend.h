// The window backend in memory, for tests: windows are pixel buffers that keep what was
// presented, input is scripted in screen coordinates, and the clock is virtual. Windows
// stack as under a desktop's window manager: a shown, raised or pressed window comes to
// the front with the keyboard focus, owned windows stay above their owners, topmost
// windows (and the windows they own) above the others.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "platform/BackendCore.h"
#include "platform/Window.h"
#include "platform/headless/VirtualClock.h"

namespace platform {

class HeadlessBackend;

class HeadlessWindow : public NativeWindow {
 public:
  HeadlessWindow(HeadlessBackend& backend, uint32_t id, const WindowOptions& options);
  ~HeadlessWindow() override;

  uint32_t Id() const override { return id_; }
  void Show() override;
  void Hide() override;
  void SetTitle(std::string_view title) override { title_ = title; }
  void SetTopmost(bool topmost) override { topmost_ = topmost; }
  void SetBounds(int x, int y, int width, int height) override;
  void Present(const FrameView& frame, std::span<const Rect> dirty) override;
  void SetCursor(Cursor cursor) override { cursor_ = cursor; }
  void SetDragTest(std::function<bool(int x, int y)> test) override {
    drag_test_ = std::move(test);
  }
  void Raise() override;
  void SetEnabled(bool enabled) override;
  int Scale() const override { return scale_; }

  // What a test can see.
  bool Visible() const { return visible_; }
  bool Enabled() const { return enabled_; }
  const HeadlessWindow* Owner() const { return owner_; }
  bool Focused() const;
  const std::string& Title() const { return title_; }
  bool Topmost() const { return topmost_; }
  bool Borderless() const { return borderless_; }
  int X() const { return x_; }
  int Y() const { return y_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  Cursor CurrentCursor() const { return cursor_; }
  // A presented pixel as 0x00BBGGRR (0 outside the window).
  uint32_t Pixel(int x, int y) const;
  int PresentCount() const { return present_count_; }
  // The rectangles of the last present; the whole window when it presented everything.
  const std::vector<Rect>& LastPresented() const { return last_presented_; }
  bool Contains(int screenX, int screenY) const;
  bool IsDragPoint(int x, int y) const { return drag_test_ && drag_test_(x, y); }
  // Topmost itself or owned by a topmost window: stacked with the topmost windows.
  bool InTopmostLayer() const;
  // Owned by window, directly or through other owned windows.
  bool OwnedBy(const HeadlessWindow& window) const;

 private:
  friend class HeadlessBackend;

  HeadlessBackend& backend_;
  uint32_t id_;
  std::string title_;
  bool borderless_;
  bool topmost_;
  const HeadlessWindow* owner_;
  bool visible_ = false;
  bool enabled_ = true;
  int x_, y_, width_, height_;
  int scale_;
  Cursor cursor_ = Cursor::Arrow;
  std::function<bool(int, int)> drag_test_;
  std::vector<uint8_t> pixels_;  // width_ x height_, four bytes a pixel
  int present_count_ = 0;
  std::vector<Rect> last_presented_;
};

class HeadlessBackend : public Backend {
 public:
  explicit HeadlessBackend(Rect workArea = {0, 0, 1280, 1024});
  ~HeadlessBackend() override;

  std::unique_ptr<NativeWindow> OpenWindow(const WindowOptions& options) override;
  Rect WorkArea() override { return work_area_; }
  bool PollEvent(Event& event) override;
  void WaitEvents(int64_t deadlineUs) override;
  void Wake() override;
  Clock& GetClock() override { return clock_; }

  VirtualClock& Time() { return clock_; }
  const VirtualClock& Time() const { return clock_; }

  // Scripted input in screen coordinates. Events queue up until the loop takes them; the
  // pointer and the buttons behave as a desktop's: a press captures the pointer for the
  // window under it until release, and windows see the pointer enter and leave.
  void MoveMouse(int x, int y);
  void PressMouse(MouseButton button = MouseButton::Left);
  void ReleaseMouse(MouseButton button = MouseButton::Left);
  // Queues an event as it is, in the order a busy program finds the system's events,
  // which need not be the order they happened in.
  void Inject(const Event& event) { Push(event); }
  void Click(int x, int y, MouseButton button = MouseButton::Left);
  void PressKey(int key, uint8_t modifiers = 0);
  void ReleaseKey(int key, uint8_t modifiers = 0);
  void TypeKey(int key, uint8_t modifiers = 0);
  void RequestClose(const NativeWindow& window);
  void RequestQuit();
  // The screen's scale in percent for the windows opened from now on (100 at first).
  void SetScale(int percent) { scale_ = percent; }
  // The window moves to a screen of another density, its client area to (x, y), as a
  // desktop tells it when it is dragged onto another monitor.
  void MoveToScreen(const NativeWindow& window, int percent, int x, int y);

  // Open windows from the bottom of the stack to the top.
  std::vector<HeadlessWindow*> Windows() const;
  HeadlessWindow* Find(uint32_t id) const;
  // The topmost visible window under a screen point.
  HeadlessWindow* WindowAt(int x, int y) const;
  // The window that takes the keys, or null.
  HeadlessWindow* Focus() const { return focus_; }
  int PendingEvents() const;
  int WakeCount() const;

 private:
  friend class HeadlessWindow;
  void Push(const Event& event);
  // To the front with its owned windows above it, and the focus.
  void Raise(HeadlessWindow* window);
  void Hidden(HeadlessWindow* window);
  void Disabled(HeadlessWindow* window);
  // A window that hides or is disabled loses the pointer's capture and pressed buttons.
  void ReleaseCapture(HeadlessWindow* window);
  void Forget(HeadlessWindow* window);
  void UpdateHover();
  // The frontmost visible, enabled window that window owns, or null.
  HeadlessWindow* FrontmostEnabledOwned(const HeadlessWindow& window) const;

  Rect work_area_;
  int scale_ = 100;
  VirtualClock clock_;
  std::vector<HeadlessWindow*> stack_;
  uint32_t next_id_ = 1;
  int mouse_x_ = -1;
  int mouse_y_ = -1;
  HeadlessWindow* hover_ = nullptr;
  HeadlessWindow* capture_ = nullptr;
  HeadlessWindow* focus_ = nullptr;
  int buttons_down_ = 0;
  // Dragging a window: the pointer and the window position at the press.
  HeadlessWindow* dragging_ = nullptr;
  HandDrag drag_;

  mutable std::mutex mutex_;
  std::condition_variable wake_cv_;
  EventQueue events_;
  bool woken_ = false;
  int wake_count_ = 0;
};

}  // namespace platform
