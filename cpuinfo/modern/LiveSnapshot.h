// The snapshot of this machine, each leaf read once: every leaf and sub-leaf of processor
// 0, and on each other processor the process may run on (up to 32, the thread bound to
// each in turn) the leaves in which processors differ: identifiers, topology, hybrid core
// types and their caches.
#pragma once

#include "cpuinfo/modern/Snapshot.h"

namespace cpuinfo::modern {

CpuidSnapshot ReadLiveSnapshot();

}  // namespace cpuinfo::modern
