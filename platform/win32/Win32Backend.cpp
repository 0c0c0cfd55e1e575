#include "platform/win32/Win32Backend.h"

#include <algorithm>
#include <stdexcept>
#include <string>

#include <windows.h>
// After windows.h, which it builds on.
#include <mmsystem.h>

#include "platform/win32/Win32Window.h"

namespace platform {

namespace {

constexpr wchar_t kWakeClass[] = L"TachoraWake";
constexpr UINT kWakeMessage = WM_APP + 1;

LRESULT CALLBACK WakeProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  // Also reached when a modal loop of the system dispatches the wake-up.
  if (message == kWakeMessage) {
    reinterpret_cast<WakeLatch*>(lParam)->Taken();
    return 0;
  }
  return ::DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

namespace {

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<Win32Window*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  // Before WM_NCCREATE and during destruction the window has no object.
  if (!self || self->Handle() != window) {
    return ::DefWindowProcW(window, message, wParam, lParam);
  }
  return self->Handle(message, wParam, lParam);
}

}  // namespace

Win32Backend::Win32Backend() {
  // Waits and sleeps to the millisecond instead of the default 15.6 ms quantum.
  ::timeBeginPeriod(1);
  const HINSTANCE instance = ::GetModuleHandleW(nullptr);
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.hIcon = ::LoadIconW(instance, MAKEINTRESOURCEW(1));
  windowClass.hCursor = nullptr;  // chosen on WM_SETCURSOR
  windowClass.lpszClassName = kWindowClass;
  ::RegisterClassExW(&windowClass);
  WNDCLASSEXW wakeClass{};
  wakeClass.cbSize = sizeof(wakeClass);
  wakeClass.lpfnWndProc = WakeProc;
  wakeClass.hInstance = instance;
  wakeClass.lpszClassName = kWakeClass;
  ::RegisterClassExW(&wakeClass);
  // A message-only window: posted thread messages are lost inside the system's modal
  // loops, posted window messages are not.
  wake_window_ = ::CreateWindowExW(0, kWakeClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                   instance, nullptr);
  if (!wake_window_) throw std::runtime_error("cannot create the wake-up window");
}

Win32Backend::~Win32Backend() {
  ::DestroyWindow(static_cast<HWND>(wake_window_));
  ::timeEndPeriod(1);
}

void* Win32Backend::Handle(const NativeWindow& window) {
  return static_cast<const Win32Window&>(window).Handle();
}

std::unique_ptr<NativeWindow> Win32Backend::OpenWindow(const WindowOptions& options) {
  return std::make_unique<Win32Window>(*this, next_id_++, options);
}

Rect Win32Backend::WorkArea() {
  RECT r{};
  if (!::SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0)) {
    r = {0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
  }
  return {r.left, r.top, r.right, r.bottom};
}

void Win32Backend::Forget(Win32Window* window) {
  if (pointer_window_ == window) pointer_window_ = nullptr;
  pending_.DropWindow(window->Id());
}

bool Win32Backend::PollEvent(Event& event) {
  MSG msg;
  while (pending_.Empty() && ::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      pending_.Push({.type = Event::Type::Quit});
      break;
    }
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
  return pending_.Pop(event);
}

void Win32Backend::WaitEvents(int64_t deadlineUs) {
  if (!pending_.Empty()) return;
  if (pointer_window_ && pointer_window_->CheckPointer()) return;
  const int64_t waitMs = WaitMs(deadlineUs, clock_.LoopTimeUs(), 0x7FFFFFFF);
  if (waitMs == 0) return;
  const DWORD timeout = waitMs == kWaitWithoutLimit ? INFINITE : DWORD(waitMs);
  // MWMO_INPUTAVAILABLE: also return for input that an earlier peek saw but left queued.
  ::MsgWaitForMultipleObjectsEx(0, nullptr, timeout, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
}

void Win32Backend::Wake() {
  if (!wake_.Arm()) return;
  ::PostMessageW(static_cast<HWND>(wake_window_), kWakeMessage, 0,
                 reinterpret_cast<LPARAM>(&wake_));
}

}  // namespace platform
