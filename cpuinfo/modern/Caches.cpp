#include "cpuinfo/modern/Caches.h"

#include <algorithm>
#include <set>

#include "cpuinfo/Bits.h"
#include "cpuinfo/modern/Topology.h"

namespace cpuinfo::modern {
namespace {

constexpr uint32_t kMaxCacheSubLeaves = 64;

// A dump that kept sub-leaf 0 alone lists one cache of several: it is read the older way.
bool Recorded(const CpuidSnapshot& snapshot, uint32_t leaf) {
  return snapshot.Recorded(leaf, 1) || Bits(snapshot.Leaf(leaf).eax, 4, 0) == 0;
}

bool UsesAmdCacheLeaf(const CpuidSnapshot& snapshot) {
  const std::string vendor = snapshot.VendorId();
  const bool amdLike = vendor == "AuthenticAMD" || vendor == "HygonGenuine";
  const bool topologyExtensions = Bit(snapshot.Leaf(0x80000001).ecx, 22);
  return amdLike && topologyExtensions && snapshot.MaxExtended() >= 0x8000001D &&
         Recorded(snapshot, 0x8000001D);
}

// How many of the recorded processors share the cache processor 0 uses, when every
// processor was recorded; otherwise the most the leaf allows, bounded by the package.
uint32_t SharingCount(const CpuidSnapshot& snapshot, uint32_t maxSharing) {
  unsigned shift = 0;
  while ((1u << shift) < maxSharing && shift < 31) ++shift;
  const std::vector<uint32_t> ids = ApicIds(snapshot);
  const bool distinct = std::set<uint32_t>(ids.begin(), ids.end()).size() == ids.size();
  if (ids.size() == snapshot.SystemCount() && ids.size() > 1 && distinct) {
    return static_cast<uint32_t>(std::count_if(
        ids.begin(), ids.end(), [&](uint32_t id) { return (id >> shift) == (ids[0] >> shift); }));
  }
  return maxSharing;
}

std::vector<CacheInfo> FromDeterministicLeaf(const CpuidSnapshot& snapshot, uint32_t leaf) {
  std::vector<CacheInfo> caches;
  for (uint32_t sub = 0; sub < kMaxCacheSubLeaves; ++sub) {
    const CpuidRegisters r = snapshot.Leaf(leaf, sub);
    const uint32_t type = Bits(r.eax, 4, 0);
    if (type == 0) break;
    if (type > 3) continue;  // a type not defined yet
    CacheInfo cache;
    cache.level = Bits(r.eax, 7, 5);
    cache.type = type == 1   ? CacheType::Data
                 : type == 2 ? CacheType::Instruction
                             : CacheType::Unified;
    const uint32_t ways = Bits(r.ebx, 31, 22) + 1;
    const uint32_t partitions = Bits(r.ebx, 21, 12) + 1;
    cache.line = Bits(r.ebx, 11, 0) + 1;
    cache.sets = r.ecx + 1;
    cache.size = uint64_t{ways} * partitions * cache.line * cache.sets;
    cache.ways = Bit(r.eax, 9) ? 0 : ways;
    cache.inclusive = Bit(r.edx, 1);
    cache.sharedBy = SharingCount(snapshot, Bits(r.eax, 25, 14) + 1);
    caches.push_back(cache);
  }
  return caches;
}

}  // namespace

std::string_view CacheTypeName(CacheType type) {
  switch (type) {
    case CacheType::Data:
      return "data";
    case CacheType::Instruction:
      return "instruction";
    case CacheType::Unified:
      return "unified";
  }
  return "unified";
}

std::vector<CacheInfo> DecodeCaches(const CpuidSnapshot& snapshot) {
  std::vector<CacheInfo> caches;
  if (UsesAmdCacheLeaf(snapshot)) {
    caches = FromDeterministicLeaf(snapshot, 0x8000001D);
  } else if (snapshot.MaxStandard() >= 4 && snapshot.VendorId() != "AuthenticAMD" &&
             Recorded(snapshot, 4)) {
    caches = FromDeterministicLeaf(snapshot, 4);
  }
  if (caches.empty()) caches = CachesFromDescriptors(snapshot);
  if (caches.empty()) caches = CachesFromAmdLeaves(snapshot);
  std::stable_sort(caches.begin(), caches.end(), [](const CacheInfo& a, const CacheInfo& b) {
    return a.level != b.level ? a.level < b.level : a.type < b.type;
  });
  return caches;
}

}  // namespace cpuinfo::modern
