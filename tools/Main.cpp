// tachora-info: the processor identification library's view of a processor.
#include <clocale>
#include <iostream>

#include "cpuinfo/Processor.h"
#include "platform/CommandLine.h"
#include "tools/InfoTool.h"

int main(int argc, char** argv) {
  std::setlocale(LC_ALL, "");
  cpuinfo::InitializeLibrary();
  const std::vector<std::string> args = platform::CommandLineArguments(argc, argv);
  const int status = tools::RunInfoTool(args, std::cout, std::cerr);
  cpuinfo::FinalizeLibrary();
  return status;
}
