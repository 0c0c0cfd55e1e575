#include "cpuinfo/modern/Flags.h"

namespace cpuinfo::modern {
namespace {

bool LeafReported(const CpuidSnapshot& snapshot, uint32_t leaf, uint32_t subleaf) {
  const bool extended = leaf >= 0x80000000u;
  if (leaf > (extended ? snapshot.MaxExtended() : snapshot.MaxStandard())) return false;
  // Leaf 7 says in sub-leaf 0 how many sub-leaves follow.
  if (leaf == 7 && subleaf > snapshot.Leaf(7).eax) return false;
  return true;
}

uint32_t RegisterOf(const CpuidRegisters& registers, Register reg) {
  switch (reg) {
    case Register::Eax:
      return registers.eax;
    case Register::Ebx:
      return registers.ebx;
    case Register::Ecx:
      return registers.ecx;
    case Register::Edx:
      return registers.edx;
  }
  return 0;
}

}  // namespace

std::vector<const FlagInfo*> PresentFlags(const CpuidSnapshot& snapshot) {
  std::vector<const FlagInfo*> present;
  for (const FlagInfo& flag : FlagTable()) {
    if (!LeafReported(snapshot, flag.leaf, flag.subleaf)) continue;
    const uint32_t value = RegisterOf(snapshot.Leaf(flag.leaf, flag.subleaf), flag.reg);
    if ((value >> flag.bit) & 1u) present.push_back(&flag);
  }
  return present;
}

}  // namespace cpuinfo::modern
