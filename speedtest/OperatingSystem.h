// The operating system's name as the CPU details page shows it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/OsInfo.h"

namespace speedtest {

// Windows version codes. 0 to 8 are the program's original codes; 8 now stands for
// Vista alone, and the releases after it have codes of their own instead of all
// reading "Windows Vista".
enum WindowsVersionCode : uint8_t {
  kWindowsUnknown = 0,
  kWindows95 = 1,
  kWindows98 = 2,
  kWindows98SE = 3,
  kWindowsNT = 4,
  kWindowsME = 5,
  kWindows2000 = 6,
  kWindowsXP = 7,
  kWindowsVista = 8,
  kWindowsServer2003 = 9,
  kWindows7 = 10,
  kWindows8 = 11,
  kWindows81 = 12,
  kWindows10 = 13,
  kWindows11 = 14,
};

// The code for a Windows version record.
uint8_t ClassifyWindowsVersion(const platform::WindowsVersionNumbers& version);

// The running Windows' code; kWindowsUnknown elsewhere or when the version cannot be read.
uint8_t DetectWindowsVersion();

// "Windows XP" and so on; "Unknown" for code 0, empty text for a code with no name.
std::string WindowsVersionName(uint8_t code);

// PRETTY_NAME of an os-release text, unquoted and unescaped; empty when it has none.
std::string PrettyNameFromOsRelease(std::string_view text);

// The name of the running system: Windows by its version; elsewhere the distribution's
// pretty name, or the kernel's name and release ("Linux 6.1.0-18-amd64").
std::string OperatingSystemName();

}  // namespace speedtest
