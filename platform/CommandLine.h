// The program's command line, file names and standard output as on every system.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// The arguments after the program's name. On Windows they come from the UTF-16 command
// line: the narrow argv there is in the ANSI code page and loses what it cannot spell.
std::vector<std::string> CommandLineArguments(int argc, char** argv);

// A path from UTF-8 text; on Windows it opens files by their UTF-16 names.
inline std::filesystem::path PathFromUtf8(std::string_view utf8) {
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

// Standard output and error carry the program's bytes unchanged: on Windows the C
// runtime would otherwise write CR LF for each LF, and a report would differ by system.
void KeepStandardOutputBytes();

}  // namespace platform
