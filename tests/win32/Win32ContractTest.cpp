// The window backends' contract on the Win32 backend (wine on a virtual display with a
// window manager in CI): input through the system's own SendInput, close requests as the
// system's own message.
#include <windows.h>

#include "platform/win32/Win32Backend.h"
#include "tests/platform/BackendContract.h"
#include "tests/win32/SyntheticInput.h"

namespace platform {
namespace {

HWND Hwnd(const NativeWindow& window) {
  return static_cast<HWND>(Win32Backend::Handle(window));
}

class Win32Driver {
 public:
  static constexpr bool kCaptures = true;
  static constexpr bool kShowsFocus = true;
  static const char* Unavailable() { return nullptr; }

  Backend& Get() { return backend_; }
  int SettleMs() const { return 300; }
  void MovePointer(int x, int y) { SendPointerTo(x, y); }
  void PressLeft() { SendButton(MOUSEEVENTF_LEFTDOWN); }
  void ReleaseLeft() { SendButton(MOUSEEVENTF_LEFTUP); }
  void AskToClose(const NativeWindow& window) { ::PostMessageW(Hwnd(window), WM_CLOSE, 0, 0); }
  Point Position(const NativeWindow& window) const {
    POINT p{0, 0};
    ::ClientToScreen(Hwnd(window), &p);
    return {int(p.x), int(p.y)};
  }
  bool HasFocus(const NativeWindow& window) const {
    return ::GetForegroundWindow() == Hwnd(window);
  }

 private:
  Win32Backend backend_;
};

INSTANTIATE_TYPED_TEST_SUITE_P(Win32, BackendContract, Win32Driver);

}  // namespace
}  // namespace platform
