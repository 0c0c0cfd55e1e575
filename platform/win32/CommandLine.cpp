#include "platform/CommandLine.h"

#include <fcntl.h>
#include <io.h>
#include <windows.h>
// After windows.h, which it builds on.
#include <shellapi.h>

#include <cstdio>

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

void KeepStandardOutputBytes() {
  ::_setmode(::_fileno(stdout), _O_BINARY);
  ::_setmode(::_fileno(stderr), _O_BINARY);
}

}  // namespace platform
