// Recorded CPUID dumps: one real processor's answers as text, replayed as a source.
//
//   # name: Intel Pentium III (Katmai)
//   # processors: 1
//   00000001 00000672 00000000 00000000 0387F9FF     (leaf eax ebx ecx edx, hexadecimal)
//   00000004:1 3C004122 01C0003F 0000003F 00000000   (leaf 4 executed with ECX = 1)
//   # cpu: 1                                         (the leaves of logical processor 1)
#pragma once

#include <cstdint>
#include <map>
#include <stdexcept>
#include <string>
#include <string_view>

#include "cpuinfo/CpuidSource.h"

namespace cpuinfo {

// A leaf with the sub-leaf it was executed with (the value in ECX).
struct CpuidLeafKey {
  uint32_t leaf = 0;
  uint32_t subleaf = 0;
  friend constexpr auto operator<=>(const CpuidLeafKey&, const CpuidLeafKey&) = default;
};

using CpuidLeafMap = std::map<CpuidLeafKey, CpuidRegisters>;

struct CpuidDump {
  std::string name;
  uint32_t processors = 1;
  // Sub-leaf 0 of processor 0: all the library's rules read.
  std::map<uint32_t, CpuidRegisters> leaves;
  // Every recorded line, by logical processor; a processor other than 0 holds only the
  // lines recorded for it (the rest answer as processor 0's).
  std::map<uint32_t, CpuidLeafMap> cpus;
};

// Bad input; what() reads "FILE:LINE: problem" (or "FILE: problem" for the file itself).
class CpuidDumpError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// origin names the text in error messages. Input larger than 16 MB is refused; a UTF-8
// byte-order mark is skipped, and UTF-16 is refused as such.
CpuidDump ParseCpuidDump(std::string_view text, const std::string& origin);
// Reads the file line by line (a pipe or FIFO works too); origin defaults to the path.
CpuidDump LoadCpuidDump(const std::string& path, const std::string& origin = {});

// Answers every processor of the recorded machine with the dump; unlisted leaves answer
// zeros.
class ReplayCpuidSource final : public CpuidSource {
 public:
  explicit ReplayCpuidSource(CpuidDump dump) : dump_(std::move(dump)) {}
  CpuidRegisters Execute(uint32_t leaf) override;
  uint32_t ProcessorCount() override { return dump_.processors; }
  ProcessorBinding* Binding() override { return nullptr; }
  const CpuidDump& Dump() const { return dump_; }

 private:
  CpuidDump dump_;
};

}  // namespace cpuinfo
