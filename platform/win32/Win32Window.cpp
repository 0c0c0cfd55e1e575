#include "platform/win32/Win32Window.h"

#include <algorithm>
#include <stdexcept>

// After windows.h, which it builds on.
#include <windowsx.h>

#include "platform/DisplayScale.h"
#include "platform/win32/DibSection.h"
#include "platform/win32/Utf16.h"
#include "platform/win32/Win32Backend.h"

namespace platform {

namespace {

uint8_t CurrentModifiers() {
  uint8_t m = 0;
  if (::GetKeyState(VK_SHIFT) < 0) m |= modifiers::kShift;
  if (::GetKeyState(VK_CONTROL) < 0) m |= modifiers::kControl;
  if (::GetKeyState(VK_MENU) < 0) m |= modifiers::kAlt;
  return m;
}

struct ButtonMessage {
  UINT message;
  MouseButton button;
  bool down;
};
constexpr ButtonMessage kButtonMessages[] = {
    // message         button               down
    {WM_LBUTTONDOWN, MouseButton::Left, true},   {WM_LBUTTONUP, MouseButton::Left, false},
    {WM_RBUTTONDOWN, MouseButton::Right, true},  {WM_RBUTTONUP, MouseButton::Right, false},
    {WM_MBUTTONDOWN, MouseButton::Middle, true}, {WM_MBUTTONUP, MouseButton::Middle, false},
};

const ButtonMessage* FindButtonMessage(UINT message) {
  for (const ButtonMessage& row : kButtonMessages) {
    if (row.message == message) return &row;
  }
  return nullptr;
}

// A second look at the pointer, a moment after a capture ends or the pointer enters: the
// system may still place the cursor where the input it just handled put it (wine answers
// from that input for 100 ms) while the pointer is already elsewhere.
constexpr UINT_PTR kPointerCheckTimer = 1;
constexpr UINT kPointerCheckMs = 150;

DWORD StyleFor(bool borderless) {
  // The system menu and minimise box give a popup the task bar's minimise and Alt+F4.
  return borderless ? WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX
                    : WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
}

// The outer rectangle of a window of these styles whose client area is at (x, y), width x
// height.
RECT OuterRect(DWORD style, DWORD exStyle, int x, int y, int width, int height) {
  RECT r{x, y, x + std::max(width, 1), y + std::max(height, 1)};
  ::AdjustWindowRectEx(&r, style, FALSE, exStyle);
  return r;
}

// The dots per inch of the monitor a window is on: GetDpiForWindow where the system has
// it (Windows 10 1607 and later), else the system's.
UINT WindowDpi(HWND window) {
  using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
  static const auto getDpiForWindow =
      reinterpret_cast<GetDpiForWindowFunction>(reinterpret_cast<void*>(
          ::GetProcAddress(::GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
  if (getDpiForWindow) {
    if (const UINT dpi = getDpiForWindow(window)) return dpi;
  }
  HDC screen = ::GetDC(nullptr);
  const int dpi = screen ? ::GetDeviceCaps(screen, LOGPIXELSX) : 96;
  if (screen) ::ReleaseDC(nullptr, screen);
  return UINT(dpi > 0 ? dpi : 96);
}

}  // namespace

Win32Window::Win32Window(Win32Backend& backend, uint32_t id, const WindowOptions& options)
    : backend_(backend), id_(id) {
  const DWORD exStyle = options.topmost ? WS_EX_TOPMOST : 0;
  HWND owner = options.owner ? static_cast<HWND>(Win32Backend::Handle(*options.owner)) : nullptr;
  const RECT r = OuterRect(StyleFor(options.borderless), exStyle, options.x, options.y,
                           options.width, options.height);
  window_ = ::CreateWindowExW(exStyle, kWindowClass, Utf16(options.title).c_str(),
                              StyleFor(options.borderless), r.left, r.top, r.right - r.left,
                              r.bottom - r.top, owner, nullptr, ::GetModuleHandleW(nullptr), this);
  if (!window_) throw std::runtime_error("CreateWindowExW failed");
  memory_dc_ = ::CreateCompatibleDC(nullptr);
}

Win32Window::~Win32Window() {
  backend_.Forget(this);
  ::SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
  ::DestroyWindow(window_);
  if (bitmap_) ::DeleteObject(::SelectObject(memory_dc_, old_bitmap_));
  ::DeleteDC(memory_dc_);
}

void Win32Window::SetTitle(std::string_view title) {
  ::SetWindowTextW(window_, Utf16(title).c_str());
}

void Win32Window::SetBounds(int x, int y, int width, int height) {
  const RECT r = OuterRect(DWORD(::GetWindowLongPtrW(window_, GWL_STYLE)),
                           DWORD(::GetWindowLongPtrW(window_, GWL_EXSTYLE)), x, y, width, height);
  ::SetWindowPos(window_, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

int Win32Window::Scale() const {
  return ChooseScale(ScaleForDpi(WindowDpi(window_)));
}

void Win32Window::Push(Event::Type type, int x, int y) {
  backend_.Push({.type = type, .window = id_, .x = x, .y = y, .modifiers = CurrentModifiers()});
}

bool Win32Window::EnsureBitmap(int width, int height) {
  if (bitmap_ && width == bitmap_width_ && height == bitmap_height_) return false;
  if (bitmap_) ::DeleteObject(::SelectObject(memory_dc_, old_bitmap_));
  void* bits = nullptr;
  bitmap_ = CreateTopDownDib(width, height, &bits);
  bits_ = static_cast<uint8_t*>(bits);
  bitmap_width_ = bitmap_ ? width : 0;
  bitmap_height_ = bitmap_ ? height : 0;
  if (bitmap_) old_bitmap_ = ::SelectObject(memory_dc_, bitmap_);
  return true;
}

void Win32Window::Present(const FrameView& frame, std::span<const Rect> dirty) {
  if (frame.width <= 0 || frame.height <= 0) return;
  const bool resized = EnsureBitmap(frame.width, frame.height);
  if (!bitmap_) return;
  const Rect whole{0, 0, frame.width, frame.height};
  const std::span<const Rect> rects =
      dirty.empty() || resized ? std::span<const Rect>(&whole, 1) : dirty;
  // Copied into the DIB section, which WM_PAINT shows again whenever the system asks;
  // then drawn at once, so a present is on the screen when it returns.
  HDC dc = ::IsWindowVisible(window_) ? ::GetDC(window_) : nullptr;
  const size_t stride = size_t(frame.width) * 4;
  for (const Rect& wanted : rects) {
    const Rect r = ClipToFrame(wanted, frame, frame.width, frame.height);
    if (IsEmpty(r)) continue;
    CopyFrameRect(frame, r, bits_, stride);
    if (dc) Blit(dc, RECT{r.left, r.top, r.right, r.bottom});
  }
  if (dc) ::ReleaseDC(window_, dc);
}

void Win32Window::FollowDrag() {
  POINT p{};
  if (!::GetCursorPos(&p)) return;
  const HandDrag::Point at = drag_.hand.WindowFor({int(p.x), int(p.y)});
  ::SetWindowPos(window_, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Arms the leave tracking of a pointer said to be inside, after a mouse message or a
// capture (which the tracking does not outlast): a pointer that is in fact elsewhere by
// now (it left while a button was held, or while the program was busy and its messages
// waited) leaves at once. The system would not say so: it tracks only a pointer it sees
// inside.
void Win32Window::RearmLeaveTracking() {
  if (LeaveIfPointerGone()) return;
  TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, window_, 0};
  tracking_ = ::TrackMouseEvent(&track) != FALSE;
}

// A pointer that is no longer over the window, nor held by its capture, has left it.
bool Win32Window::LeaveIfPointerGone() {
  if (!tracking_ || ::GetCapture() == window_) return false;
  POINT p{};
  if (!::GetCursorPos(&p) || ::WindowFromPoint(p) == window_) return false;
  TRACKMOUSEEVENT cancel{sizeof(cancel), TME_LEAVE | TME_CANCEL, window_, 0};
  ::TrackMouseEvent(&cancel);
  tracking_ = false;
  Push(Event::Type::MouseLeave);
  return true;
}

// The frontmost visible, enabled window this one owns: the dialog a click on a disabled
// owner brings forward.
void Win32Window::RaiseOwnedWindow() {
  for (HWND w = ::GetTopWindow(nullptr); w; w = ::GetWindow(w, GW_HWNDNEXT)) {
    if (::GetWindow(w, GW_OWNER) == window_ && ::IsWindowVisible(w) && ::IsWindowEnabled(w)) {
      ::SetWindowPos(w, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
      ::SetForegroundWindow(w);
      ::FlashWindow(w, TRUE);
      return;
    }
  }
}

bool Win32Window::Mouse(UINT message, WPARAM, LPARAM lParam) {
  const int x = GET_X_LPARAM(lParam);
  const int y = GET_Y_LPARAM(lParam);
  if (message == WM_MOUSEMOVE) {
    if (drag_.active) {
      FollowDrag();
      return true;
    }
    const bool entering = !tracking_ && InClientArea(x, y);
    if (entering) Enter();
    Push(Event::Type::MouseMove, x, y);
    // A move found queued after the pointer went on: the pointer leaves again at once.
    if (entering) RearmLeaveTracking();
    return true;
  }
  const ButtonMessage* button = FindButtonMessage(message);
  if (!button) return false;
  if (button->button == MouseButton::Left && button->down && drag_test_ && drag_test_(x, y)) {
    // Moved by hand from the pointer's screen position: the system's move loop is modal
    // and would stop every timer and posted message until release.
    RECT r{};
    ::GetWindowRect(window_, &r);
    POINT p{};
    ::GetCursorPos(&p);
    drag_ = {true, {{int(p.x), int(p.y)}, {int(r.left), int(r.top)}}};
    ::SetCapture(window_);
    return true;
  }
  if (button->button == MouseButton::Left && !button->down && drag_.active) {
    drag_.active = false;
    ::ReleaseCapture();
    return true;
  }
  // A press or release found queued after the pointer's leave was said (the program was
  // busy while the pointer came, clicked and went on): the pointer was inside when it was
  // made. Its leave is decided again once the capture ends. (A captured release outside
  // says nothing of the kind.)
  const bool entering = !tracking_ && InClientArea(x, y);
  if (entering) Enter();
  backend_.Push({.type = button->down ? Event::Type::MouseDown : Event::Type::MouseUp,
                 .window = id_,
                 .x = x,
                 .y = y,
                 .button = button->button,
                 .modifiers = CurrentModifiers()});
  // After the release is queued: ending the capture may queue the pointer's leave.
  if (button->down) {
    ::SetCapture(window_);
  } else if (!(GetKeyState(VK_LBUTTON) < 0 || GetKeyState(VK_RBUTTON) < 0 ||
               GetKeyState(VK_MBUTTON) < 0)) {
    // Ending a capture checks the pointer (WM_CAPTURECHANGED); a release without one
    // checks it here.
    if (::GetCapture() == window_) {
      ::ReleaseCapture();
    } else if (entering) {
      RearmLeaveTracking();
    }
  }
  return true;
}

// The pointer is inside, as a mouse message says; its leave is tracked once the message
// is queued (RearmLeaveTracking), so a pointer already gone leaves after it.
void Win32Window::Enter() {
  tracking_ = true;
  backend_.pointer_window_ = this;
  ApplyCursor();
  Push(Event::Type::MouseEnter);
  ::SetTimer(window_, kPointerCheckTimer, kPointerCheckMs, nullptr);
}

LRESULT Win32Window::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  if (Mouse(message, wParam, lParam)) return 0;
  switch (message) {
    case WM_MOUSELEAVE:
      if (!tracking_) return 0;  // already said
      tracking_ = false;
      Push(Event::Type::MouseLeave);
      return 0;
    case WM_CAPTURECHANGED:
      drag_.active = false;
      if (tracking_) {
        RearmLeaveTracking();
        ::SetTimer(window_, kPointerCheckTimer, kPointerCheckMs, nullptr);
      }
      return 0;
    case WM_TIMER:
      if (wParam != kPointerCheckTimer) break;
      ::KillTimer(window_, kPointerCheckTimer);
      LeaveIfPointerGone();
      return 0;
    case WM_MOVE: {
      // The client area's screen position, as the program places windows.
      POINT p{0, 0};
      ::ClientToScreen(window_, &p);
      Push(Event::Type::Moved, p.x, p.y);
      return 0;
    }
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYUP: {
      const bool down = message == WM_KEYDOWN || message == WM_SYSKEYDOWN;
      backend_.Push({.type = down ? Event::Type::KeyDown : Event::Type::KeyUp,
                     .window = id_,
                     .key = int(wParam),
                     .modifiers = CurrentModifiers()});
      // The system keys keep their meaning: Alt+F4 closes through WM_CLOSE.
      if (message == WM_SYSKEYDOWN || message == WM_SYSKEYUP) break;
      return 0;
    }
    case WM_CLOSE:
      Push(Event::Type::Close);
      return 0;
    case WM_DPICHANGED: {
      // Onto a monitor of another density: the program resizes the window for it, at
      // the place the system suggests.
      const auto* suggested = reinterpret_cast<const RECT*>(lParam);
      backend_.Push({.type = Event::Type::Rescaled,
                     .window = id_,
                     .x = int(suggested->left),
                     .y = int(suggested->top),
                     .scale = ChooseScale(ScaleForDpi(int(LOWORD(wParam))))});
      return 0;
    }
    case WM_ENDSESSION:
      if (wParam) backend_.Push({.type = Event::Type::Quit});
      return 0;
    case WM_SETCURSOR: {
      const int hit = short(LOWORD(lParam));  // HTERROR is negative
      const UINT mouse = HIWORD(lParam);
      if (hit == HTERROR &&
          (mouse == WM_LBUTTONDOWN || mouse == WM_RBUTTONDOWN || mouse == WM_MBUTTONDOWN)) {
        RaiseOwnedWindow();
        return TRUE;
      }
      if (hit == HTCLIENT) {
        ApplyCursor();
        return TRUE;
      }
      break;
    }
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      if (HDC dc = ::BeginPaint(window_, &ps)) {
        Paint(dc, ps.rcPaint);
        ::EndPaint(window_, &ps);
      }
      return 0;
    }
    case WM_PRINTCLIENT: {
      RECT r{};
      ::GetClientRect(window_, &r);
      Paint(reinterpret_cast<HDC>(wParam), r);
      return 0;
    }
    default:
      break;
  }
  return ::DefWindowProcW(window_, message, wParam, lParam);
}

}  // namespace platform
