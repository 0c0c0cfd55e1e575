// tachora-info as a function, so it can run inside tests as well as from main.
#pragma once

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "generated/Version.h"

namespace tools {

constexpr std::string_view kProgramVersion = tachora::kVersionText;
constexpr int kExitBadInput = 2;
constexpr int kExitWriteFailed = 1;

// Writes the whole report to out, or one error line to err and nothing to out (and when
// out cannot be written, one line to err and kExitWriteFailed).
int RunInfoTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace tools
