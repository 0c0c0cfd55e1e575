#include <cstdio>

#include "cpuinfo/Values.h"
#include "tools/ReportFormats.h"
#include "tools/ShownText.h"

namespace tools {
namespace {

std::string Padded(const std::string& text, size_t width) {
  return text.size() >= width ? text + " " : text + std::string(width - text.size(), ' ');
}

std::string YesNo(bool value) {
  return value ? "Yes" : "No";
}

std::string Hex(uint32_t value) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%08X", value);
  return buffer;
}

std::string WithoutTrailingSpaces(const std::string& text) {
  std::string out;
  size_t begin = 0;
  while (begin < text.size()) {
    size_t end = text.find('\n', begin);
    if (end == std::string::npos) end = text.size();
    size_t last = end;
    while (last > begin && text[last - 1] == ' ') --last;
    out.append(text, begin, last - begin);
    if (end < text.size()) out += '\n';
    begin = end + 1;
  }
  return out;
}

constexpr size_t kCaption = 20;

void Row(std::string& out, const std::string& caption, const std::string& value) {
  out += "  " + Padded(caption, kCaption) + ShownLatin1(value) + "\n";
}

void Heading(std::string& out, const std::string& title) {
  out += "\n" + title + "\n";
}

std::string CacheSize(const CacheFacts& cache, bool trace) {
  if (!cache.available) return "none";
  if (trace) return std::to_string(cache.size) + " micro-ops";
  return cpuinfo::MakeNumber(cache.size)->AsSize();
}

}  // namespace

std::string RenderText(const InfoReport& r, const std::string& heading) {
  std::string out;
  size_t begin = 0;
  while (begin <= heading.size()) {
    size_t end = heading.find('\n', begin);
    if (end == std::string::npos) end = heading.size();
    out += ShownUtf8(std::string_view(heading).substr(begin, end - begin)) + "\n";
    begin = end + 1;
  }

  Heading(out, "CPU details");
  Row(out, "Description", r.factDescription);
  Row(out, "Vendor", r.factVendor);
  Row(out, "Family", r.factFamily);
  std::string published = "not measured";
  if (r.speed) {
    published = r.speed->normalizedText;
    if (!r.speed->rating.empty()) published += " (model rating " + r.speed->rating + ")";
    published += ", measured " + std::to_string(r.speed->raw) + " Mhz";
  }
  Row(out, "Published Speed", published);
  Row(out, "MMX support", r.factMmx);
  Row(out, "SSE, SSE2", r.factSseSse2);

  Heading(out, "Identification");
  Row(out, "Vendor string", r.vendorId + " (vendor " + std::to_string(r.vendorIndex) + ")");
  Row(out, "Signature",
      Hex(r.signature) + ", type " + std::to_string(r.type) + ", brand index " +
          std::to_string(r.brand));
  Row(out, "Named by", r.fromLookup ? "lookup rules" : "brand string");
  Row(out, "Highest leaves",
      "standard " + Hex(r.standardMax) + ", extended " + Hex(r.extendedMax) + ", Transmeta " +
          Hex(r.transmetaMax));

  Heading(out, "Caches");
  out +=
      "  " + Padded("Cache", kCaption) + Padded("Size", 20) + Padded("Line", 8) + "Associativity\n";
  for (size_t i = 0; i < r.caches.size(); ++i) {
    const CacheFacts& cache = r.caches[i];
    const bool trace = i + 1 == r.caches.size();
    const std::string line = cache.available && !trace ? std::to_string(cache.line) : "";
    out += "  " + Padded(cache.title, kCaption) + Padded(CacheSize(cache, trace), 20) +
           Padded(line, 8) + (cache.available ? cache.associativity : "") + "\n";
  }

  for (const FeatureSetFacts& set : r.features) {
    Heading(out, set.title);
    if (set.available) {
      out += "  " + std::to_string(set.count) + " flags defined for this processor\n";
    } else {
      out += "  not reported by this processor\n";
    }
    out +=
        "  " + Padded("Bit", 5) + Padded("Mnemonic", 10) + Padded("Description", 48) + "Present\n";
    for (size_t bit = 0; bit < set.flags.size(); ++bit) {
      const FlagFacts& flag = set.flags[bit];
      out += "  " + Padded(std::to_string(bit), 5) + Padded(ShownLatin1(flag.mnemonic), 10) +
             Padded(ShownLatin1(flag.description), 48) + YesNo(flag.available) + "\n";
    }
  }

  Heading(out, "Serial number");
  Row(out, "Reported", YesNo(r.serialAvailable));
  Row(out, "Number", r.serialText);

  Heading(out, "Errata");
  Row(out, "FDIV flaw", YesNo(r.fdivFlaw));
  Row(out, "AMD erratum", YesNo(r.amdErratum));

  Heading(out, "Processors");
  Row(out, "System", std::to_string(r.systemCount));
  Row(out, "Logical", std::to_string(r.logicalCount));

  if (r.coreClocks) {
    Heading(out, "Core clock");
    for (const std::string& line : CoreClockLines(*r.coreClocks)) out += "  " + line + "\n";
  }
  if (r.modern) out += RenderModernText(*r.modern);
  return WithoutTrailingSpaces(out);
}

}  // namespace tools
