// The vendors' naming rules for processors without a brand string.
#include <array>
#include <span>

#include "cpuinfo/Cache.h"
#include "cpuinfo/Features.h"
#include "cpuinfo/Naming.h"
#include "cpuinfo/Processor.h"
#include "cpuinfo/Texts.h"
#include "cpuinfo/Vendor.h"

namespace cpuinfo {
namespace {

constexpr uint8_t kAnyModel = 255;

// How an Intel brand-index row chooses between its two names.
enum class SignatureTest : uint8_t { Always, Below, Equal };

// Brand, Test, Signature, Name (test holds), Otherwise
struct TIntelBrandRule {
  uint8_t Brand;
  SignatureTest Test;
  uint32_t Signature;
  const char* Name;
  const char* Otherwise;
};

constexpr std::array<TIntelBrandRule, 13> kIntelBrands{{
    {1, SignatureTest::Always, 0, "Intel Celeron", nullptr},
    {2, SignatureTest::Always, 0, "Intel Pentium III", nullptr},
    {3, SignatureTest::Equal, 0x000006B1, "Intel Celeron", "Intel Pentium III Xeon"},
    {4, SignatureTest::Always, 0, "Intel Pentium III", nullptr},
    {6, SignatureTest::Always, 0, "Intel Mobile Pentium III", nullptr},
    {7, SignatureTest::Always, 0, "Intel Mobile Celeron", nullptr},
    {8, SignatureTest::Below, 0x00000F13, "Intel Pentium 4", "Intel Geniune Processor"},
    {9, SignatureTest::Below, 0x00000F13, "Intel Pentium 4", "Intel Geniune Processor"},
    {10, SignatureTest::Always, 0, "Intel Celeron", nullptr},
    {11, SignatureTest::Below, 0x00000F13, "Intel Xeon MP", "Intel Xeon"},
    {12, SignatureTest::Always, 0, "Intel Xeon MP", nullptr},
    {14, SignatureTest::Below, 0x00000F13, "Intel Xeon", "Intel Mobile Pentium 4"},
    {15, SignatureTest::Always, 0, "Intel Mobile Celeron", nullptr},
}};
static_assert(kIntelBrands.size() == 13);

// How an Intel family/model row chooses among its names.
enum class ModelRule : uint8_t {
  Fixed,        // First
  Fallback,     // the fallback name
  ByType,       // processor type 1: First, otherwise Second
  CeleronByL2,  // L2 < 128 KB: First; < 1 MB: Second; otherwise Third
  MobileByL2,   // L2 >= 128 KB: First; else serial flag present: Second, absent: Third
  XeonByL2,     // L2 < 1 MB: First, otherwise Second
};

// Family, Model (kAnyModel: any other), Rule, First, Second, Third
struct TIntelModelRule {
  uint8_t Family;
  uint8_t Model;
  ModelRule Rule;
  const char* First;
  const char* Second;
  const char* Third;
};

constexpr std::array<TIntelModelRule, 18> kIntelModels{{
    {4, 4, ModelRule::Fixed, "Intel 80486SX", nullptr, nullptr},
    {4, 7, ModelRule::Fixed, "Intel 80486DX2", nullptr, nullptr},
    {4, 8, ModelRule::Fixed, "Intel 80486DX4", nullptr, nullptr},
    {4, kAnyModel, ModelRule::Fallback, nullptr, nullptr, nullptr},
    {5, 0, ModelRule::Fixed, "Intel Pentium", nullptr, nullptr},
    {5, 1, ModelRule::Fixed, "Intel Pentium", nullptr, nullptr},
    {5, 2, ModelRule::Fixed, "Intel Pentium", nullptr, nullptr},
    {5, 7, ModelRule::Fixed, "Intel Pentium", nullptr, nullptr},
    {5, 3, ModelRule::Fixed, "Intel Pentium Overdrive", nullptr, nullptr},
    {5, 4, ModelRule::Fixed, "Intel Pentium MMX", nullptr, nullptr},
    {5, kAnyModel, ModelRule::Fallback, nullptr, nullptr, nullptr},
    {6, 0, ModelRule::Fixed, "Intel Pentium Pro", nullptr, nullptr},
    {6, 1, ModelRule::Fixed, "Intel Pentium Pro", nullptr, nullptr},
    {6, 3, ModelRule::ByType, "Intel Pentium II Overdrive", "Intel Pentium II", nullptr},
    {6, 5, ModelRule::CeleronByL2, "Intel Celeron", "Intel Pentium II", "Intel Pentium II Xeon"},
    {6, 6, ModelRule::MobileByL2, "Intel Mobile Pentium II", "Intel Mobile Celeron",
     "Intel Celeron"},
    {6, 7, ModelRule::XeonByL2, "Intel Pentium III", "Intel Pentium III Xeon", nullptr},
    {6, kAnyModel, ModelRule::Fallback, nullptr, nullptr, nullptr},
}};
static_assert(kIntelModels.size() == 18);

// Family, Model, Name
struct TNameRule {
  uint8_t Family;
  uint8_t Model;
  const char* Name;
};

constexpr std::array<TNameRule, 15> kAmdNames{{
    {4, 3, "AMD AM486DX2"},
    {4, 7, "AMD AM486DX2"},
    {4, 8, "AMD AM486DX2"},
    {4, 9, "AMD AM486DX2"},
    {4, 14, "AMD AM5x86"},
    {4, 15, "AMD AM5x86"},
    {5, 0, "AMD K5"},
    {5, 1, "AMD K5"},
    {5, 2, "AMD K5"},
    {5, 3, "AMD K5"},
    {5, 6, "AMD K6"},
    {5, 7, "AMD K6"},
    {5, 8, "AMD K6 2"},
    {5, 9, "AMD K6 III"},
    {5, 13, "AMD K6 III"},
}};
static_assert(kAmdNames.size() == 15);

constexpr std::array<TNameRule, 9> kCyrixNames{{
    {4, 4, "Cyrix Media GX"},
    {4, 9, "Cyrix Cx5x86"},
    {5, 2, "Cyrix 6x86"},
    {5, 4, "Cyrix GXm"},
    {6, 0, "Cyrix 6x86MX"},
    {6, 5, "Cyrix M2"},
    {6, 6, "Via Cyrix III"},
    {6, 7, "Via Cyrix III"},
    {6, 8, "Via Cyrix III"},
}};
static_assert(kCyrixNames.size() == 9);

constexpr std::array<TNameRule, 3> kIdtNames{{
    {5, 4, "IDT WinChip"},
    {5, 8, "IDT WinChip 2"},
    {5, 9, "IDT WinChip 3"},
}};
static_assert(kIdtNames.size() == 3);

constexpr std::array<TNameRule, 1> kNexGenNames{{
    {5, 0, "NexGen Nx586"},
}};

constexpr std::array<TNameRule, 2> kUmcNames{{
    {4, 1, "UMC U5D"},
    {4, 2, "UMC U5D"},
}};

constexpr std::array<TNameRule, 2> kRiseNames{{
    {5, 0, "Rise iDragon"},
    {5, 2, "Rise iDragon II"},
}};

struct FamilyModel {
  uint32_t family;
  uint32_t model;
};

FamilyModel FamilyModelOf(uint8_t processor) {
  const Ref<IProcessorSignature> signature = CpuInstance().Information(processor)->Signature();
  return {signature->Family()->Value()->Value(), signature->Model()->Value()->Value()};
}

std::string ByFamilyModel(uint8_t processor, std::span<const TNameRule> rules) {
  const FamilyModel fm = FamilyModelOf(processor);
  for (const TNameRule& rule : rules) {
    if (rule.Family == fm.family && rule.Model == fm.model) return Localized(rule.Name);
  }
  return FallbackName(processor);
}

std::string IntelByBrand(uint8_t processor) {
  const Ref<IProcessorSignature> signature = CpuInstance().Information(processor)->Signature();
  const uint32_t brand = signature->Brand()->Value()->Value();
  for (const TIntelBrandRule& rule : kIntelBrands) {
    if (rule.Brand != brand) continue;
    const uint32_t s = signature->Value()->Value();
    bool first = true;
    if (rule.Test == SignatureTest::Below) first = s < rule.Signature;
    if (rule.Test == SignatureTest::Equal) first = s == rule.Signature;
    return Localized(first ? rule.Name : rule.Otherwise);
  }
  return {};
}

uint32_t Level2Size(uint8_t processor) {
  return CpuInstance().Information(processor)->Cache()->Level2()->Size()->Value();
}

std::string IntelByModel(uint8_t processor) {
  const FamilyModel fm = FamilyModelOf(processor);
  for (const TIntelModelRule& rule : kIntelModels) {
    if (rule.Family != fm.family || (rule.Model != kAnyModel && rule.Model != fm.model)) {
      continue;
    }
    switch (rule.Rule) {
      case ModelRule::Fixed:
        return Localized(rule.First);
      case ModelRule::Fallback:
        return {};
      case ModelRule::ByType: {
        const uint32_t type =
            CpuInstance().Information(processor)->Signature()->ProcessorType()->Value()->Value();
        return Localized(type == 1 ? rule.First : rule.Second);
      }
      case ModelRule::CeleronByL2: {
        const uint32_t l2 = Level2Size(processor);
        if (l2 < 131072) return Localized(rule.First);
        return Localized(l2 < 1048576 ? rule.Second : rule.Third);
      }
      case ModelRule::MobileByL2: {
        if (Level2Size(processor) >= 131072) return Localized(rule.First);
        const bool serial = CpuInstance()
                                .Information(processor)
                                ->Features()
                                ->Standard()
                                ->ByBit(18)
                                ->Available()
                                ->Value();
        return Localized(serial ? rule.Second : rule.Third);
      }
      case ModelRule::XeonByL2:
        return Localized(Level2Size(processor) < 1048576 ? rule.First : rule.Second);
    }
  }
  return {};
}

}  // namespace

std::string TIntelProcessorLookup::Name() {
  std::string name = IntelByBrand(FProcessor);
  if (name.empty()) name = IntelByModel(FProcessor);
  if (name.empty()) name = FallbackName(FProcessor);
  return name;
}

std::string TUnknownProcessorLookup::Name() {
  return FallbackName(FProcessor);
}
std::string TAmdProcessorLookup::Name() {
  return ByFamilyModel(FProcessor, kAmdNames);
}
std::string TCyrixProcessorLookup::Name() {
  return ByFamilyModel(FProcessor, kCyrixNames);
}
std::string TIdtProcessorLookup::Name() {
  return ByFamilyModel(FProcessor, kIdtNames);
}
std::string TNexGenProcessorLookup::Name() {
  return ByFamilyModel(FProcessor, kNexGenNames);
}
std::string TUmcProcessorLookup::Name() {
  return ByFamilyModel(FProcessor, kUmcNames);
}
std::string TRiseProcessorLookup::Name() {
  return ByFamilyModel(FProcessor, kRiseNames);
}
std::string TTransmetaProcessorLookup::Name() {
  return FallbackName(FProcessor);
}

}  // namespace cpuinfo
