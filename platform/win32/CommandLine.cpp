#include "platform/CommandLine.h"

#include <windows.h>
// After windows.h, which it builds on.
#include <shellapi.h>

#include "platform/win32/Utf16.h"

namespace platform {

std::vector<std::string> CommandLineArguments(int, char**) {
  std::vector<std::string> arguments;
  int count = 0;
  wchar_t** wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
  if (!wide) return arguments;
  for (int i = 1; i < count; ++i) {
    arguments.push_back(Utf8(wide[i]));
  }
  ::LocalFree(wide);
  return arguments;
}

}  // namespace platform
