// Win32 implementation of the operating system's self-description.
#include "platform/OsInfo.h"

#include <bit>

#include <windows.h>

#include "platform/win32/Utf16.h"

namespace platform {
namespace {

using RtlGetVersionFunction = LONG(WINAPI*)(OSVERSIONINFOW*);

// RtlGetVersion reports the true version; GetVersionExW is lowered by compatibility
// shims and, for programs without a manifest, stops at 6.2. Windows 9x has only the latter.
bool ReadVersionRecord(OSVERSIONINFOW& info) {
  info.dwOSVersionInfoSize = sizeof(info);
  if (HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll")) {
    if (FARPROC address = ::GetProcAddress(ntdll, "RtlGetVersion")) {
      if (std::bit_cast<RtlGetVersionFunction>(address)(&info) == 0) return true;
    }
  }
  info = OSVERSIONINFOW{};
  info.dwOSVersionInfoSize = sizeof(info);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  return ::GetVersionExW(&info) != 0;
#pragma GCC diagnostic pop
}

}  // namespace

std::optional<WindowsVersionNumbers> ReadWindowsVersion() {
  OSVERSIONINFOW info{};
  if (!ReadVersionRecord(info)) return std::nullopt;
  return WindowsVersionNumbers{info.dwPlatformId, info.dwMajorVersion, info.dwMinorVersion,
                               info.dwBuildNumber, Utf8(info.szCSDVersion)};
}

std::string ReadOsRelease() {
  return {};
}

KernelRelease ReadKernelRelease() {
  return {};
}

}  // namespace platform
