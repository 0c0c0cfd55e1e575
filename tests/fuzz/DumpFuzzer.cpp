// libFuzzer target: any bytes read as a recorded CPUID dump. A dump that parses is
// installed as the processor, decoded whole, and both reports are rendered, as
// tachora-info does.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "cpuinfo/CpuidDump.h"
#include "cpuinfo/Processor.h"
#include "cpuinfo/modern/Snapshot.h"
#include "tools/InfoReport.h"
#include "tools/ReportFormats.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  cpuinfo::InitializeLibrary();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  cpuinfo::CpuidDump dump;
  try {
    dump = cpuinfo::ParseCpuidDump(text, "fuzz.cpuid");
  } catch (const cpuinfo::CpuidDumpError&) {
    return -1;  // not a dump: kept out of the corpus
  }
  cpuinfo::ReplayCpuidSource source(std::move(dump));
  const cpuinfo::ScopedCpuidSource installed(source);
  tools::InfoReport report = tools::CollectReport(false);
  report.modern = tools::CollectModernReport(cpuinfo::modern::SnapshotFromDump(source.Dump()));
  const std::string json = tools::RenderJson(report);
  const std::string plain = tools::RenderText(report, "Recorded processor " + source.Dump().name);
  return json.empty() || plain.empty() ? -1 : 0;
}
