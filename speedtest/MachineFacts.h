// The facts the CPU details page shows about the machine, and the texts it shows them as.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace speedtest {

// Installed memory in whole MB as decimal text, from the full 64-bit byte count
// (4,294,967,295 bytes give 4095, 24 GiB give 24576); empty text when the count is 0,
// which leaves the page's previous text in place.
std::string MemoryMbText(uint64_t bytes);

// "2048 MB" for a MemoryMb text.
std::string MemoryLabelText(const std::string& memoryMb);

// The actual-speed text: MeasuredMhz as "%.4d" followed by " Mhz" (0850 Mhz, 0000 Mhz).
std::string ActualSpeedText(int32_t measuredMhz);

// "MMX Yes" or "MMX No".
std::string MmxText(bool mmx);

// The SSE and SSE2 texts joined: "SSE Yes, SSE2 No".
std::string SseText(bool sse, bool sse2);

// Which vendor picture the details page shows. Every vendor whose long name does not
// contain "intel" (in any case) gets the AMD picture, Via and Cyrix included.
enum class VendorLogo : uint8_t { kIntel, kAmd };
VendorLogo ChooseVendorLogo(std::string_view cpuVendor);

}  // namespace speedtest
