#include "cpuinfo/CpuidDump.h"

#include <array>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
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

// A decimal number of at most 32 bits, or nothing.
std::optional<uint32_t> Decimal(std::string_view text) {
  if (text.empty()) return std::nullopt;
  uint64_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + static_cast<uint64_t>(c - '0');
    if (value > 0xFFFFFFFFull) return std::nullopt;
  }
  return static_cast<uint32_t>(value);
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
    if (highest_section_ >= dump_.processors) {
      Fail(origin_, last_section_line_,
           "processor " + std::to_string(highest_section_) + " is not one of the " +
               std::to_string(dump_.processors) + " processors recorded");
    }
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
      Comment(Trimmed(line.substr(1)));
      return;
    }
    const std::vector<std::string_view> words = Words(line);
    if (words.size() != 5) {
      Fail(origin_, line_number_,
           "expected five hexadecimal words (leaf eax ebx ecx edx), found " +
               std::to_string(words.size()));
    }
    // "LEAF" or "LEAF:SUB"
    const size_t colon = words[0].find(':');
    const bool halfMissing = colon == 0 || colon + 1 == words[0].size();
    if (halfMissing || (colon != std::string_view::npos &&
                        words[0].find(':', colon + 1) != std::string_view::npos)) {
      Fail(origin_, line_number_, Quoted(words[0]) + " is not a leaf (LEAF or LEAF:SUB)");
    }
    CpuidLeafKey key;
    key.leaf = HexWord(words[0].substr(0, colon), origin_, line_number_);
    if (colon != std::string_view::npos) {
      key.subleaf = HexWord(words[0].substr(colon + 1), origin_, line_number_);
    }
    uint32_t values[4];
    for (size_t i = 0; i < 4; ++i) values[i] = HexWord(words[i + 1], origin_, line_number_);
    const auto [previous, added] = first_line_.emplace(std::pair(cpu_, key), line_number_);
    if (!added) {
      Fail(origin_, line_number_,
           "leaf " + Quoted(words[0]) + " repeats the one on line " +
               std::to_string(previous->second));
    }
    const CpuidRegisters registers{values[0], values[1], values[2], values[3]};
    dump_.cpus[cpu_][key] = registers;
    if (cpu_ == 0 && key.subleaf == 0) dump_.leaves[key.leaf] = registers;
  }

  void Comment(std::string_view comment) {
    constexpr std::string_view kName = "name:";
    constexpr std::string_view kProcessors = "processors:";
    constexpr std::string_view kCpu = "cpu:";
    if (comment.substr(0, kName.size()) == kName) {
      dump_.name = std::string(Trimmed(comment.substr(kName.size())));
    } else if (comment.substr(0, kProcessors.size()) == kProcessors) {
      const std::string_view count = Trimmed(comment.substr(kProcessors.size()));
      const std::optional<uint32_t> value = Decimal(count);
      if (!value || *value == 0) {
        Fail(origin_, line_number_,
             "processor count " + Quoted(count) + " is not a positive decimal number");
      }
      dump_.processors = *value;
    } else if (comment.substr(0, kCpu.size()) == kCpu) {
      const std::string_view number = Trimmed(comment.substr(kCpu.size()));
      const std::optional<uint32_t> value = Decimal(number);
      if (!value) {
        Fail(origin_, line_number_, "processor " + Quoted(number) + " is not a decimal number");
      }
      cpu_ = *value;
      if (cpu_ >= highest_section_) {
        highest_section_ = cpu_;
        last_section_line_ = line_number_;
      }
    }
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
  uint32_t cpu_ = 0;  // the processor whose leaves the lines are
  uint32_t highest_section_ = 0;
  size_t last_section_line_ = 0;  // where the highest processor's section starts
  std::map<std::pair<uint32_t, CpuidLeafKey>, size_t> first_line_;
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
