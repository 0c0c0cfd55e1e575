// Every recorded dump's report, text and JSON, byte for byte as the Linux program printed
// it into tests/data/cpuid-reports (scripts/update-reports.sh writes them anew). Run by
// every build, so the Windows programs, the 32-bit one above all, answer exactly as the
// Linux one does.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "cpuinfo/CpuidDump.h"
#include "cpuinfo/modern/ReportLeaves.h"
#include "tools/InfoTool.h"

namespace tools {
namespace {

namespace fs = std::filesystem;

const fs::path kSource = TACHORA_SOURCE_DIR;

std::string Slurp(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

const fs::path kDumps = kSource / "tests/data/cpuid-dumps";
const fs::path kReports = kSource / "tests/data/cpuid-reports";

// Every named dump, in its folder or below.
std::vector<fs::path> RecordedDumps() {
  std::vector<fs::path> dumps;
  for (const auto& entry : fs::recursive_directory_iterator(kDumps)) {
    if (entry.path().extension() == ".cpuid") dumps.push_back(entry.path());
  }
  std::sort(dumps.begin(), dumps.end());
  return dumps;
}

// The first line in which two reports differ, for a failure short enough to read.
std::string FirstDifference(const std::string& a, const std::string& b) {
  std::istringstream left(a), right(b);
  std::string l, r;
  for (int line = 1;; ++line) {
    const bool moreLeft = static_cast<bool>(std::getline(left, l));
    const bool moreRight = static_cast<bool>(std::getline(right, r));
    if (!moreLeft && !moreRight) return "no difference";
    if (l != r || moreLeft != moreRight) {
      return "line " + std::to_string(line) + ": \"" + l + "\" against \"" + r + "\"";
    }
  }
}

std::string Report(const fs::path& dump, bool json) {
  std::vector<std::string> args{"--cpuid-dump", dump.generic_string()};
  if (json) args.insert(args.begin(), "--json");
  std::ostringstream out;
  std::ostringstream err;
  EXPECT_EQ(RunInfoTool(args, out, err), 0) << err.str();
  return out.str();
}

TEST(RecordedReports, EveryDumpReportsAsTheLinuxProgramDid) {
  const std::vector<fs::path> dumps = RecordedDumps();
  ASSERT_GE(dumps.size(), 16u);
  for (const fs::path& dump : dumps) {
    for (const bool json : {false, true}) {
      fs::path file = kReports / fs::relative(dump, kDumps);
      file.replace_extension(json ? ".json" : ".txt");
      ASSERT_TRUE(fs::exists(file)) << file << " is missing: run scripts/update-reports.sh";
      EXPECT_EQ(Report(dump, json), Slurp(file)) << dump.filename() << (json ? " as JSON" : "");
    }
  }
}

// The live report asks the processor only for the leaves it reads: every recorded
// processor, cut down to those leaves, reports exactly as it does whole.
TEST(RecordedReports, TheLeavesAReportReadsAreAllItNeeds) {
  const fs::path cut = fs::temp_directory_path() / "tachora-report-leaves";
  fs::create_directories(cut);
  for (const fs::path& dump : RecordedDumps()) {
    const cpuinfo::CpuidDump whole =
        cpuinfo::LoadCpuidDump(dump.string(), dump.filename().string());
    const cpuinfo::modern::CpuidSnapshot view =
        cpuinfo::modern::ReportView(cpuinfo::modern::SnapshotFromDump(whole));
    const fs::path file = cut / dump.filename();
    std::ofstream(file, std::ios::binary)
        << cpuinfo::modern::DumpText(cpuinfo::modern::DumpFromSnapshot(view, whole.name));
    for (const bool json : {false, true}) {
      const std::string cutReport = Report(file, json);
      const std::string wholeReport = Report(dump, json);
      EXPECT_TRUE(cutReport == wholeReport) << dump.filename() << (json ? " as JSON, " : ", ")
                                            << FirstDifference(cutReport, wholeReport);
    }
  }
  fs::remove_all(cut);
}

TEST(RecordedReports, NoReportIsLeftWithoutItsDump) {
  for (const auto& entry : fs::recursive_directory_iterator(kReports)) {
    if (entry.is_directory()) continue;
    fs::path dump = kDumps / fs::relative(entry.path(), kReports);
    dump.replace_extension(".cpuid");
    EXPECT_TRUE(fs::exists(dump)) << entry.path() << " has no dump";
  }
}

}  // namespace
}  // namespace tools
