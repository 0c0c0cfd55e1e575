// The two forms of the report: JSON for programs, aligned text for a person.
#pragma once

#include <string>

#include "tools/InfoReport.h"

namespace tools {

std::string RenderJson(const InfoReport& report);

// heading: the first lines, naming what was examined.
std::string RenderText(const InfoReport& report, const std::string& heading);

}  // namespace tools
