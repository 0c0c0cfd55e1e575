#include "cpuinfo/modern/Topology.h"

#include <algorithm>
#include <map>
#include <set>

#include "cpuinfo/Bits.h"

namespace cpuinfo::modern {
namespace {

constexpr uint32_t kMaxLevels = 16;

unsigned BitsFor(uint32_t count) {
  unsigned bits = 0;
  while ((1u << bits) < count && bits < 31) ++bits;
  return bits;
}

bool AmdLike(const CpuidSnapshot& snapshot) {
  const std::string vendor = snapshot.VendorId();
  return vendor == "AuthenticAMD" || vendor == "HygonGenuine";
}

// The shifts that take an APIC identifier to its core and to its package, and how many
// threads and logical processors processor 0's leaves declare for them.
struct Layout {
  unsigned coreShift = 0;
  unsigned packageShift = 0;
  uint32_t threadsPerCore = 1;
  uint32_t logicalPerPackage = 1;
  std::string_view source = "0x1";
};

// Leaves 0xB, 0x1F and AMD's 0x80000026 list levels from the thread up; the first is the
// thread level (its shift leads to the core), the last the one below the package.
bool FromLevelLeaf(const CpuidSnapshot& snapshot, uint32_t leaf, Layout& layout) {
  const bool extended = leaf >= 0x80000000u;
  if (leaf > (extended ? snapshot.MaxExtended() : snapshot.MaxStandard())) return false;
  const CpuidRegisters first = snapshot.Leaf(leaf, 0);
  if (Bits(first.ecx, 15, 8) != 1 || Bits(first.ebx, 15, 0) == 0) return false;
  // A dump that kept sub-leaf 0 alone cannot say where the package level is.
  if (!snapshot.Recorded(leaf, 1)) return false;
  layout.coreShift = Bits(first.eax, 4, 0);
  layout.threadsPerCore = Bits(first.ebx, 15, 0);
  for (uint32_t sub = 0; sub < kMaxLevels; ++sub) {
    const CpuidRegisters level = snapshot.Leaf(leaf, sub);
    if (Bits(level.ecx, 15, 8) == 0) break;
    layout.packageShift = Bits(level.eax, 4, 0);
    layout.logicalPerPackage = Bits(level.ebx, 15, 0);
  }
  return true;
}

Layout FindLayout(const CpuidSnapshot& snapshot) {
  Layout layout;
  const bool amd = AmdLike(snapshot);
  if (!amd && FromLevelLeaf(snapshot, 0x1F, layout)) {
    layout.source = "0x1F";
    return layout;
  }
  if (amd && FromLevelLeaf(snapshot, 0x80000026, layout)) {
    layout.source = "0x80000026";
    return layout;
  }
  if (FromLevelLeaf(snapshot, 0xB, layout)) {
    layout.source = "0xB";
    return layout;
  }
  const CpuidRegisters one = snapshot.Leaf(1);
  const bool multiple = Bit(one.edx, 28);
  layout.logicalPerPackage = multiple ? std::max(1u, Bits(one.ebx, 23, 16)) : 1;
  if (amd && snapshot.MaxExtended() >= 0x80000008) {
    const CpuidRegisters size = snapshot.Leaf(0x80000008);
    const uint32_t perPackage = Bits(size.ecx, 7, 0) + 1;
    const unsigned declaredBits = Bits(size.ecx, 15, 12);
    layout.logicalPerPackage = perPackage;
    layout.packageShift = declaredBits ? declaredBits : BitsFor(perPackage);
    layout.source = "0x80000008";
    if (Bit(snapshot.Leaf(0x80000001).ecx, 22) && snapshot.MaxExtended() >= 0x8000001E) {
      layout.threadsPerCore = Bits(snapshot.Leaf(0x8000001E).ebx, 15, 8) + 1;
      layout.source = "0x80000008, 0x8000001E";
    }
    layout.coreShift = BitsFor(layout.threadsPerCore);
    return layout;
  }
  layout.packageShift = BitsFor(layout.logicalPerPackage);
  // Intel's leaf 4 says how many cores the package may hold; before it, a package with
  // several logical processors had one core with several threads.
  if (!amd && snapshot.MaxStandard() >= 4 && Bits(snapshot.Leaf(4).eax, 4, 0) != 0) {
    const uint32_t cores = Bits(snapshot.Leaf(4).eax, 31, 26) + 1;
    layout.threadsPerCore = std::max(1u, layout.logicalPerPackage / cores);
    layout.source = "0x1, 0x4";
  } else {
    layout.threadsPerCore = amd ? 1 : layout.logicalPerPackage;
  }
  layout.coreShift = BitsFor(layout.threadsPerCore);
  return layout;
}

// The identifiers come from the leaves every processor answers for itself: the x2APIC
// identifier of leaf 0xB, AMD's extended APIC identifier of 0x8000001E, or the initial
// APIC identifier of leaf 1.
std::vector<uint32_t> IdsFor(const CpuidSnapshot& snapshot) {
  const bool x2apic = snapshot.MaxStandard() >= 0xB && Bits(snapshot.Leaf(0xB).ecx, 15, 8) != 0;
  const bool extended = AmdLike(snapshot) && Bit(snapshot.Leaf(0x80000001).ecx, 22) &&
                        snapshot.MaxExtended() >= 0x8000001E;
  std::vector<uint32_t> ids;
  for (const uint32_t cpu : snapshot.RecordedCpuNumbers()) {
    ids.push_back(x2apic     ? snapshot.Leaf(0xB, 0, cpu).edx
                  : extended ? snapshot.Leaf(0x8000001E, 0, cpu).eax
                             : Bits(snapshot.Leaf(1, 0, cpu).ebx, 31, 24));
  }
  return ids;
}

bool Hybrid(const CpuidSnapshot& snapshot) {
  return snapshot.MaxStandard() >= 0x1A && Bit(snapshot.Leaf(7).edx, 15);
}

std::string_view CoreTypeName(uint32_t type) {
  switch (type) {
    case 0x20:
      return "efficiency";
    case 0x40:
      return "performance";
    default:
      return "unknown";
  }
}

}  // namespace

std::vector<uint32_t> ApicIds(const CpuidSnapshot& snapshot) {
  return IdsFor(snapshot);
}

TopologyInfo DecodeTopology(const CpuidSnapshot& snapshot) {
  const Layout layout = FindLayout(snapshot);
  TopologyInfo topology;
  topology.source = layout.source;
  topology.logical = snapshot.SystemCount();
  const std::vector<uint32_t> ids = IdsFor(snapshot);
  std::map<uint32_t, uint32_t> threadsOfCore;
  std::map<uint32_t, uint32_t> packages;
  for (const uint32_t id : ids) {
    ++threadsOfCore[id >> layout.coreShift];
    ++packages[id >> layout.packageShift];
  }
  // Distinct identifiers on every processor: the arrangement is counted, not assumed.
  const bool distinct = std::set<uint32_t>(ids.begin(), ids.end()).size() == ids.size();
  topology.counted = ids.size() == topology.logical && ids.size() > 1 && distinct;
  if (topology.counted) {
    topology.packages = static_cast<uint32_t>(packages.size());
    topology.cores = static_cast<uint32_t>(threadsOfCore.size()) / topology.packages;
    topology.threadsPerCore = 0;
    for (const auto& core : threadsOfCore) {
      topology.threadsPerCore = std::max(topology.threadsPerCore, core.second);
    }
  } else {
    const uint32_t perPackage = std::max(1u, layout.logicalPerPackage);
    topology.threadsPerCore = std::max(1u, layout.threadsPerCore);
    topology.cores = std::max(1u, perPackage / topology.threadsPerCore);
    topology.packages = std::max(1u, (topology.logical + perPackage - 1) / perPackage);
    // The older leaves give the most a package may address, not what it has: the
    // system's count bounds them.
    const uint32_t present = topology.logical / topology.packages / topology.threadsPerCore;
    if (present >= 1) topology.cores = std::min(topology.cores, present);
  }
  uint32_t accounted = 0;
  for (const auto& core : threadsOfCore) accounted += core.second;
  topology.agreesWithSystem =
      topology.counted
          ? accounted == topology.logical
          : topology.packages * std::max(1u, layout.logicalPerPackage) == topology.logical;
  if (Hybrid(snapshot)) {
    for (const uint32_t cpu : snapshot.RecordedCpuNumbers()) {
      topology.coreTypes.push_back(CoreTypeName(Bits(snapshot.Leaf(0x1A, 0, cpu).eax, 31, 24)));
    }
  }
  return topology;
}

bool SettledByProcessorZero(const CpuidSnapshot& snapshot) {
  return !Hybrid(snapshot) && DecodeTopology(snapshot).agreesWithSystem;
}

}  // namespace cpuinfo::modern
