#include "cpuinfo/HardwareCpuid.h"

#include <cpuid.h>

#include "platform/System.h"

namespace cpuinfo {
namespace {

class SystemBinding final : public ProcessorBinding {
 public:
  bool Available() override { return platform::AffinityAvailable(); }
  uint32_t Mask() override { return platform::ProcessAffinity(); }
  void SetMask(uint32_t mask) override { platform::SetProcessAffinity(mask); }
  void Yield() override { platform::YieldProcessor(); }
};

}  // namespace

CpuidRegisters HardwareCpuidSource::Execute(uint32_t leaf) {
  return ExecuteCpuid(leaf, 0);
}

CpuidRegisters ExecuteCpuid(uint32_t leaf, uint32_t subleaf) {
  unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
  __cpuid_count(leaf, subleaf, eax, ebx, ecx, edx);
  return CpuidRegisters{eax, ebx, ecx, edx};
}

uint32_t HardwareCpuidSource::ProcessorCount() {
  return platform::ProcessorCount();
}

ProcessorBinding* HardwareCpuidSource::Binding() {
  static SystemBinding binding;
  return &binding;
}

HardwareCpuidSource& HardwareCpuid() {
  static HardwareCpuidSource source;
  return source;
}

}  // namespace cpuinfo
