// The address that submits a score: the add-score page with the score and the machine
// facts in its query, opened in the user's browser.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "generated/Version.h"
#include "speedtest/ProcessorTexts.h"

namespace online {

// The program version sent with every score.
inline constexpr std::string_view kProgramVersion = tachora::kVersionText;

struct ScoreSubmission {
  std::string MachineIdentity;
  int32_t MeasuredMhz = 0;
  speedtest::ProcessorTexts Processor;
};

// A query value made safe for the address: a space becomes "%20", and '%', '&', '#', '+',
// the characters an address may not hold raw ('"', '<', '>', '\\', '^', '`', '{', '|',
// '}') and every control or non-ASCII byte become %XX, so a processor name holding them
// neither splits its parameter, cuts off the rest of the address, nor makes it invalid.
// Everything else, '(' and ')' included, is sent as it is.
std::string EscapeQueryValue(std::string_view value);

// The site's add-score address with the keys macaddress, speed, cpudesc, vendor,
// speedpub, family and ver, in that order.
std::string ScoreSubmissionAddress(const ScoreSubmission& score);

}  // namespace online
