// The facts the CPU details page shows about the machine, and the texts it shows them as.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "cpuinfo/Facts.h"
#include "speedtest/ProcessorTexts.h"

namespace speedtest {

// Which vendor picture the details page shows. Every vendor whose long name does not
// contain "intel" (in any case) gets the AMD picture, Via and Cyrix included.
enum class VendorLogo : uint8_t { kIntel, kAmd };
VendorLogo ChooseVendorLogo(std::string_view cpuVendor);

// Everything the details page shows, gathered afresh on every entry.
struct MachineFacts {
  std::string MachineIdentity;
  ProcessorTexts Processor;
  std::string ActualSpeed;  // MeasuredMhz as the page shows it: "2992 Mhz"
  std::string OsName;
  // Whole MB without unit; empty when the system reports no memory size, in which case
  // the page keeps the memory text it had.
  std::string MemoryMb;
  VendorLogo Logo = VendorLogo::kAmd;
  cpuinfo::InstructionSetFlags Flags;
  std::string MmxText;      // "MMX Yes"
  std::string SseSse2Text;  // "SSE Yes, SSE2 No"
};

// Memory, identity, the four processor texts (the published speed runs the library's
// own measurement, so this takes about 200 ms), actual speed (from the measured rate
// given), system name, memory text, vendor logo and instruction-set flags, in that order.
MachineFacts GatherMachineFacts(int32_t measuredMhz);

// Installed memory in whole MB as decimal text, from the full 64-bit byte count
// (4,294,967,295 bytes give 4095, 24 GiB give 24576); empty text when the count is 0.
std::string MemoryMbText(uint64_t bytes);

// "2048 MB" for a MemoryMb text.
std::string MemoryLabelText(const std::string& memoryMb);

// The actual-speed text: MeasuredMhz as "%.4d" followed by " Mhz" (0850 Mhz, 0000 Mhz).
std::string ActualSpeedText(int32_t measuredMhz);

}  // namespace speedtest
