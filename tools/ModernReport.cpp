#include "tools/ModernReport.h"

#include <cstdio>
#include <map>

#include "tools/ShownText.h"

namespace tools {

using namespace cpuinfo::modern;

ModernReport CollectModernReport(const CpuidSnapshot& snapshot) {
  ModernReport report;
  report.signature = DecodeSignature(snapshot);
  report.flags = PresentFlags(snapshot);
  report.caches = DecodeCaches(snapshot);
  report.topology = DecodeTopology(snapshot);
  report.microarchitecture = DecodeMicroarchitecture(snapshot);
  report.hypervisor = DecodeHypervisor(snapshot);
  report.frequencies = DecodeFrequencies(snapshot);
  return report;
}

namespace {

constexpr size_t kCaption = 20;

std::string Padded(const std::string& text, size_t width) {
  return text.size() >= width ? text + " " : text + std::string(width - text.size(), ' ');
}

void Row(std::string& out, const std::string& caption, const std::string& value) {
  out += "  " + Padded(caption, kCaption) + value + "\n";
}

std::string Size(uint64_t bytes) {
  if (bytes >= (1u << 20) && bytes % (1u << 20) == 0) return std::to_string(bytes >> 20) + " MB";
  if (bytes >= 1024 && bytes % 1024 == 0) return std::to_string(bytes >> 10) + " KB";
  return std::to_string(bytes) + " bytes";
}

std::string Mhz(uint64_t hz) {
  char text[32];
  std::snprintf(text, sizeof text, "%.3f MHz", static_cast<double>(hz) / 1e6);
  return text;
}

void Flags(std::string& out, const ModernReport& r) {
  out += "\nFlags (feature leaves, named as Linux names them)\n";
  out += "  " + std::to_string(r.flags.size()) + " flags present\n";
  for (const FlagInfo* flag : r.flags) {
    out += "  " + Padded(std::string(flag->name), 24) + std::string(flag->description) + "\n";
  }
}

void Caches(std::string& out, const ModernReport& r) {
  out += "\nCache hierarchy (leaf 4, 0x8000001D, or leaf 2 and 0x80000005/6)\n";
  if (r.caches.empty()) {
    out += "  none reported\n";
    return;
  }
  out += "  " + Padded("Cache", 22) + Padded("Size", 10) + Padded("Ways", 6) + Padded("Line", 6) +
         Padded("Sets", 8) + Padded("Inclusive", 11) + "Shared by\n";
  for (const CacheInfo& cache : r.caches) {
    const std::string title =
        "Level " + std::to_string(cache.level) + " " + std::string(CacheTypeName(cache.type));
    out += "  " + Padded(title, 22) + Padded(Size(cache.size), 10) +
           Padded(cache.ways   ? std::to_string(cache.ways)
                  : cache.sets ? "full"
                               : "?",
                  6) +
           Padded(std::to_string(cache.line), 6) +
           Padded(cache.sets ? std::to_string(cache.sets) : "", 8) +
           Padded(cache.inclusive ? "yes" : "no", 11) +
           (cache.sharedBy ? std::to_string(cache.sharedBy) : "") + "\n";
  }
}

void Topology(std::string& out, const ModernReport& r) {
  const TopologyInfo& t = r.topology;
  out += "\nTopology (leaf " + std::string(t.source) + ")\n";
  Row(out, "Packages", std::to_string(t.packages));
  Row(out, "Cores per package", std::to_string(t.cores));
  Row(out, "Threads per core", std::to_string(t.threadsPerCore));
  Row(out, "Logical", std::to_string(t.logical));
  Row(out, "Counted",
      t.counted ? "from every processor's APIC identifier"
                : "from processor 0's counts (not every processor recorded)");
  Row(out, "System count", t.agreesWithSystem ? "agrees" : "differs from what CPUID declares");
  if (!t.coreTypes.empty()) {
    std::map<std::string_view, size_t> counts;
    for (const std::string_view type : t.coreTypes) ++counts[type];
    std::string summary;
    for (const auto& [type, count] : counts) {
      summary += (summary.empty() ? "" : ", ") + std::to_string(count) + " " + std::string(type);
    }
    Row(out, "Core types", summary + " (logical processors)");
  }
}

void Identity(std::string& out, const ModernReport& r) {
  out += "\nMicroarchitecture (vendor, family, model and stepping table)\n";
  Row(out, "Family", std::to_string(r.signature.family));
  Row(out, "Model", std::to_string(r.signature.model));
  Row(out, "Stepping", std::to_string(r.signature.stepping));
  Row(out, "Name", std::string(r.microarchitecture.name));
  Row(out, "Code name", std::string(r.microarchitecture.codename));
  Row(out, "Process", std::string(r.microarchitecture.process));

  out += "\nHypervisor (leaf 0x40000000)\n";
  if (!r.hypervisor.present) {
    Row(out, "Present", "no");
  } else {
    Row(out, "Present", "yes");
    Row(out, "Identifier", ShownLatin1(r.hypervisor.vendorId));
    Row(out, "Name", r.hypervisor.name.empty() ? "unknown" : std::string(r.hypervisor.name));
  }

  const DeclaredFrequencies& f = r.frequencies;
  out += "\nDeclared frequencies (leaves 0x15, 0x16, 0x40000010)\n";
  bool any = false;
  const auto shown = [&](uint64_t value, const std::string& caption, const std::string& text) {
    if (value == 0) return;
    Row(out, caption, text);
    any = true;
  };
  shown(f.tscHz, "Time-stamp counter", Mhz(f.tscHz));
  shown(f.crystalHz, "Crystal", Mhz(f.crystalHz));
  shown(f.baseMhz, "Base", std::to_string(f.baseMhz) + " MHz");
  shown(f.maxMhz, "Maximum", std::to_string(f.maxMhz) + " MHz");
  shown(f.busMhz, "Bus", std::to_string(f.busMhz) + " MHz");
  shown(f.hypervisorTscKhz, "Hypervisor TSC", Mhz(uint64_t{f.hypervisorTscKhz} * 1000));
  shown(f.hypervisorBusKhz, "Hypervisor bus", Mhz(uint64_t{f.hypervisorBusKhz} * 1000));
  if (!any) out += "  none declared\n";
}

}  // namespace

std::string RenderModernText(const ModernReport& report) {
  std::string out;
  Identity(out, report);
  Topology(out, report);
  Caches(out, report);
  Flags(out, report);
  return out;
}

}  // namespace tools
