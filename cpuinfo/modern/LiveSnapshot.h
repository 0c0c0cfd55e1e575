// The snapshot of this machine, each leaf read once: every leaf and sub-leaf of processor
// 0, and on each other processor the process may run on (up to 32, the thread bound to
// each in turn) the leaves in which processors differ: identifiers, topology, hybrid core
// types and their caches. A report's snapshot holds only what the report reads.
#pragma once

#include "cpuinfo/modern/Snapshot.h"

namespace cpuinfo::modern {

// A dump reads every leaf; a report only those it reads (ReportLeaves.h).
enum class LiveRead { Dump, Report };

CpuidSnapshot ReadLiveSnapshot(LiveRead purpose);

}  // namespace cpuinfo::modern
