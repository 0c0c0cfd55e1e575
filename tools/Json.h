// A JSON writer that appends straight to its text, with no tree in between. The caller
// states the layout: an object of scalars on one line (Fields), other objects and every
// array with one member or item a line.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace tools {

class JsonScalar {
 public:
  JsonScalar() = default;                                 // null
  JsonScalar(bool value) : value_(value) {}               // NOLINT: implicit by design
  JsonScalar(int64_t value) : value_(value) {}            // NOLINT
  JsonScalar(uint32_t value) : value_(int64_t{value}) {}  // NOLINT
  JsonScalar(int value) : value_(int64_t{value}) {}       // NOLINT
  JsonScalar(double value) : value_(value) {}             // NOLINT
  JsonScalar(std::string_view value) : value_(value) {}   // NOLINT
  JsonScalar(const std::string& value) : value_(std::string_view(value)) {}  // NOLINT
  JsonScalar(const char* value) : value_(std::string_view(value)) {}         // NOLINT

  void AppendTo(std::string& out) const;

 private:
  std::variant<std::monostate, bool, int64_t, double, std::string_view> value_;
};

struct JsonField {
  std::string_view key;
  JsonScalar value;
};

class JsonWriter {
 public:
  // Writes the outermost object into out; Finish closes it.
  explicit JsonWriter(std::string& out);
  void Finish();

  // In an object each takes its member's key; in an array the key is left empty.
  void Scalar(std::string_view key, const JsonScalar& value);
  void Fields(std::string_view key, std::initializer_list<JsonField> fields);
  void BeginObject(std::string_view key);
  void BeginArray(std::string_view key);
  void End();

 private:
  struct Level {
    char close;
    bool empty = true;
  };
  void StartEntry(std::string_view key);
  void Begin(std::string_view key, char open, char close);

  std::string& out_;
  std::vector<Level> levels_;
};

// A JSON text of one scalar, as a report writes it.
std::string JsonText(const JsonScalar& value);

// A JSON string literal: control characters and bytes from 0x80 up (Latin-1 characters,
// as register text is) are written as \u escapes.
std::string JsonQuoted(std::string_view text);
void AppendJsonQuoted(std::string& out, std::string_view text);

}  // namespace tools
