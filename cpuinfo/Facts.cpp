#include "cpuinfo/Facts.h"

#include "cpuinfo/Bits.h"
#include "cpuinfo/CpuidSource.h"
#include "cpuinfo/Naming.h"
#include "cpuinfo/Processor.h"
#include "cpuinfo/Speed.h"
#include "cpuinfo/Vendor.h"

namespace cpuinfo {

std::string ReadCpuDescription() {
  return CpuInstance().Information(0)->Name()->Name();
}

std::string ReadCpuVendor() {
  return CpuInstance().Information(0)->Vendor()->Name();
}

std::string ReadCpuFamily() {
  return CpuInstance().Information(0)->Signature()->AsText();
}

std::string ReadCpuPublishedSpeed() {
  return CpuInstance().Information(0)->Speed()->NormalizedSpeed()->AsMhz();
}

InstructionSetFlags ReadInstructionSetFlags() {
  // Straight CPUID on whatever processor runs the caller, no binding or leaf test.
  const uint32_t edx = ActiveCpuidSource().Execute(1).edx;
  return InstructionSetFlags{Bit(edx, 23), Bit(edx, 25), Bit(edx, 26)};
}

std::string MmxText(const InstructionSetFlags& flags) {
  return flags.mmx ? "MMX Yes" : "MMX No";
}

std::string SseSse2Text(const InstructionSetFlags& flags) {
  return std::string(flags.sse ? "SSE Yes" : "SSE No") + ", " +
         (flags.sse2 ? "SSE2 Yes" : "SSE2 No");
}

}  // namespace cpuinfo
