#include "cpuinfo/CpuidDump.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "platform/CommandLine.h"

namespace cpuinfo {
namespace {

[[noreturn]] void Fail(const std::string& origin, size_t line, const std::string& problem) {
  throw CpuidDumpError(origin + ":" + std::to_string(line) + ": " + problem);
}

bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && IsSpace(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsSpace(text.back())) text.remove_suffix(1);
  return text;
}

std::vector<std::string_view> Words(std::string_view text) {
  std::vector<std::string_view> words;
  size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && IsSpace(text[i])) ++i;
    const size_t start = i;
    while (i < text.size() && !IsSpace(text[i])) ++i;
    if (i > start) words.push_back(text.substr(start, i - start));
  }
  return words;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// A word as it may be quoted in a one-line message: control bytes shown as '?', cut short.
std::string Quoted(std::string_view word) {
  std::string quoted = "'";
  for (char c : word.substr(0, 24)) {
    const auto byte = static_cast<unsigned char>(c);
    quoted += byte < 0x20 || byte >= 0x7F ? '?' : c;
  }
  if (word.size() > 24) quoted += "...";
  return quoted + "'";
}

// Reads a hexadecimal word; the message names the offending word when there is one.
uint32_t HexWord(std::string_view word, const std::string& origin, size_t line) {
  uint64_t value = 0;
  for (char c : word) {
    const int digit = HexDigit(c);
    if (digit < 0) {
      Fail(origin, line, Quoted(word) + " is not a hexadecimal number");
    }
    value = value * 16 + static_cast<uint64_t>(digit);
    if (value > 0xFFFFFFFFull) {
      Fail(origin, line, Quoted(word) + " does not fit in 32 bits");
    }
  }
  return static_cast<uint32_t>(value);
}

void ReadComment(std::string_view comment, CpuidDump& dump, const std::string& origin,
                 size_t line) {
  comment = Trimmed(comment.substr(1));
  constexpr std::string_view kName = "name:";
  constexpr std::string_view kProcessors = "processors:";
  if (comment.substr(0, kName.size()) == kName) {
    dump.name = std::string(Trimmed(comment.substr(kName.size())));
  } else if (comment.substr(0, kProcessors.size()) == kProcessors) {
    const std::string_view count = Trimmed(comment.substr(kProcessors.size()));
    uint64_t value = 0;
    bool valid = !count.empty();
    for (char c : count) {
      if (c < '0' || c > '9') {
        valid = false;
        break;
      }
      value = value * 10 + static_cast<uint64_t>(c - '0');
      if (value > 0xFFFFFFFFull) {
        valid = false;
        break;
      }
    }
    if (!valid || value == 0) {
      Fail(origin, line, "processor count " + Quoted(count) + " is not a positive decimal number");
    }
    dump.processors = static_cast<uint32_t>(value);
  }
}

}  // namespace

CpuidDump ParseCpuidDump(std::string_view text, const std::string& origin) {
  CpuidDump dump;
  std::map<uint32_t, size_t> firstLine;
  size_t lineNumber = 0;
  size_t begin = 0;
  while (begin < text.size()) {
    size_t end = text.find('\n', begin);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view line = Trimmed(text.substr(begin, end - begin));
    begin = end + 1;
    ++lineNumber;
    if (line.empty()) continue;
    if (line.front() == '#') {
      ReadComment(line, dump, origin, lineNumber);
      continue;
    }
    const std::vector<std::string_view> words = Words(line);
    if (words.size() != 5) {
      Fail(origin, lineNumber,
           "expected five hexadecimal words (leaf eax ebx ecx edx), found " +
               std::to_string(words.size()));
    }
    uint32_t values[5];
    for (size_t i = 0; i < 5; ++i) values[i] = HexWord(words[i], origin, lineNumber);
    const auto [previous, added] = firstLine.emplace(values[0], lineNumber);
    if (!added) {
      Fail(origin, lineNumber,
           "leaf " + Quoted(words[0]) + " repeats the one on line " +
               std::to_string(previous->second));
    }
    dump.leaves[values[0]] = CpuidRegisters{values[1], values[2], values[3], values[4]};
  }
  if (dump.leaves.empty()) {
    throw CpuidDumpError(origin + ": no CPUID leaves recorded");
  }
  return dump;
}

CpuidDump LoadCpuidDump(const std::string& path) {
  const std::filesystem::path file_path = platform::PathFromUtf8(path);
  std::error_code error;
  if (std::filesystem::is_directory(file_path, error)) {
    throw CpuidDumpError(path + ": cannot read (it is a directory)");
  }
  std::ifstream file(file_path, std::ios::binary);
  if (!file) {
    throw CpuidDumpError(path + ": cannot open (" + std::strerror(errno) + ")");
  }
  std::string content((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  if (file.bad()) throw CpuidDumpError(path + ": cannot read");
  return ParseCpuidDump(content, path);
}

CpuidRegisters ReplayCpuidSource::Execute(uint32_t leaf) {
  auto found = dump_.leaves.find(leaf);
  return found == dump_.leaves.end() ? CpuidRegisters{} : found->second;
}

}  // namespace cpuinfo
