// The processor texts the CPU details page shows and a score submission sends, each
// read afresh through processor 0 of the library.
#pragma once

#include <string>

namespace cpuinfo {

std::string ReadCpuDescription();     // Information(0).Name.Name
std::string ReadCpuVendor();          // Information(0).Vendor.Name
std::string ReadCpuFamily();          // Information(0).Signature.AsText
std::string ReadCpuPublishedSpeed();  // Information(0).Speed.NormalizedSpeed.AsMhz (~200 ms)

// The instruction-set flags of leaf 1 EDX on the current processor.
struct InstructionSetFlags {
  bool mmx = false;   // bit 23
  bool sse = false;   // bit 25
  bool sse2 = false;  // bit 26
};
InstructionSetFlags ReadInstructionSetFlags();

std::string MmxText(const InstructionSetFlags& flags);      // "MMX Yes" / "MMX No"
std::string SseSse2Text(const InstructionSetFlags& flags);  // "SSE Yes, SSE2 No"

}  // namespace cpuinfo
