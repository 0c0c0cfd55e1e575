// Between the program's UTF-8 text and the UTF-16 of the Win32 interface.
#pragma once

#include <string>
#include <string_view>

#include <windows.h>

namespace platform {

inline std::wstring Utf16(std::string_view utf8) {
  const int size = int(utf8.size());
  std::wstring wide(size_t(::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0)),
                    L'\0');
  ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, wide.data(), int(wide.size()));
  return wide;
}

inline std::string Utf8(std::wstring_view wide) {
  const int size = int(wide.size());
  std::string utf8(
      size_t(::WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr)),
      '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, utf8.data(), int(utf8.size()), nullptr,
                        nullptr);
  return utf8;
}

}  // namespace platform
