// The built tachora-info program: exit status and the separation of stdout and stderr.
#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

struct Result {
  int status;
  std::string out;
  std::string err;
};

std::string Slurp(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

Result RunProgram(const std::string& arguments) {
  const auto folder = std::filesystem::temp_directory_path();
  const auto out = folder / "tachora-info-test.out";
  const auto err = folder / "tachora-info-test.err";
  const std::string command = std::string("'") + TACHORA_INFO_PATH + "' " + arguments + " >'" +
                              out.string() + "' 2>'" + err.string() + "'";
  const int raw = std::system(command.c_str());
  Result result{WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, Slurp(out), Slurp(err)};
  std::filesystem::remove(out);
  std::filesystem::remove(err);
  return result;
}

std::string Dump(const std::string& file) {
  return std::string(TACHORA_SOURCE_DIR) + "/tests/data/cpuid-dumps/" + file;
}

TEST(Program, PrintsTheVersion) {
  const Result result = RunProgram("--version");
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.out, "3.0.3.3\n");
}

TEST(Program, RunsOnARecordedDump) {
  const Result result = RunProgram("--json --cpuid-dump '" + Dump("intel-486dx4-0480.cpuid") + "'");
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.err, "");
  EXPECT_NE(result.out.find("\"name\": \"Intel 80486DX4\""), std::string::npos);
}

TEST(Program, BadInputExitsTwoWithNothingOnStdout) {
  const Result unknown = RunProgram("--bogus");
  EXPECT_EQ(unknown.status, 2);
  EXPECT_EQ(unknown.out, "");
  EXPECT_EQ(unknown.err, "tachora-info: unknown option '--bogus' (see --help)\n");
  const Result missing = RunProgram("--json --cpuid-dump /no/such.cpuid");
  EXPECT_EQ(missing.status, 2);
  EXPECT_EQ(missing.out, "");
  EXPECT_NE(missing.err.find("/no/such.cpuid"), std::string::npos);
}

TEST(Program, TheReadmeOfTheDumpsIsNotADump) {
  const Result result = RunProgram("--cpuid-dump '" + Dump("README.md") + "'");
  EXPECT_EQ(result.status, 2);
  EXPECT_EQ(result.out, "");
  EXPECT_NE(result.err.find("README.md:3:"), std::string::npos) << result.err;
}

}  // namespace
#endif
