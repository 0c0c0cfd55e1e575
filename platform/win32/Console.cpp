#include <algorithm>
#include <iostream>
#include <memory>

#include "platform/ConsoleStream.h"
#include "platform/win32/Utf16.h"

namespace platform {
namespace {

bool IsConsole(HANDLE handle) {
  DWORD mode = 0;
  return handle != INVALID_HANDLE_VALUE && handle && ::GetConsoleMode(handle, &mode);
}

// A console handle gets UTF-16 through WriteConsoleW; a file or pipe the UTF-8 bytes.
std::ostream& Standard(DWORD which, std::ostream& narrow) {
  const HANDLE handle = ::GetStdHandle(which);
  if (!IsConsole(handle)) return narrow;
  static std::unique_ptr<Utf8StreamBuf> buffers[2];
  static std::unique_ptr<std::ostream> streams[2];
  const int i = which == STD_OUTPUT_HANDLE ? 0 : 1;
  if (!streams[i]) {
    narrow.flush();
    buffers[i] = std::make_unique<Utf8StreamBuf>([handle](std::string_view utf8) {
      const std::wstring wide = Utf16(utf8);
      for (size_t at = 0; at < wide.size();) {
        DWORD written = 0;
        const DWORD chunk = DWORD(std::min<size_t>(wide.size() - at, 8192));
        if (!::WriteConsoleW(handle, wide.data() + at, chunk, &written, nullptr) || written == 0) {
          return false;
        }
        at += written;
      }
      return true;
    });
    streams[i] = std::make_unique<std::ostream>(buffers[i].get());
    if (i == 1) streams[i]->setf(std::ios::unitbuf);  // errors show at once, as on cerr
  }
  return *streams[i];
}

}  // namespace

std::ostream& StandardOutput() {
  return Standard(STD_OUTPUT_HANDLE, std::cout);
}

std::ostream& StandardError() {
  return Standard(STD_ERROR_HANDLE, std::cerr);
}

}  // namespace platform
