// What the decoders of today's processors tell about processor 0 and the machine, shown
// after the library's own report.
#pragma once

#include <string>
#include <vector>

#include "cpuinfo/modern/Caches.h"
#include "cpuinfo/modern/Flags.h"
#include "cpuinfo/modern/Hypervisor.h"
#include "cpuinfo/modern/Microarchitecture.h"
#include "cpuinfo/modern/Snapshot.h"
#include "cpuinfo/modern/Topology.h"

namespace tools {

struct ModernReport {
  cpuinfo::modern::Signature signature;
  std::vector<const cpuinfo::modern::FlagInfo*> flags;
  std::vector<cpuinfo::modern::CacheInfo> caches;
  cpuinfo::modern::TopologyInfo topology;
  cpuinfo::modern::Microarchitecture microarchitecture;
  cpuinfo::modern::HypervisorInfo hypervisor;
  cpuinfo::modern::DeclaredFrequencies frequencies;
};

ModernReport CollectModernReport(const cpuinfo::modern::CpuidSnapshot& snapshot);

// The text sections and the JSON members of the report.
std::string RenderModernText(const ModernReport& report);

}  // namespace tools
