// Mouse input through the system's own SendInput, as a real mouse gives it: the tests of
// the Win32 backend drive it with nothing else.
#pragma once

#include <windows.h>

namespace platform {

// Puts the pointer at screen position (x, y) in one move.
inline void SendPointerTo(int x, int y) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = x * 65535 / (::GetSystemMetrics(SM_CXSCREEN) - 1);
  input.mi.dy = y * 65535 / (::GetSystemMetrics(SM_CYSCREEN) - 1);
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  ::SendInput(1, &input, sizeof(input));
}

// A button's press or release: MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, ...
inline void SendButton(DWORD flags) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = flags;
  ::SendInput(1, &input, sizeof(input));
}

}  // namespace platform
