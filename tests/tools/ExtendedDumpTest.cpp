// Dumps with sub-leaves and processor sections: the library's report from them is the
// report from their sub-leaf-0 lines of processor 0 alone.
#include <gtest/gtest.h>

#include <filesystem>

#include <sstream>

#include "cpuinfo/CpuidDump.h"
#include "cpuinfo/HardwareCpuid.h"
#include "cpuinfo/modern/LiveSnapshot.h"
#include "tools/InfoReport.h"
#include "tools/InfoTool.h"
#include "tools/ReportFormats.h"

namespace tools {
namespace {

std::string LibraryReport(cpuinfo::CpuidDump dump) {
  cpuinfo::ReplayCpuidSource source(std::move(dump));
  const cpuinfo::ScopedCpuidSource installed(source);
  return RenderJson(CollectReport(false));
}

std::vector<std::filesystem::path> ModernDumps() {
  std::vector<std::filesystem::path> paths;
  for (const auto& entry : std::filesystem::directory_iterator(std::string(TACHORA_SOURCE_DIR) +
                                                               "/tests/data/cpuid-dumps/modern")) {
    if (entry.path().extension() == ".cpuid") paths.push_back(entry.path());
  }
  return paths;
}

TEST(ExtendedDump, TheLibrarySeesOnlySubLeafZeroOfProcessorZero) {
  const std::vector<std::filesystem::path> paths = ModernDumps();
  ASSERT_EQ(paths.size(), 27u);
  size_t withSubLeaves = 0;
  for (const auto& path : paths) {
    const cpuinfo::CpuidDump full = cpuinfo::LoadCpuidDump(path.string());
    if (full.cpus.at(0).size() > full.leaves.size()) ++withSubLeaves;
    cpuinfo::CpuidDump plain;
    plain.name = full.name;
    plain.processors = full.processors;
    plain.leaves = full.leaves;
    for (const auto& [leaf, registers] : full.leaves) plain.cpus[0][{leaf, 0}] = registers;
    EXPECT_EQ(LibraryReport(full), LibraryReport(plain)) << path;
  }
  EXPECT_EQ(withSubLeaves, 26u);  // all but the Vermeer, recorded without sub-leaves
}

// The live report answers the library from the snapshot: its answers are those the
// processor gives when asked leaf by leaf.
TEST(ExtendedDump, TheLiveSnapshotAnswersTheLibraryAsTheProcessorDoes) {
  const cpuinfo::modern::CpuidSnapshot snapshot =
      cpuinfo::modern::ReadLiveSnapshot(cpuinfo::modern::LiveRead::Report);
  const std::string fromSnapshot =
      LibraryReport(cpuinfo::modern::DumpFromSnapshot(snapshot, "live"));
  const cpuinfo::ScopedCpuidSource hardware(cpuinfo::HardwareCpuid());
  EXPECT_EQ(fromSnapshot, RenderJson(CollectReport(false)));
}

TEST(ExtendedDump, ThisProcessorsDumpReadsBack) {
  std::ostringstream out, err;
  ASSERT_EQ(RunInfoTool({"--dump"}, out, err), 0) << err.str();
  const cpuinfo::CpuidDump dump = cpuinfo::ParseCpuidDump(out.str(), "live.cpuid");
  EXPECT_EQ(dump.cpus.at(0),
            cpuinfo::modern::ReadLiveSnapshot(cpuinfo::modern::LiveRead::Dump).LeavesOf(0));
  EXPECT_GE(dump.processors, 1u);
  std::ostringstream refused, why;
  EXPECT_EQ(RunInfoTool({"--dump", "--json"}, refused, why), kExitBadInput);
  EXPECT_EQ(refused.str(), "");
  EXPECT_EQ(why.str(),
            "tachora-info: --dump writes this processor's dump and takes no other option\n");
}

}  // namespace
}  // namespace tools
