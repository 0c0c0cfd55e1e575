#include "tools/Json.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace tools {

JsonValue JsonObject() {
  return JsonValue(JsonValue::Object{});
}
JsonValue JsonArray() {
  return JsonValue(JsonValue::Array{});
}

JsonValue& JsonValue::Add(std::string key, JsonValue value) {
  if (!std::holds_alternative<Object>(value_)) value_ = Object{};
  std::get<Object>(value_).members.emplace_back(std::move(key), std::move(value));
  return *this;
}

JsonValue& JsonValue::Push(JsonValue value) {
  if (!std::holds_alternative<Array>(value_)) value_ = Array{};
  std::get<Array>(value_).items.push_back(std::move(value));
  return *this;
}

bool JsonValue::IsScalar() const {
  return !std::holds_alternative<Object>(value_) && !std::holds_alternative<Array>(value_);
}

std::string JsonValue::Serialize() const {
  std::string out;
  Write(out, 0);
  out += '\n';
  return out;
}

void JsonValue::Write(std::string& out, int indent) const {
  const std::string pad(static_cast<size_t>(indent) * 2, ' ');
  const std::string innerPad(static_cast<size_t>(indent + 1) * 2, ' ');
  if (std::holds_alternative<std::monostate>(value_)) {
    out += "null";
  } else if (const bool* b = std::get_if<bool>(&value_)) {
    out += *b ? "true" : "false";
  } else if (const int64_t* i = std::get_if<int64_t>(&value_)) {
    out += std::to_string(*i);
  } else if (const double* d = std::get_if<double>(&value_)) {
    // The shortest digits that read back as the same number; JSON has no infinity or NaN.
    char digits[32];
    const auto written = std::to_chars(digits, digits + sizeof digits, *d);
    out += std::isfinite(*d) ? std::string(digits, written.ptr) : "null";
  } else if (const std::string* s = std::get_if<std::string>(&value_)) {
    out += JsonQuoted(*s);
  } else if (const Object* object = std::get_if<Object>(&value_)) {
    bool flat = true;
    for (const Member& member : object->members) flat = flat && member.second.IsScalar();
    out += '{';
    for (size_t n = 0; n < object->members.size(); ++n) {
      out += n ? (flat ? ", " : ",\n" + innerPad) : (flat ? "" : "\n" + innerPad);
      out += JsonQuoted(object->members[n].first) + ": ";
      object->members[n].second.Write(out, indent + 1);
    }
    if (!flat && !object->members.empty()) out += "\n" + pad;
    out += '}';
  } else if (const Array* array = std::get_if<Array>(&value_)) {
    out += '[';
    for (size_t n = 0; n < array->items.size(); ++n) {
      out += n ? ",\n" + innerPad : "\n" + innerPad;
      array->items[n].Write(out, indent + 1);
    }
    if (!array->items.empty()) out += "\n" + pad;
    out += ']';
  }
}

std::string JsonQuoted(const std::string& text) {
  std::string out = "\"";
  for (char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (byte < 0x20 || byte >= 0x7F) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\u%04X", byte);
      out += escape;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

}  // namespace tools
