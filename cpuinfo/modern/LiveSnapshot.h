// The snapshot of this machine: every leaf read once on each processor the process may
// run on (up to 32), the thread bound to each in turn.
#pragma once

#include "cpuinfo/modern/Snapshot.h"

namespace cpuinfo::modern {

CpuidSnapshot ReadLiveSnapshot();

}  // namespace cpuinfo::modern
