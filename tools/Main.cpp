// tachora-info: the processor identification library's view of a processor.
#include <clocale>
#include <csignal>

#include "cpuinfo/Processor.h"
#include "platform/CommandLine.h"
#include "platform/ConsoleStream.h"
#include "tools/InfoTool.h"

int main(int argc, char** argv) {
  // Only the number formats come from the locale; loading every category costs more
  // than reading the processor.
  std::setlocale(LC_NUMERIC, "");
#ifdef SIGPIPE
  // A closed pipe is a failed write, said on stderr like any other, not a silent end.
  std::signal(SIGPIPE, SIG_IGN);
#endif
  platform::KeepStandardOutputBytes();
  cpuinfo::InitializeLibrary();
  const std::vector<std::string> args = platform::CommandLineArguments(argc, argv);
  const int status =
      tools::RunInfoTool(args, platform::StandardOutput(), platform::StandardError());
  cpuinfo::FinalizeLibrary();
  return status;
}
