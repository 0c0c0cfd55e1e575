#include "cpuinfo/CpuidDump.h"

#include <array>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <vector>

#include "platform/CommandLine.h"

namespace cpuinfo {
namespace {

// A real dump is a few kilobytes and its lines a few dozen bytes; anything this large is
// something else.
constexpr size_t kMaxDumpBytes = 16u << 20;
constexpr size_t kMaxLineBytes = 64u << 10;

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

// Reads a dump piece by piece and line by line, so that a file is never held whole, the
// first bad line ends the reading, and an endless input ends at the size bound.
class DumpReader {
 public:
  explicit DumpReader(std::string origin) : origin_(std::move(origin)) {}

  void Feed(std::string_view bytes) {
    total_ += bytes.size();
    if (total_ > kMaxDumpBytes) {
      throw CpuidDumpError(origin_ + ": larger than 16 MB, not a CPUID dump");
    }
    size_t end = bytes.find('\n');
    while (end != std::string_view::npos) {
      if (pending_.empty() && !overlong_) {
        Line(bytes.substr(0, end));
      } else {
        Keep(bytes.substr(0, end));
        Line(pending_);
        pending_.clear();
      }
      bytes.remove_prefix(end + 1);
      end = bytes.find('\n');
    }
    Keep(bytes);
  }

  CpuidDump Finish() {
    if (!pending_.empty() || overlong_) Line(pending_);
    if (dump_.leaves.empty()) throw CpuidDumpError(origin_ + ": no CPUID leaves recorded");
    return std::move(dump_);
  }

 private:
  // Holds the start of an unfinished line, but never more than a line may hold: the rest
  // of an endless line is only counted.
  void Keep(std::string_view part) {
    if (pending_.size() + part.size() > kMaxLineBytes) {
      overlong_ = true;
      return;
    }
    pending_.append(part);
  }

  void Line(std::string_view text) {
    ++line_number_;
    if (overlong_ || text.size() > kMaxLineBytes) {
      Fail(origin_, line_number_, "line longer than 64 KB, not a CPUID dump");
    }
    if (line_number_ == 1) text = WithoutByteOrderMark(text);
    const std::string_view line = Trimmed(text);
    if (line.empty()) return;
    if (line.front() == '#') {
      ReadComment(line, dump_, origin_, line_number_);
      return;
    }
    const std::vector<std::string_view> words = Words(line);
    if (words.size() != 5) {
      Fail(origin_, line_number_,
           "expected five hexadecimal words (leaf eax ebx ecx edx), found " +
               std::to_string(words.size()));
    }
    uint32_t values[5];
    for (size_t i = 0; i < 5; ++i) values[i] = HexWord(words[i], origin_, line_number_);
    const auto [previous, added] = first_line_.emplace(values[0], line_number_);
    if (!added) {
      Fail(origin_, line_number_,
           "leaf " + Quoted(words[0]) + " repeats the one on line " +
               std::to_string(previous->second));
    }
    dump_.leaves[values[0]] = CpuidRegisters{values[1], values[2], values[3], values[4]};
  }

  // Editors on Windows may start a UTF-8 file with a byte-order mark; UTF-16 cannot be
  // read at all and is said so, rather than reported as a line of odd words.
  std::string_view WithoutByteOrderMark(std::string_view line) const {
    constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
    if (line.substr(0, kUtf8Mark.size()) == kUtf8Mark) return line.substr(kUtf8Mark.size());
    const bool utf16Mark = line.substr(0, 2) == "\xFF\xFE" || line.substr(0, 2) == "\xFE\xFF";
    const bool utf16Text = line.size() >= 2 && (line[0] == '\0') != (line[1] == '\0');
    if (utf16Mark || utf16Text) {
      throw CpuidDumpError(origin_ + ": looks like UTF-16; save the dump as UTF-8 or ASCII");
    }
    return line;
  }

  std::string origin_;
  size_t total_ = 0;
  std::string pending_;    // the start of a line whose end has not been fed yet
  bool overlong_ = false;  // that line is too long to be a dump line
  size_t line_number_ = 0;
  CpuidDump dump_;
  std::map<uint32_t, size_t> first_line_;
};

}  // namespace

CpuidDump ParseCpuidDump(std::string_view text, const std::string& origin) {
  DumpReader reader(origin);
  reader.Feed(text);
  return reader.Finish();
}

CpuidDump LoadCpuidDump(const std::string& path, const std::string& origin) {
  const std::string& name = origin.empty() ? path : origin;
  const std::filesystem::path file_path = platform::PathFromUtf8(path);
  std::error_code error;
  if (std::filesystem::is_directory(file_path, error)) {
    throw CpuidDumpError(name + ": cannot read (it is a directory)");
  }
  // Read as a stream rather than by its size, so that pipes and FIFOs work too.
  std::ifstream file(file_path, std::ios::binary);
  if (!file) {
    throw CpuidDumpError(name + ": cannot open (" + std::strerror(errno) + ")");
  }
  DumpReader reader(name);
  std::array<char, 64 * 1024> buffer;
  while (file) {
    file.read(buffer.data(), buffer.size());
    reader.Feed(std::string_view(buffer.data(), size_t(file.gcount())));
  }
  if (file.bad()) throw CpuidDumpError(name + ": cannot read");
  return reader.Finish();
}

CpuidRegisters ReplayCpuidSource::Execute(uint32_t leaf) {
  auto found = dump_.leaves.find(leaf);
  return found == dump_.leaves.end() ? CpuidRegisters{} : found->second;
}

}  // namespace cpuinfo
