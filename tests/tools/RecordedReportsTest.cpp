// Every recorded dump's report, text and JSON, byte for byte as the Linux program printed
// it into tests/data/cpuid-reports (scripts/update-reports.sh writes them anew). Run by
// every build, so the Windows programs, the 32-bit one above all, answer exactly as the
// Linux one does.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

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
