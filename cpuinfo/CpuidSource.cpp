#include "cpuinfo/CpuidSource.h"

#include "cpuinfo/HardwareCpuid.h"
#include "cpuinfo/Processor.h"

namespace cpuinfo {
namespace {

CpuidSource* installed = nullptr;

}  // namespace

CpuidSource& ActiveCpuidSource() {
  return installed ? *installed : HardwareCpuid();
}

CpuidSource* InstallCpuidSource(CpuidSource* source) {
  CpuidSource* previous = installed;
  installed = source;
  // The multi-processor decision belongs to the machine the answers come from.
  CpuInstance().MachineChanged();
  return previous;
}

}  // namespace cpuinfo
