// Feature flags of today's processors: every defined bit of the feature leaves, named as
// the Linux kernel shows them in /proc/cpuinfo wherever it shows them.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "cpuinfo/modern/Snapshot.h"

namespace cpuinfo::modern {

enum class Register : uint8_t { Eax, Ebx, Ecx, Edx };

struct FlagInfo {
  uint32_t leaf;
  uint8_t subleaf;
  Register reg;
  uint8_t bit;
  std::string_view name;
  std::string_view description;
};

// Sorted by leaf, sub-leaf, register and bit; no position and no name twice.
std::span<const FlagInfo> FlagTable();

// The flags processor 0 reports, in table order. A leaf beyond the highest one the
// processor reports counts as absent.
std::vector<const FlagInfo*> PresentFlags(const CpuidSnapshot& snapshot);

}  // namespace cpuinfo::modern
