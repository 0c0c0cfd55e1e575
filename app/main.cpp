// Tachora on Linux: answers --help and --version without a window; otherwise the
// processor library starts first, then the program on the SDL backend.
#include <cerrno>
#include <clocale>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <exception>
#include <optional>
#include <string>
#include <string_view>

#include "app/StartUp.h"
#include "cpuinfo/Processor.h"
#include "online/ScoreSubmission.h"
#include "platform/sdl/SdlBackend.h"

namespace {

constexpr std::string_view kUsage =
    "Usage: tachora [--help | --version]\n"
    "Measures the processor's clock and tells what the processor is, in a window.\n"
    "tachora-info reports the same from the command line.\n";

// The program takes nothing on its command line; these two are answered without a
// window, every other argument is ignored.
std::optional<std::string> Answer(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--help" || arg == "-h") return std::string(kUsage);
    if (arg == "--version") return std::string(online::kProgramVersion) + "\n";
  }
  return std::nullopt;
}

int Print(const std::string& text) {
  std::signal(SIGPIPE, SIG_IGN);  // a closed pipe is a failed write, said below
  errno = 0;
  if (std::fputs(text.c_str(), stdout) >= 0 && std::fflush(stdout) == 0) return 0;
  std::fprintf(stderr, "tachora: cannot write to standard output (%s)\n", std::strerror(errno));
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (const auto answer = Answer(argc, argv)) return Print(*answer);
  std::setlocale(LC_ALL, "");
  cpuinfo::InitializeLibrary();
  try {
    platform::SdlBackend backend;
    app::RunTachora(backend);
  } catch (const std::exception& error) {
    // No display, or no font: there is no window to show anything in.
    std::fprintf(stderr, "tachora: %s\n", error.what());
    cpuinfo::FinalizeLibrary();
    return 1;
  }
  cpuinfo::FinalizeLibrary();
  return 0;
}
