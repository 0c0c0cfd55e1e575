// tachora-info's command line: a table of options, one row each, so that a new option
// is one row and one handler.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

namespace tools {

struct InfoOptions {
  bool help = false;
  bool version = false;
  bool json = false;
  bool measureSpeed = true;
  bool clock = false;
  bool load = false;  // the core clocks measured all at once
  bool dump = false;  // write this processor's CPUID dump instead of the report
  std::optional<std::string> dumpPath;
};

struct OptionSpec {
  const char* name;      // "--json"
  const char* argument;  // "FILE" for an option that takes a value, otherwise null
  const char* help;
  void (*apply)(InfoOptions& options, const std::string& value);
};

std::span<const OptionSpec> OptionTable();

struct ParsedOptions {
  InfoOptions options;
  std::string error;  // empty when the command line is sound
};

// Accepts "--name VALUE" and "--name=VALUE" for options that take a value; a VALUE that
// starts with '-' must use the second form. Each option may be given once.
ParsedOptions ParseOptions(const std::vector<std::string>& args);

std::string UsageText();

}  // namespace tools
