// The built tachora-info program: exit status, the separation of stdout and stderr,
// bounded input, and output that cannot be written.
#include <gtest/gtest.h>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>
#include <vector>

namespace {

// Where the program's standard output goes.
enum class Stdout { Captured, DevFull, ClosedPipe };

struct Result {
  int status = -1;
  std::string out;
  std::string err;
  double cpuSeconds = 0;
  long peakKilobytes = 0;
};

std::string Slurp(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

std::filesystem::path TempPath(const std::string& suffix) {
  return std::filesystem::temp_directory_path() /
         ("tachora-info-test-" + std::to_string(getpid()) + suffix);
}

Result RunProgram(const std::vector<std::string>& args, Stdout target = Stdout::Captured) {
  const auto outPath = TempPath(".out");
  const auto errPath = TempPath(".err");
  int pipeEnds[2] = {-1, -1};
  if (target == Stdout::ClosedPipe) {
    if (pipe(pipeEnds) != 0) return {};
    close(pipeEnds[0]);  // nobody will read: every write fails
  }
  const pid_t child = fork();
  if (child == 0) {
    const int out = target == Stdout::ClosedPipe ? pipeEnds[1]
                    : target == Stdout::DevFull
                        ? open("/dev/full", O_WRONLY)
                        : open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    dup2(out, STDOUT_FILENO);
    dup2(err, STDERR_FILENO);
    std::vector<char*> argv{const_cast<char*>(TACHORA_INFO_PATH)};
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    execv(argv[0], argv.data());
    _exit(127);
  }
  if (pipeEnds[1] >= 0) close(pipeEnds[1]);
  int raw = 0;
  rusage usage{};
  wait4(child, &raw, 0, &usage);
  Result result;
  result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  result.out = Slurp(outPath);
  result.err = Slurp(errPath);
  result.cpuSeconds = double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                      double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
  result.peakKilobytes = usage.ru_maxrss;
  std::filesystem::remove(outPath);
  std::filesystem::remove(errPath);
  return result;
}

std::string Dump(const std::string& file) {
  return std::string(TACHORA_SOURCE_DIR) + "/tests/data/cpuid-dumps/" + file;
}

TEST(Program, PrintsTheVersion) {
  const Result result = RunProgram({"--version"});
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.out, "3.0.3.3\n");
}

TEST(Program, RunsOnARecordedDump) {
  const Result result = RunProgram({"--json", "--cpuid-dump", Dump("intel-486dx4-0480.cpuid")});
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.err, "");
  EXPECT_NE(result.out.find("\"name\": \"Intel 80486DX4\""), std::string::npos);
}

TEST(Program, BadInputExitsTwoWithNothingOnStdout) {
  const Result unknown = RunProgram({"--bogus"});
  EXPECT_EQ(unknown.status, 2);
  EXPECT_EQ(unknown.out, "");
  EXPECT_EQ(unknown.err, "tachora-info: unknown option '--bogus' (see --help)\n");
  const Result missing = RunProgram({"--json", "--cpuid-dump", "/no/such.cpuid"});
  EXPECT_EQ(missing.status, 2);
  EXPECT_EQ(missing.out, "");
  EXPECT_NE(missing.err.find("/no/such.cpuid"), std::string::npos);
}

TEST(Program, TheReadmeOfTheDumpsIsNotADump) {
  const Result result = RunProgram({"--cpuid-dump", Dump("README.md")});
  EXPECT_EQ(result.status, 2);
  EXPECT_EQ(result.out, "");
  EXPECT_NE(result.err.find("README.md:3:"), std::string::npos) << result.err;
}

TEST(Program, EndlessInputStopsAtTheBoundInLittleTimeAndMemory) {
  const Result zeros = RunProgram({"--cpuid-dump", "/dev/zero"});
  EXPECT_EQ(zeros.status, 2);
  EXPECT_EQ(zeros.err, "tachora-info: /dev/zero: larger than 16 MB, not a CPUID dump\n");
  EXPECT_LT(zeros.cpuSeconds, 1.0);
  EXPECT_LT(zeros.peakKilobytes, 64 * 1024);
  // Random bytes end at the first line, which is not a dump line.
  const Result noise = RunProgram({"--cpuid-dump", "/dev/urandom"});
  EXPECT_EQ(noise.status, 2);
  EXPECT_EQ(noise.err.rfind("tachora-info: /dev/urandom:1: ", 0), 0u) << noise.err;
  EXPECT_LT(noise.cpuSeconds, 1.0);
  EXPECT_LT(noise.peakKilobytes, 64 * 1024);
}

TEST(Program, ReadsADumpFromAFifo) {
  const auto fifo = TempPath(".fifo");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  std::thread writer(
      [&] { std::ofstream(fifo, std::ios::binary) << Slurp(Dump("intel-p3-katmai-0673.cpuid")); });
  const Result result = RunProgram({"--cpuid-dump", fifo.string()});
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
    const Result full = RunProgram(args, Stdout::DevFull);
    EXPECT_EQ(full.status, 1) << args[0];
    EXPECT_EQ(full.err, "tachora-info: cannot write to standard output (No space left on device)\n")
        << args[0];
  }
  for (const auto& args : {commands[1], commands[3]}) {
    const Result closed = RunProgram(args, Stdout::ClosedPipe);
    EXPECT_EQ(closed.status, 1) << args[0];
    EXPECT_EQ(closed.err, "tachora-info: cannot write to standard output (Broken pipe)\n")
        << args[0];
  }
}

}  // namespace
#endif
