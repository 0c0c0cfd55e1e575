// tachora-info run in-process: options, the JSON report's shape, text layout, bad input.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/System.h"
#include "platform/fonts/Utf8.h"
#include "tests/tools/MiniJson.h"
#include "tools/ClockReport.h"
#include "tools/InfoOptions.h"
#include "tools/InfoTool.h"
#include "tools/Json.h"

namespace tools {
namespace {

using testing::Json;
using testing::ParseJson;

struct ToolRun {
  int status;
  std::string out;
  std::string err;
};

ToolRun RunTool(const std::vector<std::string>& args) {
  std::ostringstream out;
  std::ostringstream err;
  const int status = RunInfoTool(args, out, err);
  return {status, out.str(), err.str()};
}

std::string DumpPath(const std::string& file) {
  return std::string(TACHORA_SOURCE_DIR) + "/tests/data/cpuid-dumps/" + file;
}

// A dump file in the temporary folder, removed with the object.
class TempDump {
 public:
  explicit TempDump(const std::string& content)
      : path_((std::filesystem::temp_directory_path() /
               ("tachora-tool-" + std::to_string(counter_++) + ".cpuid"))
                  .string()) {
    std::ofstream(path_, std::ios::binary) << content;
  }
  ~TempDump() { std::filesystem::remove(path_); }
  const std::string& path() const { return path_; }

 private:
  static inline int counter_ = 0;
  std::string path_;
};

void ExpectBadInput(const ToolRun& run, const std::string& errorStart) {
  EXPECT_EQ(run.status, kExitBadInput);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err.rfind("tachora-info: " + errorStart, 0), 0u) << run.err;
  EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
}

TEST(Options, VersionAndHelp) {
  EXPECT_EQ(RunTool({"--version"}).out, "3.0.3.3\n");
  const ToolRun help = RunTool({"--help"});
  EXPECT_EQ(help.status, 0);
  for (const OptionSpec& spec : OptionTable()) {
    EXPECT_NE(help.out.find(spec.name), std::string::npos) << spec.name;
  }
  EXPECT_NE(help.out.find("The core clock is"), std::string::npos);
  std::istringstream lines(help.out);
  for (std::string line; std::getline(lines, line);) EXPECT_LE(line.size(), 80u) << line;
}

TEST(Options, ValuesInlineOrFollowing) {
  ParsedOptions a = ParseOptions({"--cpuid-dump=x.cpuid", "--json"});
  EXPECT_EQ(a.options.dumpPath.value_or(""), "x.cpuid");
  EXPECT_TRUE(a.options.json);
  ParsedOptions b = ParseOptions({"--cpuid-dump", "y.cpuid", "--no-speed"});
  EXPECT_EQ(b.options.dumpPath.value_or(""), "y.cpuid");
  EXPECT_FALSE(b.options.measureSpeed);
}

TEST(Options, BadCommandLines) {
  ExpectBadInput(RunTool({"--frobnicate"}), "unknown option '--frobnicate'");
  ExpectBadInput(RunTool({"stray"}), "unexpected argument 'stray'");
  ExpectBadInput(RunTool({"--json", "--cpuid-dump"}), "option --cpuid-dump needs FILE");
  ExpectBadInput(RunTool({"--json=yes"}), "option --json takes no value");
}

TEST(Options, AnOptionGivenTwiceIsAnError) {
  ExpectBadInput(RunTool({"--cpuid-dump", "a.cpuid", "--cpuid-dump", "b.cpuid"}),
                 "option --cpuid-dump is given twice");
  ExpectBadInput(RunTool({"--cpuid-dump=a.cpuid", "--json", "--cpuid-dump=a.cpuid"}),
                 "option --cpuid-dump is given twice");
  ExpectBadInput(RunTool({"--json", "--json"}), "option --json is given twice");
}

TEST(Options, AnotherOptionIsNotTakenForTheFile) {
  ExpectBadInput(RunTool({"--cpuid-dump", "--json"}), "option --cpuid-dump needs FILE\n");
  ExpectBadInput(RunTool({"--cpuid-dump", "-h"}), "option --cpuid-dump needs FILE\n");
  // The inline form still names a file that starts with a dash.
  ExpectBadInput(RunTool({"--cpuid-dump=--json"}), "--json: cannot open");
}

TEST(Options, ErrorLinesShowArgumentsEscapedAndShortened) {
  ExpectBadInput(RunTool({"--x\x1B[2J\r\xC2\x9B\xFF"}),
                 "unknown option '--x\\x1B[2J\\x0D\\u009B\\xFF' (see --help)\n");
  ExpectBadInput(RunTool({"st\xC3\xA9"
                          "ray"}),
                 "unexpected argument 'st\xC3\xA9"
                 "ray'");
  const std::string longPath = "/tmp/" + std::string(100, 'd') + "/dump.cpuid";
  ExpectBadInput(
      RunTool({"--cpuid-dump", longPath}),
      "/tmp/" + std::string(23, 'd') + "..." + std::string(17, 'd') + "/dump.cpuid: cannot open");
  const std::string folder = std::filesystem::temp_directory_path().string();
  ExpectBadInput(RunTool({"--cpuid-dump", folder + "/\x1B]0;x\x07.cpuid"}),
                 folder + "/\\x1B]0;x\\x07.cpuid: cannot open");
}

TEST(ClockOption, RefusesARecordedDump) {
  ExpectBadInput(RunTool({"--clock", "--cpuid-dump", DumpPath("intel-p3-katmai-0673.cpuid")}),
                 "--clock measures the live processor");
}

TEST(ClockOption, IsRefusedWithJsonRatherThanPrintedAsText) {
  for (const auto& args : {std::vector<std::string>{"--json", "--clock"},
                           std::vector<std::string>{"--clock", "--json"}}) {
    ExpectBadInput(RunTool(args),
                   "--clock prints a text report and cannot be combined with --json");
  }
}

TEST(ClockOption, ShowsTheStartupValueWithThreeDecimalsBesideTheLibrarys) {
  const std::string text = RenderClock({2096.0324, 2096, 2100, {}});
  EXPECT_NE(text.find("Start-up measurement  2096.032 MHz"), std::string::npos) << text;
  EXPECT_NE(text.find("2096 MHz raw, rated 2100 MHz"), std::string::npos) << text;
}

TEST(ClockOption, ThenEachCoreToATenthOfAMhzAndItsRatioToTheCounter) {
  const CoreClockReadings cores{{{0, 3641.16, 1.3951}, {1, 3641.24, 1.4049}, {3, 999.96, 0.385}},
                                false};
  EXPECT_EQ(RenderClock({2600.5, 2600, 2600, cores}),
            "Start-up measurement  2600.500 MHz  (500 ms of time-stamp-counter ticks)\n"
            "Library measurement   2600 MHz raw, rated 2600 MHz\n"
            "cpu 0: 3641.2 MHz, 1.40 x the counter\n"
            "cpu 1: 3641.2 MHz, 1.40 x the counter\n"
            "cpu 3: 1000.0 MHz, 0.39 x the counter\n");
  const std::vector<std::string> pentium4 = CoreClockLines({{{0, 5600.04, 2.0003}}, true});
  ASSERT_EQ(pentium4.size(), 2u);
  EXPECT_EQ(pentium4[0], "cpu 0: 5600.0 MHz, 2.00 x the counter");
  EXPECT_NE(pentium4[1].find("the core clock may be as low as half"), std::string::npos);
}

TEST(ClockOption, SaysWhenTheStartupIntervalCouldNotBeTimed) {
  EXPECT_EQ(RenderClock({2596.1361, 2596, 2600, {}, false, 37.3}),
            "Start-up measurement  2596.136 MHz  (500 ms of time-stamp-counter ticks)\n"
            "  (the interval could not be timed closer than 37.3 us: busy machine)\n"
            "Library measurement   2596 MHz raw, rated 2600 MHz\n");
}

// Each "cpu N: M MHz, R x the counter" line of a --clock run.
std::vector<std::string> CoreLines(const std::string& out) {
  std::vector<std::string> cores;
  std::istringstream lines(out);
  for (std::string line; std::getline(lines, line);) {
    unsigned cpu = 0;
    double mhz = 0;
    double ratio = 0;
    if (std::sscanf(line.c_str(), "cpu %u: %lf MHz, %lf x the counter", &cpu, &mhz, &ratio) == 3) {
      cores.push_back(line);
    }
  }
  return cores;
}

TEST(ClockOption, MeasuresThisProcessor) {
  const ToolRun run = RunTool({"--clock"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_TRUE(run.err.empty());
  double startup = 0;
  ASSERT_EQ(std::sscanf(run.out.c_str(), "Start-up measurement %lf MHz", &startup), 1) << run.out;
  EXPECT_GT(startup, 1.0);
  EXPECT_EQ(CoreLines(run.out).size(),
            static_cast<size_t>(std::popcount(platform::ProcessAffinity())))
      << run.out;
}

TEST(ClockOption, LoadNeedsALiveCoreClockMeasurement) {
  ExpectBadInput(RunTool({"--load", "--cpuid-dump", DumpPath("intel-p3-katmai-0673.cpuid")}),
                 "--load measures the live processor");
  ExpectBadInput(RunTool({"--json", "--load", "--no-speed"}), "--load measures the core clocks");
}

TEST(BadDumps, EachProblemNamesFileAndLine) {
  const TempDump notFive("# processors: 1\n00000000 00000001 0 0\n");
  ExpectBadInput(RunTool({"--cpuid-dump", notFive.path()}), notFive.path() + ":2: expected five");
  const TempDump notHex("00000000 00000001 0 0 0\n00000001 0000067G 0 0 0\n");
  ExpectBadInput(RunTool({"--json", "--cpuid-dump", notHex.path()}),
                 notHex.path() + ":2: '0000067G' is not a hexadecimal number");
  const TempDump wide("00000000 100000001 0 0 0\n");
  ExpectBadInput(RunTool({"--cpuid-dump", wide.path()}), wide.path() + ":1: '100000001' does");
  const TempDump repeated("0 1 0 0 0\n1 0 0 0 0\n1 0 0 0 0\n");
  ExpectBadInput(RunTool({"--cpuid-dump", repeated.path()}),
                 repeated.path() + ":3: leaf '1' repeats the one on line 2");
  const TempDump binary(
      std::string("\x7F"
                  "ELF\x02\x01\x01\0\0\0",
                  10));
  ExpectBadInput(RunTool({"--cpuid-dump", binary.path()}), binary.path() + ":1:");
}

TEST(BadDumps, EncodingsOtherThanUtf8) {
  const std::string dump = "# name: Marked\n0 1 756E6547 6C65746E 49656E69\n";
  const TempDump marked("\xEF\xBB\xBF" + dump);
  const ToolRun run = RunTool({"--cpuid-dump", marked.path()});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find("Recorded processor Marked\n"), std::string::npos);
  std::string wide = "\xFF\xFE";
  for (char c : dump) wide += std::string{c, '\0'};
  const TempDump utf16(wide);
  ExpectBadInput(RunTool({"--cpuid-dump", utf16.path()}),
                 utf16.path() + ": looks like UTF-16; save the dump as UTF-8 or ASCII\n");
}

TEST(BadDumps, MissingOrUnreadableFiles) {
  ExpectBadInput(RunTool({"--cpuid-dump", "/no/such/dump.cpuid"}),
                 "/no/such/dump.cpuid: cannot open");
  const std::string folder = std::filesystem::temp_directory_path().string();
  ExpectBadInput(RunTool({"--cpuid-dump", folder}), folder + ": cannot read");
}

Json JsonOf(const std::vector<std::string>& args) {
  const ToolRun run = RunTool(args);
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err, "");
  return ParseJson(run.out);
}

TEST(JsonReport, HasExactlyTheDocumentedKeys) {
  const Json report = JsonOf({"--json", "--cpuid-dump", DumpPath("intel-p3-katmai-0673.cpuid")});
  using Keys = std::vector<std::string>;
  EXPECT_EQ(report.keys, (Keys{"vendor", "signature", "name", "cpuid", "cache", "features",
                               "by_name", "serial", "errata", "facts", "processors", "flags",
                               "caches", "topology", "microarchitecture", "hypervisor"}));
  EXPECT_EQ(report["topology"].keys, (Keys{"packages", "cores", "threads_per_core", "logical"}));
  EXPECT_EQ(report["microarchitecture"].keys, (Keys{"name", "codename", "process"}));
  EXPECT_EQ(report["microarchitecture"]["codename"].text, "Katmai");
  EXPECT_EQ(report["hypervisor"].kind, Json::Kind::Null);
  ASSERT_EQ(report["caches"].items.size(), 3u);  // descriptors 0x43, 0x08, 0x0C
  EXPECT_EQ(report["caches"].items[0].keys,
            (Keys{"level", "type", "size", "ways", "line", "sets", "shared_by"}));
  EXPECT_EQ(report["flags"].items[0].text, "fpu");
  EXPECT_EQ(report["vendor"].keys, (Keys{"index", "id", "name", "feature_vendor", "cache_method"}));
  EXPECT_EQ(report["signature"].keys, (Keys{"value", "type", "family", "model", "stepping", "brand",
                                            "family_extended", "model_extended", "text"}));
  EXPECT_EQ(report["name"].keys, (Keys{"name", "from_lookup"}));
  EXPECT_EQ(report["cpuid"].keys, (Keys{"standard_max", "extended_max", "transmeta_max"}));
  EXPECT_EQ(report["cache"].keys, (Keys{"l1_code", "l1_data", "l1_unified", "l2", "l3", "trace"}));
  for (const std::string& cache : report["cache"].keys) {
    EXPECT_EQ(report["cache"][cache].keys, (Keys{"available", "size", "line", "assoc"}));
  }
  EXPECT_EQ(report["features"].keys, (Keys{"standard", "standard_ecx", "extended", "power"}));
  for (const std::string& set : report["features"].keys) {
    const Json& features = report["features"][set];
    EXPECT_EQ(features.keys, (Keys{"available", "count", "flags"}));
    ASSERT_EQ(features["flags"].items.size(), 32u);
    EXPECT_EQ(features["flags"].items[0].keys,
              (Keys{"bit", "mnemonic", "description", "available"}));
  }
  EXPECT_EQ(report["by_name"].keys, (Keys{"SSE2", "MMX+", "TM", "PGE", "SEP", "HTT"}));
  EXPECT_EQ(report["by_name"]["SSE2"].keys, (Keys{"bit", "mnemonic", "available"}));
  EXPECT_EQ(report["serial"].keys, (Keys{"available", "text", "digits"}));
  EXPECT_EQ(report["errata"].keys, (Keys{"fdiv_flaw", "amd_erratum"}));
  EXPECT_EQ(report["facts"].keys, (Keys{"description", "vendor", "family", "mmx", "sse_sse2"}));
  EXPECT_EQ(report["processors"].keys, (Keys{"system", "logical"}));
}

TEST(JsonReport, ValuesOfARecordedPentiumThree) {
  const Json report = JsonOf({"--json", "--cpuid-dump", DumpPath("intel-p3-katmai-0673.cpuid")});
  EXPECT_EQ(report["vendor"]["id"].text, "GenuineIntel");
  EXPECT_EQ(report["signature"]["value"].number, 0x673);
  EXPECT_EQ(report["signature"]["text"].text, "x86 Family 6 Model 7 Stepping 3");
  EXPECT_EQ(report["name"]["name"].text, "Intel Pentium III");
  EXPECT_TRUE(report["name"]["from_lookup"].boolean);
  EXPECT_EQ(report["cache"]["l2"]["assoc"].text, "4-Way");
  EXPECT_EQ(report["cache"]["l2"]["size"].number, 524288);
  EXPECT_EQ(report["features"]["standard"]["count"].number, 30);
  const Json& bit10 = report["features"]["standard"]["flags"].items[10];
  EXPECT_EQ(bit10["bit"].number, 255);
  EXPECT_EQ(bit10["mnemonic"].text, "RES");
  EXPECT_EQ(report["serial"]["text"].text, "0000-0000-0000-D043-8EF1-8AEE");
  EXPECT_EQ(report["facts"]["sse_sse2"].text, "SSE Yes, SSE2 No");
  EXPECT_EQ(report["facts"]["mmx"].text, "MMX Yes");
  EXPECT_EQ(report["processors"]["system"].number, 1);
  EXPECT_EQ(report.members.count("speed"), 0u);
}

TEST(JsonReport, EveryRecordedProcessorGivesValidJson) {
  for (const auto& entry : std::filesystem::directory_iterator(std::string(TACHORA_SOURCE_DIR) +
                                                               "/tests/data/cpuid-dumps")) {
    if (entry.path().extension() != ".cpuid") continue;
    const Json report = JsonOf({"--cpuid-dump", entry.path().string(), "--json"});
    EXPECT_EQ(report.keys.size(), 16u) << entry.path();
    EXPECT_FALSE(report["name"]["name"].text.empty()) << entry.path();
  }
}

TEST(JsonReport, LiveReportWithoutSpeed) {
  const Json report = JsonOf({"--json", "--no-speed"});
  EXPECT_EQ(report.keys.size(), 16u);
  EXPECT_GE(report["processors"]["system"].number, 1);
  EXPECT_GE(report["cpuid"]["standard_max"].number, 1);
}

TEST(JsonReport, LiveReportMeasuresTheSpeedAndEachCoreClock) {
  for (const bool underLoad : {false, true}) {
    const Json report = underLoad ? JsonOf({"--json", "--load"}) : JsonOf({"--json"});
    ASSERT_EQ(report.keys.size(), 18u);
    ASSERT_EQ(report.keys[11], "speed");
    const Json& speed = report["speed"];
    EXPECT_EQ(speed.keys,
              (std::vector<std::string>{"raw", "normalized", "normalized_text", "rating"}));
    EXPECT_GT(speed["raw"].number, 0);
    EXPECT_FALSE(speed["normalized_text"].text.empty());

    ASSERT_EQ(report.keys[12], "core_clock");
    const std::vector<Json>& cores = report["core_clock"].items;
    EXPECT_EQ(cores.size(), static_cast<size_t>(std::popcount(platform::ProcessAffinity())));
    for (const Json& core : cores) {
      EXPECT_EQ(core.keys, (std::vector<std::string>{"cpu", "mhz"}));
      EXPECT_GT(core["mhz"].number, 1.0);
      EXPECT_EQ(std::round(core["mhz"].number * 10) / 10, core["mhz"].number);
    }
  }
}

TEST(JsonText, FractionsInTheShortestDigitsThatReadBackTheSame) {
  EXPECT_EQ(JsonText(3641.2), "3641.2");
  EXPECT_EQ(JsonText(3600.0), "3600");
  EXPECT_EQ(JsonText(0.1 + 0.2), "0.30000000000000004");
  EXPECT_EQ(JsonText(std::nan("")), "null");
  EXPECT_EQ(JsonText(-HUGE_VAL), "null");
}

TEST(JsonText, EscapesControlAndHighBytes) {
  EXPECT_EQ(JsonQuoted(std::string("a\"b\\c\0d\x1F\xE9", 9)),
            "\"a\\\"b\\\\c\\u0000d\\u001F\\u00E9\"");
  EXPECT_EQ(ParseJson(JsonQuoted(std::string("x\0y", 3))).text, std::string("x\0y", 3));
}

TEST(TextReport, FitsEightyColumnsAndShowsTheDetailsPage) {
  for (const char* dump : {"transmeta-crusoe-tm5800-0543.cpuid", "intel-core2-penryn-10676.cpuid",
                           "amd-athlon-thunderbird-0644.cpuid"}) {
    const ToolRun run = RunTool({"--cpuid-dump", DumpPath(dump)});
    ASSERT_EQ(run.status, 0) << run.err;
    std::istringstream lines(run.out);
    std::string line;
    int count = 0;
    while (std::getline(lines, line)) {
      EXPECT_LE(line.size(), 80u) << line;
      EXPECT_TRUE(line.empty() || line.back() != ' ') << line;
      ++count;
    }
    EXPECT_GT(count, 150);
  }
  const ToolRun run = RunTool({"--cpuid-dump", DumpPath("amd-athlon-thunderbird-0644.cpuid")});
  for (const char* text :
       {"Description         AMD Athlon(tm) Processor",
        "Vendor              Advanced Micro Devices",
        "Family              x86 Family 6 Model 4 Stepping 4", "MMX support         MMX Yes",
        "SSE, SSE2           SSE No, SSE2 No", "Level 2             256.0 Kb",
        "Recorded processor AMD Athlon (Thunderbird)"}) {
    EXPECT_NE(run.out.find(text), std::string::npos) << text;
  }
}

// Valid UTF-8 (substitutes allowed) without a control character other than line ends.
void ExpectCleanText(const std::string& text) {
  size_t pos = 0;
  while (pos < text.size()) {
    const size_t start = pos;
    const char32_t code = platform::NextCodePoint(text, pos);
    if (code == 0xFFFD) {
      EXPECT_EQ(text.substr(start, pos - start), "\xEF\xBF\xBD") << "invalid UTF-8 at " << start;
    }
    const bool control = code < 0x20 || (code >= 0x7F && code < 0xA0);
    EXPECT_TRUE(code == '\n' || !control) << "U+" << std::hex << unsigned(code) << " at " << start;
  }
}

TEST(TextReport, IsCleanUtf8WhateverTheRegistersAndTheDumpHold) {
  // A brand string that starts with 0x9B and ESC, and a name that is not UTF-8.
  const TempDump odd(
      "# name: Caf\xE9 \xFF\xC2\x9B[31m \xC3\xA9t\xC3\xA9\n"
      "00000000 00000001 756E6547 6C65746E 49656E69\n"
      "00000001 00010676 00020800 0008E3FD BFEBFBFF\n"
      "80000000 80000004 00000000 00000000 00000000\n"
      "80000002 65741B9B 2952286C 726F4320 4D542865\n"
      "80000003 44203229 43206F75 20205550 50202020\n"
      "80000004 30303438 20402020 36322E32 007A4847\n");
  const ToolRun run = RunTool({"--cpuid-dump", odd.path()});
  ASSERT_EQ(run.status, 0) << run.err;
  ExpectCleanText(run.out);
  EXPECT_NE(run.out.find("Recorded processor Caf\uFFFD \uFFFD\uFFFD[31m \u00E9t\u00E9\n"),
            std::string::npos)
      << run.out;
  EXPECT_NE(run.out.find("Description         \uFFFD\uFFFDtel(R) Core(TM)2"), std::string::npos)
      << run.out;
  // The JSON keeps its escapes.
  const Json report = JsonOf({"--json", "--cpuid-dump", odd.path()});
  EXPECT_EQ(report["facts"]["description"].text.substr(0, 4), "\x9B\x1Bte");
}

}  // namespace
}  // namespace tools
