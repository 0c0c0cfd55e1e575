#include "tools/InfoTool.h"

#include <cerrno>
#include <cstring>
#include <exception>
#include <filesystem>

#include "cpuinfo/CpuidDump.h"
#include "cpuinfo/modern/LiveSnapshot.h"
#include "platform/CommandLine.h"
#include "tools/ClockReport.h"
#include "tools/InfoOptions.h"
#include "tools/InfoReport.h"
#include "tools/ReportFormats.h"
#include "tools/ShownText.h"

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

// Writes the finished output; a full disk or a closed pipe is said on err.
int Emit(std::ostream& out, std::ostream& err, const std::string& text) {
  errno = 0;
  out << text;
  out.flush();
  if (out) return 0;
  const int cause = errno;
  err << "tachora-info: cannot write to standard output"
      << (cause ? std::string(" (") + std::strerror(cause) + ")" : std::string()) << "\n";
  return kExitWriteFailed;
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
  if (options.help) return Emit(out, err, UsageText());
  if (options.version) return Emit(out, err, std::string(kProgramVersion) + "\n");
  // A recorded dump cannot be timed.
  if (options.clock && options.dumpPath) {
    return Fail(err, "--clock measures the live processor, not a dump");
  }
  // The clock report is a text of its own; silently printing it as text would leave a
  // reader of JSON with something it cannot parse.
  if (options.clock && options.json) {
    return Fail(err, "--clock prints a text report and cannot be combined with --json");
  }
  if (options.load && options.dumpPath) {
    return Fail(err, "--load measures the live processor, not a dump");
  }
  if (options.load && !options.clock && !options.measureSpeed) {
    return Fail(err, "--load measures the core clocks, which --no-speed leaves out");
  }
  if (options.dump && (options.dumpPath || options.json || options.clock || options.load ||
                       !options.measureSpeed)) {
    return Fail(err, "--dump writes this processor's dump and takes no other option");
  }
  if (options.clock) return Emit(out, err, RenderClock(MeasureClocks(options.load)));
  // The whole report is built in memory first: a failure prints nothing on out.
  std::string text;
  try {
    if (options.dumpPath) {
      cpuinfo::ReplayCpuidSource source(
          cpuinfo::LoadCpuidDump(*options.dumpPath, ShownArgument(*options.dumpPath)));
      const cpuinfo::ScopedCpuidSource installed(source);
      const std::string& name = source.Dump().name;
      const std::string heading = "Recorded processor " +
                                  (name.empty() ? std::string("(unnamed)") : name) + "\n" +
                                  "Dump file          " + FileName(*options.dumpPath);
      InfoReport report = CollectReport(false);
      report.modern = CollectModernReport(cpuinfo::modern::SnapshotFromDump(source.Dump()));
      text = Render(options, report, heading);
    } else {
      // Every leaf is read once per processor; the library's questions are answered from
      // that snapshot as from a recorded dump, without binding the process for each.
      const cpuinfo::modern::CpuidSnapshot snapshot = cpuinfo::modern::ReadLiveSnapshot(
          options.dump ? cpuinfo::modern::LiveRead::Dump : cpuinfo::modern::LiveRead::Report);
      if (options.dump) {
        return Emit(out, err,
                    cpuinfo::modern::DumpText(cpuinfo::modern::DumpFromSnapshot(
                        snapshot, cpuinfo::modern::BrandString(snapshot))));
      }
      cpuinfo::ReplayCpuidSource source(cpuinfo::modern::DumpFromSnapshot(snapshot, ""));
      InfoReport report;
      {
        const cpuinfo::ScopedCpuidSource installed(source);
        report = CollectReport(options.measureSpeed);
      }
      report.modern = CollectModernReport(snapshot);
      if (options.measureSpeed) report.coreClocks = MeasureCoreClocks(options.load);
      text = Render(options, report, "Processor 0 of this computer");
    }
  } catch (const cpuinfo::CpuidDumpError& error) {
    return Fail(err, error.what());
  } catch (const std::exception& error) {
    return Fail(err, std::string("internal error: ") + error.what());
  }
  return Emit(out, err, text);
}

}  // namespace tools
