#include "platform/fonts/Utf8.h"

namespace platform {

namespace {
constexpr char32_t kReplacement = 0xFFFD;

// Leading byte patterns: mask, value, sequence length, smallest code point encoded.
struct Lead {
  unsigned char mask;
  unsigned char value;
  int length;
  char32_t minimum;
};
constexpr Lead kLeads[] = {
    // mask  value  length  minimum
    {0x80, 0x00, 1, 0x0},
    {0xE0, 0xC0, 2, 0x80},
    {0xF0, 0xE0, 3, 0x800},
    {0xF8, 0xF0, 4, 0x10000},
};
}  // namespace

char32_t NextCodePoint(std::string_view text, size_t& pos) {
  const auto first = static_cast<unsigned char>(text[pos]);
  for (const Lead& lead : kLeads) {
    if ((first & lead.mask) != lead.value) continue;
    if (pos + size_t(lead.length) > text.size()) break;
    char32_t code = first & static_cast<unsigned char>(~lead.mask);
    for (int i = 1; i < lead.length; ++i) {
      const auto next = static_cast<unsigned char>(text[pos + size_t(i)]);
      if ((next & 0xC0) != 0x80) {
        pos += size_t(i);
        return kReplacement;
      }
      code = (code << 6) | (next & 0x3F);
    }
    pos += size_t(lead.length);
    const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
    return code < lead.minimum || code > 0x10FFFF || surrogate ? kReplacement : code;
  }
  ++pos;
  return kReplacement;
}

}  // namespace platform
