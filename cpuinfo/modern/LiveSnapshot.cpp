#include "cpuinfo/modern/LiveSnapshot.h"

#include <array>
#include <optional>

#include "cpuinfo/Bits.h"
#include "cpuinfo/HardwareCpuid.h"
#include "cpuinfo/modern/ReportLeaves.h"
#include "cpuinfo/modern/Topology.h"
#include "platform/System.h"

namespace cpuinfo::modern {
namespace {

// How far a leaf's sub-leaves go.
enum class SubLeaves {
  Single,      // sub-leaf 0 only
  UpToEax,     // 0 to sub-leaf 0's EAX
  CacheList,   // until the cache type (EAX bits 4-0) is 0
  LevelList,   // until the level type (ECX bits 15-8) is 0
  StateList,   // 0, 1 and each state component sub-leaf 0 or 1 names
  FixedRange,  // 1 to last when sub-leaf 0 answers anything, those that do
};

struct LeafRule {
  uint32_t leaf;
  SubLeaves kind;
  uint32_t last;  // FixedRange only
};

// leaf, how its sub-leaves are enumerated, last sub-leaf of a fixed range
constexpr std::array<LeafRule, 17> kLeafRules{{
    {0x00000004, SubLeaves::CacheList, 0},
    {0x00000007, SubLeaves::UpToEax, 0},
    {0x0000000B, SubLeaves::LevelList, 0},
    {0x0000000D, SubLeaves::StateList, 0},
    {0x0000000F, SubLeaves::FixedRange, 1},
    {0x00000010, SubLeaves::FixedRange, 3},
    {0x00000012, SubLeaves::FixedRange, 9},
    {0x00000014, SubLeaves::UpToEax, 0},
    {0x00000017, SubLeaves::UpToEax, 0},
    {0x00000018, SubLeaves::UpToEax, 0},
    {0x0000001D, SubLeaves::UpToEax, 0},
    {0x0000001F, SubLeaves::LevelList, 0},
    {0x00000020, SubLeaves::UpToEax, 0},
    {0x00000023, SubLeaves::FixedRange, 3},
    {0x8000001D, SubLeaves::CacheList, 0},
    {0x80000020, SubLeaves::FixedRange, 5},
    {0x80000026, SubLeaves::LevelList, 0},
}};

// The leaves in which logical processors differ (identifiers, hybrid core types and
// their caches); the other processors answer the rest as processor 0 does, and CPUID
// costs microseconds under a hypervisor.
constexpr std::array<uint32_t, 7> kPerProcessorLeaves{0x1,  0x4,        0xB,       0x1A,
                                                      0x1F, 0x8000001E, 0x80000026};

// Bounds against a processor or hypervisor that answers nonsense.
constexpr uint32_t kMaxSubLeaves = 64;
constexpr uint32_t kMaxLeavesInRange = 0x100;

class Reader {
 public:
  explicit Reader(LiveRead purpose) : purpose_(purpose) {}

  CpuidLeafMap Read() {
    const uint32_t highest = Put(0, 0).eax;
    for (uint32_t leaf = 1; leaf <= highest && leaf < kMaxLeavesInRange; ++leaf) ReadLeaf(leaf);
    // The hypervisor, extended, Transmeta and Centaur ranges; each base leaf is kept
    // even when the range is absent, since the library reads them.
    for (const uint32_t base : {0x40000000u, 0x80000000u, 0x80860000u, 0xC0000000u}) {
      const uint32_t top = Put(base, 0).eax;
      if (top <= base || top >= base + kMaxLeavesInRange) continue;
      for (uint32_t leaf = base + 1; leaf <= top; ++leaf) ReadLeaf(leaf);
    }
    return std::move(leaves_);
  }

  // The leaves of kPerProcessorLeaves that processor 0 has (for a report, only those
  // that identify the processor).
  CpuidLeafMap ReadDiffering(const CpuidLeafMap& first) {
    for (const uint32_t leaf : kPerProcessorLeaves) {
      if (!first.count({leaf, 0})) continue;
      if (purpose_ == LiveRead::Dump) {
        ReadLeaf(leaf);
      } else if (ReportReadsOnOthers(leaf, 0)) {
        Put(leaf, 0);
      }
    }
    return std::move(leaves_);
  }

 private:
  CpuidRegisters Put(uint32_t leaf, uint32_t subleaf) {
    const CpuidRegisters registers = ExecuteCpuid(leaf, subleaf);
    leaves_[{leaf, subleaf}] = registers;
    return registers;
  }

  bool Wants(uint32_t leaf, uint32_t subleaf) const {
    return purpose_ == LiveRead::Dump || ReportReads(leaf, subleaf);
  }

  void ReadLeaf(uint32_t leaf) {
    if (!Wants(leaf, 0)) return;
    const LeafRule* rule = nullptr;
    for (const LeafRule& candidate : kLeafRules) {
      if (candidate.leaf == leaf) rule = &candidate;
    }
    const CpuidRegisters first = Put(leaf, 0);
    if (!rule) return;
    switch (rule->kind) {
      case SubLeaves::Single:
        break;
      case SubLeaves::UpToEax:
        for (uint32_t sub = 1; sub <= first.eax && sub < kMaxSubLeaves; ++sub) Put(leaf, sub);
        break;
      case SubLeaves::CacheList:
        for (uint32_t sub = 1; sub < kMaxSubLeaves && Bits(Put(leaf, sub).eax, 4, 0) != 0;) ++sub;
        break;
      case SubLeaves::LevelList:
        for (uint32_t sub = 1; sub < kMaxSubLeaves && Bits(Put(leaf, sub).ecx, 15, 8) != 0;) ++sub;
        break;
      case SubLeaves::StateList: {
        const CpuidRegisters second = Put(leaf, 1);
        const uint64_t user = (uint64_t{first.edx} << 32) | first.eax;
        const uint64_t supervisor = (uint64_t{second.edx} << 32) | second.ecx;
        for (uint32_t sub = 2; sub < kMaxSubLeaves; ++sub) {
          if (((user | supervisor) >> sub) & 1 && Wants(leaf, sub)) Put(leaf, sub);
        }
        break;
      }
      case SubLeaves::FixedRange:
        // A leaf whose sub-leaf 0 says nothing has no others worth asking.
        if (first == CpuidRegisters{}) break;
        for (uint32_t sub = 1; sub <= rule->last; ++sub) {
          const CpuidRegisters registers = ExecuteCpuid(leaf, sub);
          if (registers != CpuidRegisters{}) leaves_[{leaf, sub}] = registers;
        }
        break;
    }
  }

  LiveRead purpose_;
  CpuidLeafMap leaves_;
};

}  // namespace

// A report first reads whichever processor the thread runs on, without binding it. When
// those leaves settle the arrangement (not hybrid, and what they declare accounts for the
// system's processors), the processors differ only in the leaves that identify them,
// which such a report does not show, so even a move between two of them in the middle of
// the reading changes nothing; binding and moving to each would cost more than the whole
// report.
std::optional<CpuidSnapshot> ReadSettled(uint32_t system) {
  CpuidSnapshot alone({Reader(LiveRead::Report).Read()}, system);
  if (!SettledByProcessorZero(alone)) return std::nullopt;
  return alone;
}

CpuidSnapshot ReadLiveSnapshot(LiveRead purpose) {
  const uint32_t allowed = platform::ProcessAffinity();
  const uint32_t system = platform::ProcessorCount();
  std::vector<CpuidLeafMap> cpus;
  if (allowed == 0) {
    cpus.push_back(Reader(purpose).Read());
    return CpuidSnapshot(std::move(cpus), system);
  }
  if (purpose == LiveRead::Report) {
    if (std::optional<CpuidSnapshot> settled = ReadSettled(system)) return std::move(*settled);
  }
  uint32_t previous = 0;
  for (unsigned bit = 0; bit < 32; ++bit) {
    if (!((allowed >> bit) & 1u)) continue;
    const uint32_t had = platform::SetThreadAffinity(1u << bit);
    if (previous == 0) previous = had;
    platform::YieldProcessor();
    cpus.push_back(cpus.empty() ? Reader(purpose).Read() : Reader(purpose).ReadDiffering(cpus[0]));
  }
  if (previous != 0) platform::SetThreadAffinity(previous);
  return CpuidSnapshot(std::move(cpus), system);
}

}  // namespace cpuinfo::modern
