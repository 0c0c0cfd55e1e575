// The two forms of the report: JSON for programs, aligned text for a person.
#pragma once

#include <string>

#include "tools/InfoReport.h"

namespace tools {

std::string RenderJson(const InfoReport& report);

// origin names what was examined ("this computer", or the recorded processor).
std::string RenderText(const InfoReport& report, const std::string& origin);

}  // namespace tools
