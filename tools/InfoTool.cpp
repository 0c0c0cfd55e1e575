#include "tools/InfoTool.h"

#include <exception>
#include <filesystem>

#include "cpuinfo/CpuidDump.h"
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
  // A recorded dump cannot be timed.
  if (options.clock && options.dumpPath) {
    return Fail(err, "--clock measures the live processor, not a dump");
  }
  if (options.load && options.dumpPath) {
    return Fail(err, "--load measures the live processor, not a dump");
  }
  if (options.load && !options.clock && !options.measureSpeed) {
    return Fail(err, "--load measures the core clocks, which --no-speed leaves out");
  }
  if (options.clock) {
    out << RenderClock(MeasureClocks(options.load));
    return out ? 0 : 1;
  }
  // The whole report is built in memory first: a failure prints nothing on out.
  std::string text;
  try {
    if (options.dumpPath) {
      cpuinfo::ReplayCpuidSource source(cpuinfo::LoadCpuidDump(*options.dumpPath));
      const cpuinfo::ScopedCpuidSource installed(source);
      const std::string& name = source.Dump().name;
      const std::string heading =
          "Recorded processor " + (name.empty() ? std::string("(unnamed)") : name) + "\n" +
          "Dump file          " + std::filesystem::path(*options.dumpPath).filename().string();
      text = Render(options, CollectReport(false), heading);
    } else {
      InfoReport report = CollectReport(options.measureSpeed);
      if (options.measureSpeed) report.coreClocks = MeasureCoreClocks(options.load);
      text = Render(options, report, "Processor 0 of this computer");
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
