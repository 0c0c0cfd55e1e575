// POSIX implementation of the operating system's self-description.
#include "platform/OsInfo.h"

#include <sys/utsname.h>

#include <fstream>
#include <iterator>

namespace platform {

std::optional<WindowsVersionNumbers> ReadWindowsVersion() {
  return std::nullopt;
}

std::string ReadOsRelease() {
  // The second location is where distributions keep the file /etc/os-release links to.
  for (const char* path : {"/etc/os-release", "/usr/lib/os-release"}) {
    std::ifstream file(path, std::ios::binary);
    if (file) return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  }
  return {};
}

KernelRelease ReadKernelRelease() {
  utsname names{};
  if (::uname(&names) != 0) return {};
  return {names.sysname, names.release};
}

}  // namespace platform
