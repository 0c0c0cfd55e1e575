// Dumps with sub-leaves and processor sections: the library's report from them is the
// report from their sub-leaf-0 lines of processor 0 alone.
#include <gtest/gtest.h>

#include <filesystem>

#include "cpuinfo/CpuidDump.h"
#include "tools/InfoReport.h"
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

}  // namespace
}  // namespace tools
