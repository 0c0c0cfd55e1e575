// Runs a built program as a child process, the way a user's shell would, and collects
// what it did: exit status, both output streams and processor time. (Not its peak memory:
// the kernel counts the forked copy of the test itself in that.)
#pragma once

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace testsupport {

// Where the child's standard output goes.
enum class Stdout { Captured, DevFull, ClosedPipe };

struct ChildOptions {
  Stdout stdoutTo = Stdout::Captured;
  std::vector<std::string> unset;                              // environment variables
  std::vector<std::pair<std::string, std::string>> set;        // and their values
  std::chrono::milliseconds limit = std::chrono::seconds(30);  // then it is killed
};

struct ChildRun {
  int status = -1;      // the exit status; -1 when killed by a signal
  bool killed = false;  // still running at the limit
  std::string out;
  std::string err;
  double cpuSeconds = 0;
};

inline std::string Slurp(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

inline std::filesystem::path TempPath(const std::string& suffix) {
  return std::filesystem::temp_directory_path() /
         ("tachora-test-" + std::to_string(getpid()) + suffix);
}

inline ChildRun RunChild(const std::string& program, const std::vector<std::string>& args,
                         const ChildOptions& options = {}) {
  const auto outPath = TempPath(".out");
  const auto errPath = TempPath(".err");
  int pipeEnds[2] = {-1, -1};
  if (options.stdoutTo == Stdout::ClosedPipe) {
    if (pipe(pipeEnds) != 0) return {};
    close(pipeEnds[0]);  // nobody reads: every write fails
  }
  const pid_t child = fork();
  if (child == 0) {
    const int out = options.stdoutTo == Stdout::ClosedPipe ? pipeEnds[1]
                    : options.stdoutTo == Stdout::DevFull
                        ? open("/dev/full", O_WRONLY)
                        : open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    dup2(out, STDOUT_FILENO);
    dup2(err, STDERR_FILENO);
    for (const std::string& name : options.unset) unsetenv(name.c_str());
    for (const auto& [name, value] : options.set) setenv(name.c_str(), value.c_str(), 1);
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    execv(argv[0], argv.data());
    _exit(127);
  }
  if (pipeEnds[1] >= 0) close(pipeEnds[1]);
  ChildRun run;
  int raw = 0;
  rusage usage{};
  const auto deadline = std::chrono::steady_clock::now() + options.limit;
  while (wait4(child, &raw, WNOHANG, &usage) == 0) {
    if (std::chrono::steady_clock::now() >= deadline) {
      run.killed = true;
      kill(child, SIGKILL);
      wait4(child, &raw, 0, &usage);
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  run.out = Slurp(outPath);
  run.err = Slurp(errPath);
  run.cpuSeconds = double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                   double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
  std::filesystem::remove(outPath);
  std::filesystem::remove(errPath);
  return run;
}

}  // namespace testsupport
