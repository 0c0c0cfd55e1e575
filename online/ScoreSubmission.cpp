#include "online/ScoreSubmission.h"

#include "online/WebAddresses.h"

namespace online {
namespace {

// Printable ASCII that a query value may not hold as it is: the parameter separators, and
// the characters an address may not contain raw at all.
constexpr std::string_view kReserved = "%&#+\"<>\\^`{|}";

bool NeedsEscape(unsigned char c) {
  return c <= 0x20 || c >= 0x7F || kReserved.find(char(c)) != std::string_view::npos;
}

void AppendParameter(std::string& address, std::string_view separator, std::string_view key,
                     std::string_view value) {
  address += separator;
  address += key;
  address += '=';
  address += EscapeQueryValue(value);
}

}  // namespace

std::string EscapeQueryValue(std::string_view value) {
  constexpr char kDigits[] = "0123456789ABCDEF";
  std::string escaped;
  escaped.reserve(value.size());
  for (const char c : value) {
    const auto byte = static_cast<unsigned char>(c);
    if (NeedsEscape(byte)) {
      escaped += '%';
      escaped += kDigits[byte >> 4];
      escaped += kDigits[byte & 0x0F];
    } else {
      escaped += c;
    }
  }
  return escaped;
}

std::string ScoreSubmissionAddress(const ScoreSubmission& score) {
  std::string address = ProductAddress(kAddScorePath);
  AppendParameter(address, "?", "macaddress", score.MachineIdentity);
  AppendParameter(address, "&", "speed", std::to_string(score.MeasuredMhz));
  AppendParameter(address, "&", "cpudesc", score.Processor.CpuDescription);
  AppendParameter(address, "&", "vendor", score.Processor.CpuVendor);
  AppendParameter(address, "&", "speedpub", score.Processor.CpuPublishedSpeed);
  AppendParameter(address, "&", "family", score.Processor.CpuFamily);
  AppendParameter(address, "&", "ver", kProgramVersion);
  return address;
}

}  // namespace online
