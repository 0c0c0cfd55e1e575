// The leaves a report reads: the library's and the modern decoders' questions. CPUID costs
// microseconds under a hypervisor, so the live report asks the processor for these alone,
// where a dump asks for every leaf it has.
#pragma once

#include <cstdint>

#include "cpuinfo/modern/Snapshot.h"

namespace cpuinfo::modern {

// Whether a report reads this leaf and sub-leaf of processor 0. The base leaf of each
// range is always read: it says how far the range goes.
bool ReportReads(uint32_t leaf, uint32_t subleaf);

// Whether a report reads this leaf of the other processors: sub-leaf 0 of the leaves that
// tell a processor's identifier and core type.
bool ReportReadsOnOthers(uint32_t leaf, uint32_t subleaf);

// The part of a full snapshot a report reads, as the live report would have read it.
CpuidSnapshot ReportView(const CpuidSnapshot& full);

}  // namespace cpuinfo::modern
