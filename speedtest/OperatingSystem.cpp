#include "speedtest/OperatingSystem.h"

#include <array>
#include <optional>

namespace speedtest {
namespace {

constexpr uint32_t kPlatformWindows9x = 1;
constexpr uint32_t kPlatformWindowsNT = 2;
constexpr int kAnyMinor = -1;

// Windows 98 Second Edition marks itself with an "A" as the service-pack text's second
// character (the text is " A ").
enum class ServicePack : uint8_t { kAny, kSecondEdition };

struct VersionRow {
  uint32_t platform_id;
  uint32_t major_low;
  uint32_t major_high;
  int minor;
  uint32_t lowest_build;
  ServicePack service_pack;
  uint8_t code;
};

// Checked in order; the first matching row gives the code, no match gives Unknown.
constexpr VersionRow kVersionRows[] = {
    // platform id, major low, major high, minor, lowest build, service pack, code
    {kPlatformWindows9x, 4, 4, 0, 0, ServicePack::kAny, kWindows95},
    {kPlatformWindows9x, 4, 4, 10, 0, ServicePack::kSecondEdition, kWindows98SE},
    {kPlatformWindows9x, 4, 4, 10, 0, ServicePack::kAny, kWindows98},
    {kPlatformWindows9x, 4, 4, 90, 0, ServicePack::kAny, kWindowsME},
    {kPlatformWindowsNT, 0, 4, kAnyMinor, 0, ServicePack::kAny, kWindowsNT},
    {kPlatformWindowsNT, 5, 5, 0, 0, ServicePack::kAny, kWindows2000},
    {kPlatformWindowsNT, 5, 5, 1, 0, ServicePack::kAny, kWindowsXP},
    {kPlatformWindowsNT, 5, 5, 2, 0, ServicePack::kAny, kWindowsServer2003},
    {kPlatformWindowsNT, 6, 6, 0, 0, ServicePack::kAny, kWindowsVista},
    {kPlatformWindowsNT, 6, 6, 1, 0, ServicePack::kAny, kWindows7},
    {kPlatformWindowsNT, 6, 6, 2, 0, ServicePack::kAny, kWindows8},
    {kPlatformWindowsNT, 6, 6, 3, 0, ServicePack::kAny, kWindows81},
    {kPlatformWindowsNT, 10, 10, 0, 22000, ServicePack::kAny, kWindows11},
    {kPlatformWindowsNT, 10, 10, 0, 0, ServicePack::kAny, kWindows10},
};
static_assert(std::size(kVersionRows) == 14);

// Indexed by code.
constexpr std::array<const char*, 15> kVersionNames = {
    "Unknown",    "Windows 95",   "Windows 98",  "Windows 98 SE", "Windows NT",
    "Windows ME", "Windows 2000", "Windows XP",  "Windows Vista", "Windows Server 2003",
    "Windows 7",  "Windows 8",    "Windows 8.1", "Windows 10",    "Windows 11",
};
static_assert(kVersionNames.size() == kWindows11 + 1);

bool Matches(const VersionRow& row, const platform::WindowsVersionNumbers& version) {
  if (version.platform_id != row.platform_id) return false;
  if (version.major < row.major_low || version.major > row.major_high) return false;
  if (row.minor != kAnyMinor && version.minor != static_cast<uint32_t>(row.minor)) return false;
  if (version.build < row.lowest_build) return false;
  if (row.service_pack == ServicePack::kSecondEdition) {
    return version.service_pack.size() >= 2 && version.service_pack[1] == 'A';
  }
  return true;
}

std::string_view Trim(std::string_view text) {
  const auto first = text.find_first_not_of(" \t\r");
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(" \t\r");
  return text.substr(first, last - first + 1);
}

// An os-release value: shell-like, optionally in single or double quotes, with
// backslash escapes inside double quotes.
std::string Unquote(std::string_view value) {
  if (value.size() >= 2 && value.front() == '\'' && value.back() == '\'') {
    return std::string(value.substr(1, value.size() - 2));
  }
  const bool double_quoted = value.size() >= 2 && value.front() == '"' && value.back() == '"';
  if (double_quoted) value = value.substr(1, value.size() - 2);
  std::string result;
  for (size_t i = 0; i < value.size(); ++i) {
    if (value[i] == '\\' && i + 1 < value.size()) ++i;
    result += value[i];
  }
  return result;
}

}  // namespace

uint8_t ClassifyWindowsVersion(const platform::WindowsVersionNumbers& version) {
  for (const VersionRow& row : kVersionRows) {
    if (Matches(row, version)) return row.code;
  }
  return kWindowsUnknown;
}

uint8_t DetectWindowsVersion() {
  const std::optional<platform::WindowsVersionNumbers> version = platform::ReadWindowsVersion();
  if (!version) return kWindowsUnknown;
  return ClassifyWindowsVersion(*version);
}

std::string WindowsVersionName(uint8_t code) {
  return code < kVersionNames.size() ? kVersionNames[code] : "";
}

std::string PrettyNameFromOsRelease(std::string_view text) {
  constexpr std::string_view kKey = "PRETTY_NAME=";
  while (!text.empty()) {
    const auto end = text.find('\n');
    const std::string_view line = Trim(text.substr(0, end));
    text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
    if (line.starts_with(kKey)) return Unquote(Trim(line.substr(kKey.size())));
  }
  return {};
}

std::string OperatingSystemName() {
  if (const auto version = platform::ReadWindowsVersion()) {
    return WindowsVersionName(ClassifyWindowsVersion(*version));
  }
  if (std::string name = PrettyNameFromOsRelease(platform::ReadOsRelease()); !name.empty()) {
    return name;
  }
  const platform::KernelRelease kernel = platform::ReadKernelRelease();
  if (kernel.name.empty()) return WindowsVersionName(kWindowsUnknown);
  return kernel.release.empty() ? kernel.name : kernel.name + " " + kernel.release;
}

}  // namespace speedtest
