#include "speedtest/MachineIdentity.h"

namespace speedtest {

std::string FormatMachineIdentity(const std::optional<platform::NodeBytes>& node) {
  if (!node) return {};
  constexpr char kDigits[] = "0123456789ABCDEF";
  std::string text;
  text.reserve(node->size() * 2);
  for (const uint8_t byte : *node) {
    text += kDigits[byte >> 4];
    text += kDigits[byte & 0x0F];
  }
  return text;
}

std::string GetMachineIdentity() {
  return FormatMachineIdentity(platform::TimeBasedUuidNode());
}

}  // namespace speedtest
