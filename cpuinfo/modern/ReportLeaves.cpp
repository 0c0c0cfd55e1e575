#include "cpuinfo/modern/ReportLeaves.h"

#include <algorithm>
#include <array>

namespace cpuinfo::modern {
namespace {

struct ReadLeaf {
  uint32_t leaf;
  uint32_t lastSubleaf;  // kAll: every sub-leaf the leaf has
};
constexpr uint32_t kAll = UINT32_MAX;

// Sorted by leaf. The ranges beyond the extended one (Transmeta's, Centaur's and the
// hypervisor's) are read whole: they are short, and absent on most processors.
constexpr std::array<ReadLeaf, 30> kReportLeaves{{
    {0x00000001, kAll},  // signature, features, identifiers
    {0x00000002, kAll},  // cache descriptors
    {0x00000003, kAll},  // serial number
    {0x00000004, kAll},  // deterministic caches, cores per package
    {0x00000006, kAll},  // power management flags
    {0x00000007, kAll},  // structured extended flags
    {0x0000000B, kAll},  // topology levels, x2APIC identifier
    {0x0000000D, 1},     // XSAVE flags (the state components are not reported)
    {0x00000014, kAll},  // processor trace flags
    {0x00000015, kAll},  // time-stamp counter ratio
    {0x00000016, kAll},  // declared frequencies
    {0x00000019, kAll},  // key locker flags
    {0x0000001A, kAll},  // hybrid core type
    {0x0000001F, kAll},  // topology levels (v2)
    {0x80000001, kAll},  // extended features, AMD brand identifier
    {0x80000002, kAll},  // brand string
    {0x80000003, kAll}, {0x80000004, kAll}, {0x80000005, kAll},  // level 1 caches and TLBs
    {0x80000006, kAll},                                          // level 2 and 3 caches
    {0x80000007, kAll},                                          // power management
    {0x80000008, kAll},                                          // address sizes, core count
    {0x8000000A, kAll},                                          // secure virtual machine flags
    {0x8000001D, kAll},                                          // AMD deterministic caches
    {0x8000001E, kAll},  // AMD extended APIC identifier, threads per core
    {0x8000001F, kAll},  // memory encryption flags
    {0x80000021, kAll},  // extended features 2
    {0x80000026, kAll},  // AMD topology levels
    {0x80860000, kAll},  // marks where Transmeta's range starts
    {0xC0000000, kAll},  // marks where Centaur's range starts
}};

static_assert(std::adjacent_find(kReportLeaves.begin(), kReportLeaves.end(),
                                 [](const ReadLeaf& a, const ReadLeaf& b) {
                                   return a.leaf >= b.leaf;
                                 }) == kReportLeaves.end(),
              "kReportLeaves is sorted by leaf, each leaf once");

constexpr std::array<uint32_t, 4> kIdentityLeaves{0x1, 0xB, 0x1A, 0x8000001E};

constexpr bool ReadWhole(uint32_t leaf) {
  return (leaf >= 0x40000000u && leaf < 0x80000000u) || leaf >= 0x80860000u || leaf == 0 ||
         leaf == 0x80000000u;
}

}  // namespace

bool ReportReads(uint32_t leaf, uint32_t subleaf) {
  if (ReadWhole(leaf)) return true;
  const auto found =
      std::lower_bound(kReportLeaves.begin(), kReportLeaves.end(), leaf,
                       [](const ReadLeaf& entry, uint32_t key) { return entry.leaf < key; });
  return found != kReportLeaves.end() && found->leaf == leaf && subleaf <= found->lastSubleaf;
}

bool ReportReadsOnOthers(uint32_t leaf, uint32_t subleaf) {
  return subleaf == 0 &&
         std::find(kIdentityLeaves.begin(), kIdentityLeaves.end(), leaf) != kIdentityLeaves.end();
}

CpuidSnapshot ReportView(const CpuidSnapshot& full) {
  std::map<uint32_t, CpuidLeafMap> cpus;
  for (const uint32_t cpu : full.RecordedCpuNumbers()) {
    CpuidLeafMap& kept = cpus[cpu];
    for (const auto& [key, registers] : full.LeavesOf(cpu)) {
      if (cpu == 0 ? ReportReads(key.leaf, key.subleaf)
                   : ReportReadsOnOthers(key.leaf, key.subleaf)) {
        kept[key] = registers;
      }
    }
  }
  return CpuidSnapshot(std::move(cpus), full.SystemCount());
}

}  // namespace cpuinfo::modern
