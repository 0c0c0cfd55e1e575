// Just enough of a JSON reader to check the report's shape.
#pragma once

#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace tools::testing {

struct Json {
  enum class Kind { Null, Bool, Number, String, Array, Object } kind = Kind::Null;
  bool boolean = false;
  double number = 0;
  std::string text;
  std::vector<Json> items;
  std::vector<std::string> keys;  // in document order
  std::map<std::string, Json> members;

  const Json& operator[](const std::string& key) const {
    auto found = members.find(key);
    if (found == members.end()) throw std::runtime_error("no key " + key);
    return found->second;
  }
};

class JsonReader {
 public:
  explicit JsonReader(const std::string& text) : text_(text) {}
  Json Document() {
    Json value = Value();
    Space();
    if (at_ != text_.size()) Fail("trailing text");
    return value;
  }

 private:
  [[noreturn]] void Fail(const std::string& what) {
    throw std::runtime_error(what + " at offset " + std::to_string(at_));
  }
  void Space() {
    while (at_ < text_.size() && std::string(" \n\r\t").find(text_[at_]) != std::string::npos) {
      ++at_;
    }
  }
  bool Take(char c) {
    Space();
    if (at_ < text_.size() && text_[at_] == c) {
      ++at_;
      return true;
    }
    return false;
  }
  void Expect(char c) {
    if (!Take(c)) Fail(std::string("expected ") + c);
  }
  bool Word(const std::string& word) {
    if (text_.compare(at_, word.size(), word) != 0) return false;
    at_ += word.size();
    return true;
  }
  std::string String() {
    Expect('"');
    std::string out;
    while (true) {
      if (at_ >= text_.size()) Fail("open string");
      const char c = text_[at_++];
      if (c == '"') return out;
      if (static_cast<unsigned char>(c) < 0x20) Fail("raw control character");
      if (c != '\\') {
        out += c;
        continue;
      }
      if (at_ >= text_.size()) Fail("open escape");
      const char e = text_[at_++];
      if (e == 'u') {
        if (at_ + 4 > text_.size()) Fail("short \\u");
        out += static_cast<char>(std::stoi(text_.substr(at_, 4), nullptr, 16));
        at_ += 4;
      } else if (std::string("\"\\/").find(e) != std::string::npos) {
        out += e;
      } else if (e == 'n') {
        out += '\n';
      } else {
        Fail("unknown escape");
      }
    }
  }
  Json Value() {
    Space();
    Json value;
    if (at_ >= text_.size()) Fail("no value");
    const char c = text_[at_];
    if (c == '{') {
      ++at_;
      value.kind = Json::Kind::Object;
      if (Take('}')) return value;
      do {
        Space();
        std::string key = String();
        Expect(':');
        if (value.members.count(key)) Fail("repeated key " + key);
        value.keys.push_back(key);
        value.members[key] = Value();
      } while (Take(','));
      Expect('}');
    } else if (c == '[') {
      ++at_;
      value.kind = Json::Kind::Array;
      if (Take(']')) return value;
      do value.items.push_back(Value());
      while (Take(','));
      Expect(']');
    } else if (c == '"') {
      value.kind = Json::Kind::String;
      value.text = String();
    } else if (Word("true") || Word("false")) {
      value.kind = Json::Kind::Bool;
      value.boolean = text_[at_ - 1] == 'e' && text_[at_ - 2] == 'u';
    } else if (Word("null")) {
      value.kind = Json::Kind::Null;
    } else {
      size_t used = 0;
      value.kind = Json::Kind::Number;
      value.number = std::stod(text_.substr(at_), &used);
      at_ += used;
    }
    return value;
  }

  const std::string& text_;
  size_t at_ = 0;
};

inline Json ParseJson(const std::string& text) {
  return JsonReader(text).Document();
}

}  // namespace tools::testing
