#include "tools/InfoOptions.h"

#include <array>
#include <set>

#include "tools/ShownText.h"

namespace tools {
namespace {

constexpr std::array<OptionSpec, 8> kOptions{{
    {"--json", nullptr, "print the report as one JSON object",
     [](InfoOptions& o, const std::string&) { o.json = true; }},
    {"--cpuid-dump", "FILE", "examine a recorded CPUID dump instead of this processor",
     [](InfoOptions& o, const std::string& value) { o.dumpPath = value; }},
    {"--dump", nullptr, "write this processor's dump in the extended dump format",
     [](InfoOptions& o, const std::string&) { o.dump = true; }},
    {"--no-speed", nullptr, "skip the 200 ms clock-rate and the core-clock measurements",
     [](InfoOptions& o, const std::string&) { o.measureSpeed = false; }},
    {"--clock", nullptr, "measure the clock as at start-up, by the library, per core",
     [](InfoOptions& o, const std::string&) { o.clock = true; }},
    {"--load", nullptr, "measure the core clocks all at once, every core busy",
     [](InfoOptions& o, const std::string&) { o.load = true; }},
    {"--version", nullptr, "print the version and exit",
     [](InfoOptions& o, const std::string&) { o.version = true; }},
    {"--help", nullptr, "print this help and exit",
     [](InfoOptions& o, const std::string&) { o.help = true; }},
}};

const OptionSpec* Find(const std::string& name) {
  for (const OptionSpec& spec : kOptions) {
    if (name == spec.name) return &spec;
  }
  return nullptr;
}

}  // namespace

std::span<const OptionSpec> OptionTable() {
  return kOptions;
}

ParsedOptions ParseOptions(const std::vector<std::string>& args) {
  ParsedOptions parsed;
  std::set<const OptionSpec*> given;
  for (size_t i = 0; i < args.size(); ++i) {
    std::string name = args[i];
    std::optional<std::string> value;
    const size_t equals = name.find('=');
    if (name.rfind("--", 0) == 0 && equals != std::string::npos) {
      value = name.substr(equals + 1);
      name = name.substr(0, equals);
    }
    if (name == "-h") name = "--help";
    const OptionSpec* spec = Find(name);
    if (!spec) {
      parsed.error = (name.rfind("-", 0) == 0 ? "unknown option '" : "unexpected argument '") +
                     ShownArgument(args[i]) + "' (see --help)";
      return parsed;
    }
    if (!given.insert(spec).second) {
      parsed.error = std::string("option ") + spec->name + " is given twice";
      return parsed;
    }
    if (spec->argument && !value) {
      // The next word is the value unless it is another option: "--cpuid-dump --json"
      // forgot the file. A file whose name starts with '-' is still "--cpuid-dump=-x".
      if (i + 1 >= args.size() || args[i + 1].rfind("-", 0) == 0) {
        parsed.error = std::string("option ") + spec->name + " needs " + spec->argument;
        return parsed;
      }
      value = args[++i];
    }
    if (!spec->argument && value) {
      parsed.error = std::string("option ") + spec->name + " takes no value";
      return parsed;
    }
    spec->apply(parsed.options, value.value_or(std::string()));
  }
  return parsed;
}

std::string UsageText() {
  std::string text =
      "Usage: tachora-info [OPTION]...\n"
      "Shows what the processor identification library reports about processor 0:\n"
      "the CPU details, caches, feature flags, serial number, errata and processors,\n"
      "as the library's rules for the processors of its day read CPUID.\n"
      "\n"
      "After them come sections that decode today's CPUID from a snapshot of every\n"
      "leaf and sub-leaf (on the other processors, those that differ between them):\n"
      "microarchitecture, code name and process (a table by vendor, family, model\n"
      "and stepping); the hypervisor (0x40000000)\n"
      "and declared clock rates (0x15, 0x16, 0x40000010); the topology (0xB and 0x1F,\n"
      "or 0x80000026, 0x80000008 and 0x8000001E; hybrid core types from 0x1A); the\n"
      "caches (leaf 4 or 0x8000001D, else leaf 2 or 0x80000005 and 0x80000006); the\n"
      "flags of leaves 1, 6, 7, 0xD, 0x14, 0x19 and 0x80000001 to 0x80000021, named\n"
      "as Linux names them. --json adds them as flags, caches, topology,\n"
      "microarchitecture and hypervisor.\n"
      "\n";
  for (const OptionSpec& spec : kOptions) {
    std::string left = std::string("  ") + spec.name;
    if (spec.argument) left += std::string(" ") + spec.argument;
    if (left.size() < 22) left.append(22 - left.size(), ' ');
    text += left + spec.help + "\n";
  }
  text +=
      "\n"
      "The core clock is the rate a processor's core really runs at, timed with a chain\n"
      "of dependent additions (one a clock; the Pentium 4 family's adders may do two).\n"
      "It differs from the counter's rate: the time-stamp counter ticks at a fixed\n"
      "rate, while a core speeds up when busy (boost) and slows down when idle. --clock\n"
      "measures each core alone while the others idle; --load measures all of them at\n"
      "once, giving the clock with every core busy, usually below one core's boost.\n"
      "\n"
      "Exit status: 0 on success, 2 for a bad command line or a bad dump file.\n";
  return text;
}

}  // namespace tools
