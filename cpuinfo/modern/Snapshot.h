// Every CPUID leaf and sub-leaf of every logical processor, read once: the plain data the
// decoders of today's processors work from. A snapshot is made from a recorded dump or
// read from the live processors, and written back as a dump.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "cpuinfo/CpuidDump.h"

namespace cpuinfo::modern {

class CpuidSnapshot {
 public:
  CpuidSnapshot() = default;
  // cpus[0] holds every leaf of processor 0; any other holds at least the leaves in which
  // it differs. systemCount: the processors the machine has (recorded or not).
  CpuidSnapshot(std::vector<CpuidLeafMap> cpus, uint32_t systemCount);
  // The same, for processors numbered apart: a dump may record a few of many.
  CpuidSnapshot(std::map<uint32_t, CpuidLeafMap> cpus, uint32_t systemCount);

  // The answer of one leaf on one processor; a leaf a processor did not record answers
  // as processor 0's, and one nobody recorded answers zeros.
  CpuidRegisters Leaf(uint32_t leaf, uint32_t subleaf = 0, uint32_t cpu = 0) const;
  bool Recorded(uint32_t leaf, uint32_t subleaf = 0) const;
  // The processors with leaves of their own (at least processor 0), in order.
  uint32_t RecordedCpus() const { return static_cast<uint32_t>(cpus_.size()); }
  std::vector<uint32_t> RecordedCpuNumbers() const;
  uint32_t SystemCount() const { return system_count_; }
  const CpuidLeafMap& LeavesOf(uint32_t cpu) const { return cpus_.at(cpu); }

  // Leaf 0's vendor string, the highest standard and extended leaves.
  std::string VendorId() const;
  uint32_t MaxStandard() const { return Leaf(0).eax; }
  uint32_t MaxExtended() const;

 private:
  std::map<uint32_t, CpuidLeafMap> cpus_;
  uint32_t system_count_ = 1;
};

// The brand string of leaves 0x80000002 to 0x80000004, spaces trimmed; empty when the
// processor has none.
std::string BrandString(const CpuidSnapshot& snapshot);

// Processors the dump has no section for answer as processor 0.
CpuidSnapshot SnapshotFromDump(const CpuidDump& dump);

// The dump of a snapshot: processor 0 whole, the others only where they differ.
CpuidDump DumpFromSnapshot(const CpuidSnapshot& snapshot, const std::string& name);

// The dump as text, in the form the dump reader takes.
std::string DumpText(const CpuidDump& dump);

}  // namespace cpuinfo::modern
