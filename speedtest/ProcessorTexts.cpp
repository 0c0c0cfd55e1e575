#include "speedtest/ProcessorTexts.h"

#include "cpuinfo/Facts.h"

namespace speedtest {

ProcessorTexts ReadProcessorTexts() {
  ProcessorTexts texts;
  texts.CpuDescription = cpuinfo::ReadCpuDescription();
  texts.CpuVendor = cpuinfo::ReadCpuVendor();
  texts.CpuFamily = cpuinfo::ReadCpuFamily();
  texts.CpuPublishedSpeed = cpuinfo::ReadCpuPublishedSpeed();
  return texts;
}

}  // namespace speedtest
