// What the operating system says about itself: its version numbers and its name.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace platform {

// The numbers of Windows' version record, read so that compatibility shims do not
// lower them. service_pack is the service-pack text (for example "Service Pack 3",
// or " A " on Windows 98 Second Edition).
struct WindowsVersionNumbers {
  uint32_t platform_id = 0;
  uint32_t major = 0;
  uint32_t minor = 0;
  uint32_t build = 0;
  std::string service_pack;
};

// The running Windows' numbers; empty on other systems and when they cannot be read.
std::optional<WindowsVersionNumbers> ReadWindowsVersion();

// The text of the os-release file (/etc/os-release, else /usr/lib/os-release);
// empty where there is none, always empty on Windows.
std::string ReadOsRelease();

// The kernel's name and release as uname gives them ("Linux", "6.1.0-18-amd64");
// both empty on Windows.
struct KernelRelease {
  std::string name;
  std::string release;
};
KernelRelease ReadKernelRelease();

}  // namespace platform
