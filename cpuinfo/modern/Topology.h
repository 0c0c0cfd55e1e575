// How the logical processors are arranged: packages, cores, threads, and the core type of
// each logical processor on hybrid parts.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "cpuinfo/modern/Snapshot.h"

namespace cpuinfo::modern {

// The APIC identifier of each recorded processor (x2APIC where the processor has it).
std::vector<uint32_t> ApicIds(const CpuidSnapshot& snapshot);

struct TopologyInfo {
  uint32_t packages = 0;
  uint32_t cores = 0;           // per package
  uint32_t threadsPerCore = 0;  // the most any core has
  uint32_t logical = 0;         // the processors the system reports
  // Whether the arrangement was counted from every processor's APIC identifier (rather
  // than worked out from processor 0's counts), and whether it accounts for exactly the
  // processors the system reports.
  bool counted = false;
  bool agreesWithSystem = false;
  std::string_view source;  // the leaves it comes from, e.g. "0x1F"
  // Hybrid processors: "performance" or "efficiency" for each recorded processor.
  std::vector<std::string_view> coreTypes;
};

TopologyInfo DecodeTopology(const CpuidSnapshot& snapshot);

// Whether processor 0's leaves settle the arrangement alone: not hybrid (every
// processor's core type is wanted), and what they declare accounts for exactly the
// processors the system reports. Reading the others would then only confirm it.
bool SettledByProcessorZero(const CpuidSnapshot& snapshot);

}  // namespace cpuinfo::modern
