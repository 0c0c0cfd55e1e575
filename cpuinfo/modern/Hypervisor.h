// The hypervisor a processor runs under (leaf 0x40000000) and the clock rates CPUID
// declares (leaves 0x15, 0x16 and the hypervisor's 0x40000010).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "cpuinfo/modern/Snapshot.h"

namespace cpuinfo::modern {

struct HypervisorInfo {
  bool present = false;      // leaf 1 ECX bit 31
  std::string vendorId;      // leaf 0x40000000 EBX, ECX, EDX, without trailing NULs
  std::string_view name;     // "KVM", ...; empty when the identifier is not known
  uint32_t highestLeaf = 0;  // leaf 0x40000000 EAX
};

HypervisorInfo DecodeHypervisor(const CpuidSnapshot& snapshot);

// Zero where the processor does not declare the value.
struct DeclaredFrequencies {
  uint64_t tscHz = 0;      // leaf 0x15: crystal times the ratio
  uint32_t crystalHz = 0;  // leaf 0x15 ECX
  uint32_t baseMhz = 0;    // leaf 0x16
  uint32_t maxMhz = 0;
  uint32_t busMhz = 0;
  uint32_t hypervisorTscKhz = 0;  // leaf 0x40000010
  uint32_t hypervisorBusKhz = 0;
};

DeclaredFrequencies DecodeFrequencies(const CpuidSnapshot& snapshot);

}  // namespace cpuinfo::modern
