#include "tools/InfoReport.h"

#include "cpuinfo/Information.h"

namespace tools {
namespace {

using namespace cpuinfo;

CacheFacts Describe(const char* key, const char* title, const Ref<ICpuCache>& cache) {
  CacheFacts facts;
  facts.key = key;
  facts.title = title;
  facts.available = cache->Available()->Value();
  facts.size = cache->Size()->Value();
  facts.line = cache->LineSize()->Value();
  facts.associativity = cache->Associativity()->Name();
  return facts;
}

FeatureSetFacts Describe(const char* key, const char* title, const Ref<ICpuFeatureSet>& set) {
  FeatureSetFacts facts;
  facts.key = key;
  facts.title = title;
  facts.available = set->Available()->Value();
  facts.count = set->Count()->Value();
  for (uint8_t bit = 0; bit < 32; ++bit) {
    const Ref<ICpuFeature> feature = set->ByBit(bit);
    FlagFacts& flag = facts.flags.emplace_back();
    flag.bit = feature->Bit();
    flag.mnemonic = feature->Mnemonic();
    flag.description = feature->Description();
    flag.available = feature->Available()->Value();
  }
  return facts;
}

// The six lookups across sets the report shows.
constexpr std::array<const char*, 6> kByNameLookups{"SSE2", "MMX+", "TM", "PGE", "SEP", "HTT"};

}  // namespace

InfoReport CollectReport(bool measureSpeed) {
  InfoReport report;
  TCpuRoot& root = CpuInstance();
  const Ref<IProcessorInformation> info = root.Information(0);
  // The questions are about processor 0: asked there, each leaf's own binding finds the
  // processor bound already and has nothing to move.
  Ref<ICpuAffinity> onProcessor0 = Make<TCpuAffinity>(0);

  const Ref<IProcessorVendor> vendor = info->Vendor();
  report.vendorIndex = vendor->Index();
  report.vendorId = vendor->IdString();
  report.vendorName = vendor->Name();
  report.featureVendor = vendor->FeatureVendor();
  report.cacheMethod = vendor->CacheMethod();

  const Ref<IProcessorSignature> signature = info->Signature();
  report.signature = signature->Value()->Value();
  report.type = signature->ProcessorType()->Value()->Value();
  report.family = signature->Family()->Value()->Value();
  report.model = signature->Model()->Value()->Value();
  report.stepping = signature->Stepping()->Value()->Value();
  report.brand = signature->Brand()->Value()->Value();
  report.familyExtended = signature->Family()->IsExtended()->Value();
  report.modelExtended = signature->Model()->IsExtended()->Value();
  report.signatureText = signature->AsText();

  const Ref<IProcessorName> name = info->Name();
  report.name = name->Name();
  report.fromLookup = name->FromLookup()->Value();

  const Ref<IProcessorCpuid> cpuid = info->Cpuid();
  report.standardMax = cpuid->Standard()->MaxLeaf()->Value();
  report.extendedMax = cpuid->Extended()->MaxLeaf()->Value();
  report.transmetaMax = cpuid->Transmeta()->MaxLeaf()->Value();

  const Ref<IProcessorCache> cache = info->Cache();
  const Ref<ICpuSegmentedCache> level1 = cache->Level1();
  report.caches = {Describe("l1_code", "Level 1 code", level1->Code()),
                   Describe("l1_data", "Level 1 data", level1->Data()),
                   Describe("l1_unified", "Level 1 unified", level1->Unified()),
                   Describe("l2", "Level 2", cache->Level2()),
                   Describe("l3", "Level 3", cache->Level3()),
                   Describe("trace", "Trace", cache->Trace())};

  const Ref<IProcessorFeatures> features = info->Features();
  report.features = {
      Describe("standard", "Standard features (leaf 1 EDX)", features->Standard()),
      Describe("standard_ecx", "Standard features (leaf 1 ECX)", features->StandardEcx()),
      Describe("extended", "Extended features (leaf 80000001 EDX)", features->Extended()),
      Describe("power", "Power management (leaf 80000007 EDX)", features->PowerManagement())};
  for (size_t i = 0; i < kByNameLookups.size(); ++i) {
    const Ref<ICpuFeature> feature = features->ByName(kByNameLookups[i]);
    ByNameFacts& lookup = report.byName[i];
    lookup.name = kByNameLookups[i];
    lookup.bit = feature->Bit();
    lookup.mnemonic = feature->Mnemonic();
    lookup.available = feature->Available()->Value();
  }

  const Ref<IProcessorSerial> serial = info->Serial();
  report.serialAvailable = serial->Available()->Value();
  report.serialText = serial->Text();
  report.serialDigits = serial->Digits();

  const Ref<IProcessorErrata> errata = info->Errata();
  report.fdivFlaw = errata->FdivFlaw()->Value();
  report.amdErratum = errata->AmdErratum()->Value();

  report.factDescription = ReadCpuDescription();
  report.factVendor = ReadCpuVendor();
  report.factFamily = ReadCpuFamily();
  const InstructionSetFlags flags = ReadInstructionSetFlags();
  report.factMmx = MmxText(flags);
  report.factSseSse2 = SseSse2Text(flags);

  const Ref<IProcessorCount> processors = root.Processors();
  report.systemCount = processors->SystemCount()->Value();
  report.logicalCount = processors->LogicalCount()->Value();

  onProcessor0 = {};  // the speed is measured wherever the system runs it
  if (measureSpeed) {
    const Ref<IProcessorSpeedInformation> speed = info->Speed();
    report.speed = SpeedFacts{speed->RawSpeed()->Value(), speed->NormalizedSpeed()->Value(),
                              speed->NormalizedSpeed()->AsMhz(), speed->Rating()};
  }
  return report;
}

}  // namespace tools
