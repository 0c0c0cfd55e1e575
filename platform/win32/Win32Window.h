// One popup window of the Win32 backend: shows the composed frames from a DIB section,
// turns the system's messages into events, tracks the pointer's leave and moves itself
// when dragged by hand.
#pragma once

#include <cstdint>
#include <functional>

#include <windows.h>

#include "platform/BackendCore.h"
#include "platform/Window.h"

namespace platform {

class Win32Backend;

// The class every window of the backend is registered under.
constexpr wchar_t kWindowClass[] = L"TachoraWindow";

class Win32Window : public NativeWindow {
 public:
  Win32Window(Win32Backend& backend, uint32_t id, const WindowOptions& options);
  ~Win32Window() override;
  Win32Window(const Win32Window&) = delete;
  Win32Window& operator=(const Win32Window&) = delete;

  uint32_t Id() const override { return id_; }
  void Show() override {
    ::ShowWindow(window_, SW_SHOW);
    Raise();
  }
  void Hide() override { ::ShowWindow(window_, SW_HIDE); }
  void SetTitle(std::string_view title) override;
  void SetTopmost(bool topmost) override {
    ::SetWindowPos(window_, topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
  void SetBounds(int x, int y, int width, int height) override;
  void Present(const FrameView& frame, std::span<const Rect> dirty) override;
  void SetCursor(Cursor cursor) override {
    cursor_ = cursor;
    POINT p{};
    if (::GetCursorPos(&p) && ::WindowFromPoint(p) == window_) ApplyCursor();
  }
  void SetDragTest(std::function<bool(int x, int y)> test) override {
    drag_test_ = std::move(test);
  }
  void Raise() override {
    ::SetWindowPos(window_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    ::SetForegroundWindow(window_);
    ::SetFocus(window_);
  }
  void SetEnabled(bool enabled) override { ::EnableWindow(window_, enabled ? TRUE : FALSE); }
  int Scale() const override;

  HWND Handle() const { return window_; }
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
  // Before a wait: a pointer that left unseen leaves now (says so), one still inside has
  // its leave tracked afresh. The system's tracking can end unseen while the program is
  // busy in a system call (the shell opening the browser).
  bool CheckPointer() {
    // While captured the pointer is the window's wherever it is: its release decides.
    if (!tracking_ || ::GetCapture() == window_) return false;
    RearmLeaveTracking();
    return !tracking_;
  }

 private:
  struct Drag {
    bool active = false;
    HandDrag hand;  // the window's outer top-left follows the pointer
  };

  void ApplyCursor() const {
    ::SetCursor(::LoadCursorW(nullptr, cursor_ == Cursor::Hand ? IDC_HAND : IDC_ARROW));
  }
  // Makes the bitmap anew when it has another size; says whether it did.
  bool EnsureBitmap(int width, int height);
  void Blit(HDC target, const RECT& r) const {
    ::BitBlt(target, r.left, r.top, r.right - r.left, r.bottom - r.top, memory_dc_, r.left, r.top,
             SRCCOPY);
  }
  void Paint(HDC target, const RECT& r) const {
    if (bitmap_) {
      Blit(target, r);
    } else {
      ::FillRect(target, &r, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
    }
  }
  void Push(Event::Type type, int x = 0, int y = 0);
  // Whether a mouse message's client point is in the window (a captured one may be not).
  bool InClientArea(int x, int y) const {
    RECT r{};
    return ::GetClientRect(window_, &r) && x >= r.left && x < r.right && y >= r.top && y < r.bottom;
  }
  bool Mouse(UINT message, WPARAM wParam, LPARAM lParam);
  void FollowDrag();
  void Enter();
  void RearmLeaveTracking();
  bool LeaveIfPointerGone();
  void RaiseOwnedWindow();

  Win32Backend& backend_;
  uint32_t id_;
  HWND window_ = nullptr;
  HDC memory_dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ old_bitmap_ = nullptr;
  uint8_t* bits_ = nullptr;  // the DIB section's top-down rows
  int bitmap_width_ = 0;
  int bitmap_height_ = 0;
  Cursor cursor_ = Cursor::Arrow;
  std::function<bool(int, int)> drag_test_;
  bool tracking_ = false;  // the pointer is inside and its leave is being tracked
  Drag drag_;
};

}  // namespace platform
