// The processor's own CPUID instruction, bound through the operating system's affinity.
#pragma once

#include "cpuinfo/CpuidSource.h"

namespace cpuinfo {

class HardwareCpuidSource final : public CpuidSource {
 public:
  CpuidRegisters Execute(uint32_t leaf) override;
  uint32_t ProcessorCount() override;
  ProcessorBinding* Binding() override;
};

HardwareCpuidSource& HardwareCpuid();

// Executes one leaf with ECX = subleaf on the processor the caller runs on.
CpuidRegisters ExecuteCpuid(uint32_t leaf, uint32_t subleaf);

}  // namespace cpuinfo
