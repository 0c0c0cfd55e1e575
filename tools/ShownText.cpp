#include "tools/ShownText.h"

#include <cstdio>
#include <vector>

#include "platform/fonts/Utf8.h"

namespace tools {
namespace {

constexpr char32_t kSubstitute = 0xFFFD;
constexpr std::string_view kSubstituteUtf8 = "\xEF\xBF\xBD";
constexpr size_t kLongestArgument = 60;
constexpr size_t kArgumentEnds = 28;  // characters kept at each end of a longer one

bool IsControl(char32_t code) {
  return code < 0x20 || (code >= 0x7F && code < 0xA0);
}

// A Latin-1 byte as UTF-8: itself below 0x80, two bytes above.
void AppendLatin1(std::string& out, unsigned char byte) {
  if (byte < 0x80) {
    out += char(byte);
  } else {
    out += char(0xC0 | (byte >> 6));
    out += char(0x80 | (byte & 0x3F));
  }
}

std::string Escape(const char* format, unsigned value) {
  char escape[8];
  std::snprintf(escape, sizeof escape, format, value);
  return escape;
}

}  // namespace

std::string ShownLatin1(std::string_view text) {
  std::string out;
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (IsControl(byte)) {
      out += kSubstituteUtf8;
    } else {
      AppendLatin1(out, byte);
    }
  }
  return out;
}

std::string ShownUtf8(std::string_view text) {
  std::string out;
  size_t pos = 0;
  while (pos < text.size()) {
    const size_t start = pos;
    const char32_t code = platform::NextCodePoint(text, pos);
    if (IsControl(code) || code == kSubstitute) {
      out += kSubstituteUtf8;
    } else {
      out.append(text.substr(start, pos - start));
    }
  }
  return out;
}

std::string ShownArgument(std::string_view argument) {
  std::vector<std::string> characters;
  size_t pos = 0;
  while (pos < argument.size()) {
    const size_t start = pos;
    const char32_t code = platform::NextCodePoint(argument, pos);
    const std::string_view bytes = argument.substr(start, pos - start);
    if (code == kSubstitute && bytes != kSubstituteUtf8) {
      for (const char byte : bytes) {
        characters.push_back(Escape("\\x%02X", static_cast<unsigned char>(byte)));
      }
    } else if (IsControl(code)) {
      characters.push_back(Escape(code < 0x80 ? "\\x%02X" : "\\u%04X", unsigned(code)));
    } else {
      characters.emplace_back(bytes);
    }
  }
  std::string out;
  for (size_t i = 0; i < characters.size(); ++i) {
    if (characters.size() > kLongestArgument && i == kArgumentEnds) {
      out += "...";
      i = characters.size() - kArgumentEnds;
    }
    out += characters[i];
  }
  return out;
}

}  // namespace tools
