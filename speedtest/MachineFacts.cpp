#include "speedtest/MachineFacts.h"

#include <algorithm>
#include <cctype>

#include "speedtest/Formats.h"

namespace speedtest {

std::string MemoryMbText(uint64_t bytes) {
  if (bytes == 0) return {};
  return std::to_string(bytes / 1024 / 1024);
}

std::string MemoryLabelText(const std::string& memoryMb) {
  return memoryMb + " MB";
}

std::string ActualSpeedText(int32_t measuredMhz) {
  return SpeedCaption(FormatMhz(measuredMhz));
}

std::string MmxText(bool mmx) {
  return mmx ? "MMX Yes" : "MMX No";
}

std::string SseText(bool sse, bool sse2) {
  return std::string(sse ? "SSE Yes" : "SSE No") + ", " + (sse2 ? "SSE2 Yes" : "SSE2 No");
}

VendorLogo ChooseVendorLogo(std::string_view cpuVendor) {
  std::string lower(cpuVendor);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return lower.find("intel") != std::string::npos ? VendorLogo::kIntel : VendorLogo::kAmd;
}

}  // namespace speedtest
