#include "cpuinfo/modern/Snapshot.h"

#include <cstdio>

namespace cpuinfo::modern {
namespace {

std::string Trimmed(const std::string& text) {
  const size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace

CpuidSnapshot::CpuidSnapshot(std::vector<CpuidLeafMap> cpus, uint32_t systemCount)
    : system_count_(systemCount == 0 ? 1 : systemCount) {
  for (uint32_t cpu = 0; cpu < cpus.size(); ++cpu) cpus_[cpu] = std::move(cpus[cpu]);
  cpus_[0];  // processor 0 always has its (possibly empty) leaves
}

CpuidSnapshot::CpuidSnapshot(std::map<uint32_t, CpuidLeafMap> cpus, uint32_t systemCount)
    : cpus_(std::move(cpus)), system_count_(systemCount == 0 ? 1 : systemCount) {
  cpus_[0];
}

std::vector<uint32_t> CpuidSnapshot::RecordedCpuNumbers() const {
  std::vector<uint32_t> numbers;
  for (const auto& entry : cpus_) numbers.push_back(entry.first);
  return numbers;
}

CpuidRegisters CpuidSnapshot::Leaf(uint32_t leaf, uint32_t subleaf, uint32_t cpu) const {
  const CpuidLeafKey key{leaf, subleaf};
  const auto processor = cpus_.find(cpu);
  if (processor != cpus_.end()) {
    const auto found = processor->second.find(key);
    if (found != processor->second.end()) return found->second;
  }
  const CpuidLeafMap& first = cpus_.at(0);
  const auto found = first.find(key);
  return found == first.end() ? CpuidRegisters{} : found->second;
}

bool CpuidSnapshot::Recorded(uint32_t leaf, uint32_t subleaf) const {
  return cpus_.at(0).count({leaf, subleaf}) != 0;
}

std::string CpuidSnapshot::VendorId() const {
  const CpuidRegisters zero = Leaf(0);
  std::string id;
  for (const uint32_t word : {zero.ebx, zero.edx, zero.ecx}) {
    for (unsigned shift = 0; shift < 32; shift += 8) {
      id += static_cast<char>((word >> shift) & 0xFF);
    }
  }
  return id;
}

uint32_t CpuidSnapshot::MaxExtended() const {
  const uint32_t highest = Leaf(0x80000000).eax;
  return highest >= 0x80000000u && highest <= 0x800000FFu ? highest : 0;
}

std::string BrandString(const CpuidSnapshot& snapshot) {
  std::string brand;
  if (snapshot.MaxExtended() < 0x80000004) return brand;
  for (uint32_t leaf = 0x80000002; leaf <= 0x80000004; ++leaf) {
    const CpuidRegisters r = snapshot.Leaf(leaf);
    for (const uint32_t word : {r.eax, r.ebx, r.ecx, r.edx}) {
      for (unsigned shift = 0; shift < 32; shift += 8) {
        const auto c = static_cast<unsigned char>(word >> shift);
        if (c == 0) return Trimmed(brand);
        brand += c < 0x20 || c >= 0x7F ? ' ' : static_cast<char>(c);
      }
    }
  }
  return Trimmed(brand);
}

CpuidSnapshot SnapshotFromDump(const CpuidDump& dump) {
  std::map<uint32_t, CpuidLeafMap> cpus = dump.cpus;
  for (const auto& [leaf, registers] : dump.leaves) cpus[0][{leaf, 0}] = registers;
  return CpuidSnapshot(std::move(cpus), dump.processors);
}

CpuidDump DumpFromSnapshot(const CpuidSnapshot& snapshot, const std::string& name) {
  CpuidDump dump;
  dump.name = name;
  dump.processors = snapshot.SystemCount();
  dump.cpus[0] = snapshot.LeavesOf(0);
  for (const auto& [key, registers] : dump.cpus[0]) {
    if (key.subleaf == 0) dump.leaves[key.leaf] = registers;
  }
  for (const uint32_t cpu : snapshot.RecordedCpuNumbers()) {
    if (cpu == 0) continue;
    for (const auto& [key, registers] : snapshot.LeavesOf(cpu)) {
      if (registers != snapshot.Leaf(key.leaf, key.subleaf)) dump.cpus[cpu][key] = registers;
    }
  }
  return dump;
}

namespace {

void AppendLeaves(std::string& out, const CpuidLeafMap& leaves) {
  char line[80];
  for (const auto& [key, r] : leaves) {
    if (key.subleaf == 0) {
      std::snprintf(line, sizeof line, "%08X %08X %08X %08X %08X\n", key.leaf, r.eax, r.ebx, r.ecx,
                    r.edx);
    } else {
      std::snprintf(line, sizeof line, "%08X:%X %08X %08X %08X %08X\n", key.leaf, key.subleaf,
                    r.eax, r.ebx, r.ecx, r.edx);
    }
    out += line;
  }
}

}  // namespace

std::string DumpText(const CpuidDump& dump) {
  std::string out;
  std::string name = dump.name;
  for (char& c : name) {
    if (static_cast<unsigned char>(c) < 0x20) c = ' ';  // one line, whatever the name holds
  }
  if (!name.empty()) out += "# name: " + name + "\n";
  out += "# processors: " + std::to_string(dump.processors) + "\n";
  for (const auto& [cpu, leaves] : dump.cpus) {
    if (cpu != 0) out += "# cpu: " + std::to_string(cpu) + "\n";
    AppendLeaves(out, leaves);
  }
  return out;
}

}  // namespace cpuinfo::modern
