// The four texts that describe the processor: the CPU details page shows them and a
// score submission sends them.
#pragma once

#include <string>

namespace speedtest {

struct ProcessorTexts {
  std::string CpuDescription;
  std::string CpuVendor;
  std::string CpuFamily;
  std::string CpuPublishedSpeed;
};

// Reads them through processor 0 of the library, in the order above; the published speed
// runs the library's own speed measurement (about 200 ms).
ProcessorTexts ReadProcessorTexts();

}  // namespace speedtest
