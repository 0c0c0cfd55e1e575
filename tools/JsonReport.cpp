#include <cmath>

#include "tools/Json.h"
#include "tools/ReportFormats.h"

namespace tools {
namespace {

void AddModern(JsonValue& root, const ModernReport& m) {
  JsonValue flags = JsonArray();
  for (const cpuinfo::modern::FlagInfo* flag : m.flags) flags.Push(std::string(flag->name));
  root.Add("flags", std::move(flags));
  JsonValue caches = JsonArray();
  for (const cpuinfo::modern::CacheInfo& cache : m.caches) {
    caches.Push(JsonObject()
                    .Add("level", cache.level)
                    .Add("type", std::string(CacheTypeName(cache.type)))
                    .Add("size", static_cast<int64_t>(cache.size))
                    .Add("ways", cache.ways)
                    .Add("line", cache.line)
                    .Add("sets", cache.sets)
                    .Add("shared_by", cache.sharedBy));
  }
  root.Add("caches", std::move(caches));
  const cpuinfo::modern::TopologyInfo& t = m.topology;
  JsonValue topology = JsonObject()
                           .Add("packages", t.packages)
                           .Add("cores", t.cores)
                           .Add("threads_per_core", t.threadsPerCore)
                           .Add("logical", t.logical);
  if (!t.coreTypes.empty()) {
    JsonValue types = JsonArray();
    for (const std::string_view type : t.coreTypes) types.Push(std::string(type));
    topology.Add("core_types", std::move(types));
  }
  root.Add("topology", std::move(topology));
  root.Add("microarchitecture", JsonObject()
                                    .Add("name", std::string(m.microarchitecture.name))
                                    .Add("codename", std::string(m.microarchitecture.codename))
                                    .Add("process", std::string(m.microarchitecture.process)));
  if (m.hypervisor.present) {
    root.Add(
        "hypervisor",
        JsonObject().Add("id", m.hypervisor.vendorId).Add("name", std::string(m.hypervisor.name)));
  } else {
    root.Add("hypervisor", JsonValue());
  }
}

}  // namespace

std::string RenderJson(const InfoReport& r) {
  JsonValue root = JsonObject();
  root.Add("vendor", JsonObject()
                         .Add("index", r.vendorIndex)
                         .Add("id", r.vendorId)
                         .Add("name", r.vendorName)
                         .Add("feature_vendor", r.featureVendor)
                         .Add("cache_method", r.cacheMethod));
  root.Add("signature", JsonObject()
                            .Add("value", r.signature)
                            .Add("type", r.type)
                            .Add("family", r.family)
                            .Add("model", r.model)
                            .Add("stepping", r.stepping)
                            .Add("brand", r.brand)
                            .Add("family_extended", r.familyExtended)
                            .Add("model_extended", r.modelExtended)
                            .Add("text", r.signatureText));
  root.Add("name", JsonObject().Add("name", r.name).Add("from_lookup", r.fromLookup));
  root.Add("cpuid", JsonObject()
                        .Add("standard_max", r.standardMax)
                        .Add("extended_max", r.extendedMax)
                        .Add("transmeta_max", r.transmetaMax));
  JsonValue caches = JsonObject();
  for (const CacheFacts& cache : r.caches) {
    caches.Add(cache.key, JsonObject()
                              .Add("available", cache.available)
                              .Add("size", cache.size)
                              .Add("line", cache.line)
                              .Add("assoc", cache.associativity));
  }
  root.Add("cache", std::move(caches));
  JsonValue features = JsonObject();
  for (const FeatureSetFacts& set : r.features) {
    JsonValue flags = JsonArray();
    for (const FlagFacts& flag : set.flags) {
      flags.Push(JsonObject()
                     .Add("bit", flag.bit)
                     .Add("mnemonic", flag.mnemonic)
                     .Add("description", flag.description)
                     .Add("available", flag.available));
    }
    features.Add(set.key, JsonObject()
                              .Add("available", set.available)
                              .Add("count", set.count)
                              .Add("flags", std::move(flags)));
  }
  root.Add("features", std::move(features));
  JsonValue byName = JsonObject();
  for (const ByNameFacts& lookup : r.byName) {
    byName.Add(lookup.name, JsonObject()
                                .Add("bit", lookup.bit)
                                .Add("mnemonic", lookup.mnemonic)
                                .Add("available", lookup.available));
  }
  root.Add("by_name", std::move(byName));
  root.Add("serial", JsonObject()
                         .Add("available", r.serialAvailable)
                         .Add("text", r.serialText)
                         .Add("digits", r.serialDigits));
  root.Add("errata", JsonObject().Add("fdiv_flaw", r.fdivFlaw).Add("amd_erratum", r.amdErratum));
  root.Add("facts", JsonObject()
                        .Add("description", r.factDescription)
                        .Add("vendor", r.factVendor)
                        .Add("family", r.factFamily)
                        .Add("mmx", r.factMmx)
                        .Add("sse_sse2", r.factSseSse2));
  root.Add("processors", JsonObject().Add("system", r.systemCount).Add("logical", r.logicalCount));
  if (r.speed) {
    root.Add("speed", JsonObject()
                          .Add("raw", r.speed->raw)
                          .Add("normalized", r.speed->normalized)
                          .Add("normalized_text", r.speed->normalizedText)
                          .Add("rating", r.speed->rating));
  }
  if (r.coreClocks) {
    JsonValue cores = JsonArray();
    for (const speedtest::CoreClock& core : r.coreClocks->cores) {
      // To a tenth of a MHz, as in the text: finer digits would be noise.
      cores.Push(JsonObject().Add("cpu", core.cpu).Add("mhz", std::round(core.mhz * 10) / 10));
    }
    root.Add("core_clock", std::move(cores));
  }
  if (r.modern) AddModern(root, *r.modern);
  return root.Serialize();
}

}  // namespace tools
