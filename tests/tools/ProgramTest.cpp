// The built tachora-info program: exit status, the separation of stdout and stderr,
// bounded input, and output that cannot be written.
#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>

#include <regex>
#include <thread>

#include "generated/Version.h"
#include "tests/support/ChildProcess.h"

namespace {

using testsupport::ChildRun;
using testsupport::Slurp;
using testsupport::Stdout;
using testsupport::TempPath;

ChildRun RunProgram(const std::vector<std::string>& args, Stdout target = Stdout::Captured) {
  testsupport::ChildOptions options;
  options.stdoutTo = target;
  return testsupport::RunChild(TACHORA_INFO_PATH, args, options);
}

std::string Dump(const std::string& file) {
  return std::string(TACHORA_SOURCE_DIR) + "/tests/data/cpuid-dumps/" + file;
}

TEST(Program, PrintsTheVersion) {
  const ChildRun result = RunProgram({"--version"});
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.out, TACHORA_VERSION_TEXT "\n");
}

TEST(Program, RunsOnARecordedDump) {
  const ChildRun result = RunProgram({"--json", "--cpuid-dump", Dump("intel-486dx4-0480.cpuid")});
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.err, "");
  EXPECT_NE(result.out.find("\"name\": \"Intel 80486DX4\""), std::string::npos);
}

TEST(Program, BadInputExitsTwoWithNothingOnStdout) {
  const ChildRun unknown = RunProgram({"--bogus"});
  EXPECT_EQ(unknown.status, 2);
  EXPECT_EQ(unknown.out, "");
  EXPECT_EQ(unknown.err, "tachora-info: unknown option '--bogus' (see --help)\n");
  const ChildRun missing = RunProgram({"--json", "--cpuid-dump", "/no/such.cpuid"});
  EXPECT_EQ(missing.status, 2);
  EXPECT_EQ(missing.out, "");
  EXPECT_NE(missing.err.find("/no/such.cpuid"), std::string::npos);
}

TEST(Program, TheReadmeOfTheDumpsIsNotADump) {
  const ChildRun result = RunProgram({"--cpuid-dump", Dump("README.md")});
  EXPECT_EQ(result.status, 2);
  EXPECT_EQ(result.out, "");
  EXPECT_NE(result.err.find("README.md:3:"), std::string::npos) << result.err;
}

// The program's peak resident memory in kilobytes, as GNU time measures it, and its error
// line.
std::pair<long, std::string> PeakMemory(const std::vector<std::string>& args) {
  std::vector<std::string> timed = {"-f", "%M", TACHORA_INFO_PATH};
  timed.insert(timed.end(), args.begin(), args.end());
  const ChildRun run = testsupport::RunChild("/usr/bin/time", timed);
  const size_t last = run.err.rfind('\n', run.err.size() - 2);
  return {std::atol(run.err.c_str() + last + 1), run.err.substr(0, run.err.find('\n') + 1)};
}

TEST(Program, EndlessInputStopsAtTheBoundInLittleTimeAndMemory) {
  const ChildRun zeros = RunProgram({"--cpuid-dump", "/dev/zero"});
  EXPECT_EQ(zeros.status, 2);
  EXPECT_EQ(zeros.err, "tachora-info: /dev/zero: larger than 16 MB, not a CPUID dump\n");
  EXPECT_LT(zeros.cpuSeconds, 1.0);
  // Random bytes end at the first line that is not a comment, a blank or a dump line: almost
  // always line 1, but a first byte of '#' or a newline moves it on.
  const ChildRun noise = RunProgram({"--cpuid-dump", "/dev/urandom"});
  EXPECT_EQ(noise.status, 2);
  EXPECT_TRUE(std::regex_search(noise.err, std::regex("^tachora-info: /dev/urandom:[0-9]+: ")))
      << noise.err;
  EXPECT_LT(noise.cpuSeconds, 1.0);
  const auto [peak, error] = PeakMemory({"--cpuid-dump", "/dev/zero"});
  EXPECT_EQ(error, zeros.err);
  EXPECT_GT(peak, 0);
  EXPECT_LT(peak, 64 * 1024);
}

TEST(Program, ReadsADumpFromAFifo) {
  const auto fifo = TempPath(".fifo");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  std::thread writer(
      [&] { std::ofstream(fifo, std::ios::binary) << Slurp(Dump("intel-p3-katmai-0673.cpuid")); });
  const ChildRun result = RunProgram({"--cpuid-dump", fifo.string()});
  writer.join();
  std::filesystem::remove(fifo);
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_NE(result.out.find("Recorded processor Intel Pentium III (Katmai)"), std::string::npos);
}

TEST(Program, AnOutputThatCannotBeWrittenIsOneLineAndStatusOne) {
  const std::vector<std::vector<std::string>> commands = {
      {"--help"},
      {"--version"},
      {"--cpuid-dump", Dump("intel-p3-katmai-0673.cpuid")},
      {"--json", "--cpuid-dump", Dump("intel-p3-katmai-0673.cpuid")},
      {"--no-speed"},
      {"--clock"},
  };
  for (const auto& args : commands) {
    const ChildRun full = RunProgram(args, Stdout::DevFull);
    EXPECT_EQ(full.status, 1) << args[0];
    EXPECT_EQ(full.err, "tachora-info: cannot write to standard output (No space left on device)\n")
        << args[0];
  }
  for (const auto& args : {commands[1], commands[3]}) {
    const ChildRun closed = RunProgram(args, Stdout::ClosedPipe);
    EXPECT_EQ(closed.status, 1) << args[0];
    EXPECT_EQ(closed.err, "tachora-info: cannot write to standard output (Broken pipe)\n")
        << args[0];
  }
}

}  // namespace
#endif
