#include "tools/InfoTool.h"

#include <exception>
#include <filesystem>

#include "cpuinfo/CpuidDump.h"
#include "platform/CommandLine.h"
#include "tools/ClockReport.h"
#include "tools/InfoOptions.h"
#include "tools/InfoReport.h"
#include "tools/ReportFormats.h"

namespace tools {
namespace {

int Fail(std::ostream& err, const std::string& message) {
  err << "tachora-info: " << message << "\n";
  return kExitBadInput;
}

// The file name of a UTF-8 path, in UTF-8.
std::string FileName(const std::string& path) {
  const std::u8string name = platform::PathFromUtf8(path).filename().u8string();
  return std::string(name.begin(), name.end());
}

std::string Render(const InfoOptions& options, const InfoReport& report,
                   const std::string& heading) {
  return options.json ? RenderJson(report) : RenderText(report, heading);
}

}  // namespace

int RunInfoTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const ParsedOptions parsed = ParseOptions(args);
  if (!parsed.error.empty()) return Fail(err, parsed.error);
  const InfoOptions& options = parsed.options;
  if (options.help) {
    out << UsageText();
    return 0;
  }
  if (options.version) {
    out << kProgramVersion << "\n";
    return 0;
  }
  if (options.clock) {
    // A recorded dump cannot be timed.
    if (options.dumpPath) return Fail(err, "--clock measures the live processor, not a dump");
    out << RenderClock(MeasureBothClocks());
    return out ? 0 : 1;
  }
  // The whole report is built in memory first: a failure prints nothing on out.
  std::string text;
  try {
    if (options.dumpPath) {
      cpuinfo::ReplayCpuidSource source(cpuinfo::LoadCpuidDump(*options.dumpPath));
      const cpuinfo::ScopedCpuidSource installed(source);
      const std::string& name = source.Dump().name;
      const std::string heading = "Recorded processor " +
                                  (name.empty() ? std::string("(unnamed)") : name) + "\n" +
                                  "Dump file          " + FileName(*options.dumpPath);
      text = Render(options, CollectReport(false), heading);
    } else {
      text = Render(options, CollectReport(options.measureSpeed), "Processor 0 of this computer");
    }
  } catch (const cpuinfo::CpuidDumpError& error) {
    return Fail(err, error.what());
  } catch (const std::exception& error) {
    return Fail(err, std::string("internal error: ") + error.what());
  }
  out << text;
  out.flush();
  return out ? 0 : 1;
}

}  // namespace tools
