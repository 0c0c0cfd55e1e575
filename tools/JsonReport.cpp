#include <cmath>

#include "tools/Json.h"
#include "tools/ReportFormats.h"

namespace tools {
namespace {

void AddModern(JsonWriter& json, const ModernReport& m) {
  json.BeginArray("flags");
  for (const cpuinfo::modern::FlagInfo* flag : m.flags) json.Scalar({}, flag->name);
  json.End();
  json.BeginArray("caches");
  for (const cpuinfo::modern::CacheInfo& cache : m.caches) {
    json.Fields({}, {{"level", cache.level},
                     {"type", CacheTypeName(cache.type)},
                     {"size", static_cast<int64_t>(cache.size)},
                     {"ways", cache.ways},
                     {"line", cache.line},
                     {"sets", cache.sets},
                     {"shared_by", cache.sharedBy}});
  }
  json.End();
  const cpuinfo::modern::TopologyInfo& t = m.topology;
  if (t.coreTypes.empty()) {
    json.Fields("topology", {{"packages", t.packages},
                             {"cores", t.cores},
                             {"threads_per_core", t.threadsPerCore},
                             {"logical", t.logical}});
  } else {
    json.BeginObject("topology");
    json.Scalar("packages", t.packages);
    json.Scalar("cores", t.cores);
    json.Scalar("threads_per_core", t.threadsPerCore);
    json.Scalar("logical", t.logical);
    json.BeginArray("core_types");
    for (const std::string_view type : t.coreTypes) json.Scalar({}, type);
    json.End();
    json.End();
  }
  json.Fields("microarchitecture", {{"name", m.microarchitecture.name},
                                    {"codename", m.microarchitecture.codename},
                                    {"process", m.microarchitecture.process}});
  if (m.hypervisor.present) {
    json.Fields("hypervisor", {{"id", m.hypervisor.vendorId}, {"name", m.hypervisor.name}});
  } else {
    json.Scalar("hypervisor", {});
  }
}

}  // namespace

std::string RenderJson(const InfoReport& r) {
  std::string out;
  out.reserve(32 * 1024);  // a full report, written without growing
  JsonWriter json(out);
  json.Fields("vendor", {{"index", r.vendorIndex},
                         {"id", r.vendorId},
                         {"name", r.vendorName},
                         {"feature_vendor", r.featureVendor},
                         {"cache_method", r.cacheMethod}});
  json.Fields("signature", {{"value", r.signature},
                            {"type", r.type},
                            {"family", r.family},
                            {"model", r.model},
                            {"stepping", r.stepping},
                            {"brand", r.brand},
                            {"family_extended", r.familyExtended},
                            {"model_extended", r.modelExtended},
                            {"text", r.signatureText}});
  json.Fields("name", {{"name", r.name}, {"from_lookup", r.fromLookup}});
  json.Fields("cpuid", {{"standard_max", r.standardMax},
                        {"extended_max", r.extendedMax},
                        {"transmeta_max", r.transmetaMax}});
  json.BeginObject("cache");
  for (const CacheFacts& cache : r.caches) {
    json.Fields(cache.key, {{"available", cache.available},
                            {"size", cache.size},
                            {"line", cache.line},
                            {"assoc", cache.associativity}});
  }
  json.End();
  json.BeginObject("features");
  for (const FeatureSetFacts& set : r.features) {
    json.BeginObject(set.key);
    json.Scalar("available", set.available);
    json.Scalar("count", set.count);
    json.BeginArray("flags");
    for (const FlagFacts& flag : set.flags) {
      json.Fields({}, {{"bit", flag.bit},
                       {"mnemonic", flag.mnemonic},
                       {"description", flag.description},
                       {"available", flag.available}});
    }
    json.End();
    json.End();
  }
  json.End();
  json.BeginObject("by_name");
  for (const ByNameFacts& lookup : r.byName) {
    json.Fields(
        lookup.name,
        {{"bit", lookup.bit}, {"mnemonic", lookup.mnemonic}, {"available", lookup.available}});
  }
  json.End();
  json.Fields(
      "serial",
      {{"available", r.serialAvailable}, {"text", r.serialText}, {"digits", r.serialDigits}});
  json.Fields("errata", {{"fdiv_flaw", r.fdivFlaw}, {"amd_erratum", r.amdErratum}});
  json.Fields("facts", {{"description", r.factDescription},
                        {"vendor", r.factVendor},
                        {"family", r.factFamily},
                        {"mmx", r.factMmx},
                        {"sse_sse2", r.factSseSse2}});
  json.Fields("processors", {{"system", r.systemCount}, {"logical", r.logicalCount}});
  if (r.speed) {
    json.Fields("speed", {{"raw", r.speed->raw},
                          {"normalized", r.speed->normalized},
                          {"normalized_text", r.speed->normalizedText},
                          {"rating", r.speed->rating}});
  }
  if (r.coreClocks) {
    json.BeginArray("core_clock");
    for (const speedtest::CoreClock& core : r.coreClocks->cores) {
      // To a tenth of a MHz, as in the text: finer digits would be noise.
      json.Fields({}, {{"cpu", core.cpu}, {"mhz", std::round(core.mhz * 10) / 10}});
    }
    json.End();
  }
  if (r.modern) AddModern(json, *r.modern);
  json.Finish();
  return out;
}

}  // namespace tools
