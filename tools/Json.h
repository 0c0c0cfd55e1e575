// A small JSON value with a serializer: objects keep their member order, and an object
// or array that holds only scalars prints on one line.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace tools {

class JsonValue {
 public:
  using Member = std::pair<std::string, JsonValue>;
  struct Object {
    std::vector<Member> members;
  };
  struct Array {
    std::vector<JsonValue> items;
  };

  JsonValue() = default;
  JsonValue(bool value) : value_(value) {}                      // NOLINT: implicit by design
  JsonValue(int64_t value) : value_(value) {}                   // NOLINT
  JsonValue(uint32_t value) : value_(int64_t{value}) {}         // NOLINT
  JsonValue(int value) : value_(int64_t{value}) {}              // NOLINT
  JsonValue(double value) : value_(value) {}                    // NOLINT
  JsonValue(std::string value) : value_(std::move(value)) {}    // NOLINT
  JsonValue(const char* value) : value_(std::string(value)) {}  // NOLINT
  JsonValue(Object value) : value_(std::move(value)) {}         // NOLINT
  JsonValue(Array value) : value_(std::move(value)) {}          // NOLINT

  // Members and items, for building.
  JsonValue& Add(std::string key, JsonValue value);
  JsonValue& Push(JsonValue value);

  std::string Serialize() const;

 private:
  void Write(std::string& out, int indent) const;
  bool IsScalar() const;
  std::variant<std::monostate, bool, int64_t, double, std::string, Object, Array> value_;
};

JsonValue JsonObject();
JsonValue JsonArray();

// A JSON string literal: control characters and bytes from 0x80 up (Latin-1 characters,
// as register text is) are written as \u escapes.
std::string JsonQuoted(const std::string& text);

}  // namespace tools
