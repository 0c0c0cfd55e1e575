// The caches of today's processors: from the deterministic cache leaves (4, or 0x8000001D
// on AMD and Hygon with topology extensions), and for older processors from the leaf-2
// descriptors or AMD's leaves 0x80000005 and 0x80000006.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "cpuinfo/modern/Snapshot.h"

namespace cpuinfo::modern {

enum class CacheType : uint8_t { Data, Instruction, Unified };

std::string_view CacheTypeName(CacheType type);  // "data", "instruction", "unified"

struct CacheInfo {
  uint32_t level = 0;
  CacheType type = CacheType::Unified;
  uint64_t size = 0;  // bytes
  uint32_t ways = 0;  // 0: fully associative (or, with sets 0, not said)
  uint32_t line = 0;
  uint32_t sets = 0;  // 0 where the source does not say
  bool inclusive = false;
  uint32_t sharedBy = 0;  // logical processors sharing one such cache; 0 where unknown
  friend bool operator==(const CacheInfo&, const CacheInfo&) = default;
};

// Processor 0's caches, by level, data before instruction before unified.
std::vector<CacheInfo> DecodeCaches(const CpuidSnapshot& snapshot);

// The fallbacks, for processors without deterministic cache leaves.
std::vector<CacheInfo> CachesFromDescriptors(const CpuidSnapshot& snapshot);
std::vector<CacheInfo> CachesFromAmdLeaves(const CpuidSnapshot& snapshot);

// The ways of a level-2 or level-3 associativity code of leaf 0x80000006 (0: fully
// associative or none; the caller knows which from the size).
uint32_t ExtendedAssociativityWays(uint32_t code);

}  // namespace cpuinfo::modern
