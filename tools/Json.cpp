#include "tools/Json.h"

#include <array>
#include <charconv>
#include <cmath>

namespace tools {
namespace {

void AppendNumber(std::string& out, auto number) {
  char digits[32];
  const auto written = std::to_chars(digits, digits + sizeof digits, number);
  out.append(digits, written.ptr);
}

// The bytes a JSON string cannot hold as they are.
constexpr std::array<bool, 256> kEscaped = [] {
  std::array<bool, 256> escaped{};
  for (unsigned byte = 0; byte < 256; ++byte) {
    escaped[byte] = byte < 0x20 || byte >= 0x7F || byte == '"' || byte == '\\';
  }
  return escaped;
}();

}  // namespace

void JsonScalar::AppendTo(std::string& out) const {
  if (const bool* b = std::get_if<bool>(&value_)) {
    out += *b ? "true" : "false";
  } else if (const int64_t* i = std::get_if<int64_t>(&value_)) {
    AppendNumber(out, *i);
  } else if (const double* d = std::get_if<double>(&value_)) {
    // The shortest digits that read back as the same number; JSON has no infinity or NaN.
    if (std::isfinite(*d)) {
      AppendNumber(out, *d);
    } else {
      out += "null";
    }
  } else if (const std::string_view* s = std::get_if<std::string_view>(&value_)) {
    AppendJsonQuoted(out, *s);
  } else {
    out += "null";
  }
}

JsonWriter::JsonWriter(std::string& out) : out_(out) {
  out_ += '{';
  levels_.push_back({'}'});
}

void JsonWriter::Finish() {
  while (!levels_.empty()) End();
  out_ += '\n';
}

void JsonWriter::StartEntry(std::string_view key) {
  Level& level = levels_.back();
  if (!level.empty) out_ += ',';
  level.empty = false;
  out_ += '\n';
  out_.append(levels_.size() * 2, ' ');
  if (level.close == '}') {
    AppendJsonQuoted(out_, key);
    out_ += ": ";
  }
}

void JsonWriter::Scalar(std::string_view key, const JsonScalar& value) {
  StartEntry(key);
  value.AppendTo(out_);
}

void JsonWriter::Fields(std::string_view key, std::initializer_list<JsonField> fields) {
  StartEntry(key);
  out_ += '{';
  const char* separator = "";
  for (const JsonField& field : fields) {
    out_ += separator;
    separator = ", ";
    AppendJsonQuoted(out_, field.key);
    out_ += ": ";
    field.value.AppendTo(out_);
  }
  out_ += '}';
}

void JsonWriter::Begin(std::string_view key, char open, char close) {
  StartEntry(key);
  out_ += open;
  levels_.push_back({close});
}

void JsonWriter::BeginObject(std::string_view key) {
  Begin(key, '{', '}');
}

void JsonWriter::BeginArray(std::string_view key) {
  Begin(key, '[', ']');
}

void JsonWriter::End() {
  const Level level = levels_.back();
  levels_.pop_back();
  if (!level.empty) {
    out_ += '\n';
    out_.append(levels_.size() * 2, ' ');
  }
  out_ += level.close;
}

std::string JsonText(const JsonScalar& value) {
  std::string out;
  value.AppendTo(out);
  return out;
}

void AppendJsonQuoted(std::string& out, std::string_view text) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  out += '"';
  size_t plain = 0;  // start of the run of characters written as they are
  for (size_t n = 0; n < text.size(); ++n) {
    const auto byte = static_cast<unsigned char>(text[n]);
    if (!kEscaped[byte]) continue;
    out.append(text, plain, n - plain);
    plain = n + 1;
    if (byte == '"' || byte == '\\') {
      out += '\\';
      out += static_cast<char>(byte);
    } else {
      const char escape[] = {'\\', 'u', '0', '0', kHex[byte >> 4], kHex[byte & 0xF]};
      out.append(escape, sizeof escape);
    }
  }
  out.append(text, plain);
  out += '"';
}

std::string JsonQuoted(std::string_view text) {
  std::string out;
  AppendJsonQuoted(out, text);
  return out;
}

}  // namespace tools
