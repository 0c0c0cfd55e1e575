#include "speedtest/MachineFacts.h"

#include <algorithm>
#include <cctype>

#include "platform/System.h"
#include "speedtest/Formats.h"
#include "speedtest/MachineIdentity.h"
#include "speedtest/OperatingSystem.h"

namespace speedtest {

VendorLogo ChooseVendorLogo(std::string_view cpuVendor) {
  std::string lower(cpuVendor);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return lower.find("intel") != std::string::npos ? VendorLogo::kIntel : VendorLogo::kAmd;
}

MachineFacts GatherMachineFacts(int32_t measuredMhz) {
  MachineFacts facts;
  const uint64_t memoryBytes = platform::TotalPhysicalMemory();
  facts.MachineIdentity = GetMachineIdentity();
  facts.Processor = ReadProcessorTexts();
  facts.ActualSpeed = ActualSpeedText(measuredMhz);
  facts.OsName = OperatingSystemName();
  facts.MemoryMb = MemoryMbText(memoryBytes);
  facts.Logo = ChooseVendorLogo(facts.Processor.CpuVendor);
  facts.Flags = cpuinfo::ReadInstructionSetFlags();
  facts.MmxText = cpuinfo::MmxText(facts.Flags);
  facts.SseSse2Text = cpuinfo::SseSse2Text(facts.Flags);
  return facts;
}

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

}  // namespace speedtest
