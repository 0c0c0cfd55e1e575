#include "cpuinfo/Features.h"

#include "cpuinfo/Cpuid.h"
#include "cpuinfo/Processor.h"
#include "cpuinfo/Texts.h"
#include "cpuinfo/Vendor.h"

namespace cpuinfo {
namespace {

std::string UpperAscii(std::string text) {
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return text;
}

uint32_t FeatureLeaf(uint8_t kind) {
  if (kind == kFeatureSetExtended) return 0x80000001;
  if (kind == kFeatureSetPower) return 0x80000007;
  return 1;
}

}  // namespace

TFeatureSetDefinition::TFeatureSetDefinition(uint8_t processor, uint8_t kind)
    : FProcessor(processor),
      FKind(kind),
      FFeatureVendor(CpuInstance().Information(processor)->Vendor()->FeatureVendor()) {
  constexpr TFeatureDetail kEmpty{kNoBit, "", "", 0, 0};
  FSlots.fill(kEmpty);
  const std::span<const TFeatureDetail> table = FeatureTable();
  auto pass = [&](uint8_t vendorCode) {
    for (size_t row = 0; row < table.size(); ++row) {
      if (table[row].VendorCode != vendorCode || !ContainsSet(table[row].Sets, kind)) continue;
      TFeatureDetail& slot = FSlots[table[row].Bit];
      slot = table[row];
      slot.Bit = static_cast<uint8_t>(row);
    }
  };
  pass(kFeatureVendorNone);
  if (FFeatureVendor != kFeatureVendorNone) pass(FFeatureVendor);
  for (const TFeatureDetail& slot : FSlots) FCount += slot.Bit != kNoBit ? 1 : 0;
}

uint8_t TFeatureSetDefinition::BitOf(const std::string& mnemonic) {
  const std::string upper = UpperAscii(mnemonic);
  uint8_t result = kNoBit;
  if (FFeatureVendor == kFeatureVendorAmd || FFeatureVendor == kFeatureVendorCyrix) {
    // Some AMD and Cyrix parts report these flags at other bits.
    const Ref<IProcessorInformation> information = CpuInstance().Information(FProcessor);
    const uint8_t vendor = information->Vendor()->Index();
    if (upper == "MMX+") {
      if (vendor == kVendorAmd) result = 22;
      if (vendor == kVendorCyrix) result = 24;
    }
    if (upper == "PGE" && vendor == kVendorAmd) {
      const Ref<IProcessorSignature> signature = information->Signature();
      if (signature->Family()->Value()->Value() == 5 && signature->Model()->Value()->Value() == 0) {
        result = 9;
      }
    }
    if (upper == "SEP" && vendor == kVendorAmd &&
        information->Signature()->Family()->Value()->Value() == 6) {
      result = 10;
    }
  }
  if (result != kNoBit) return result;
  for (uint8_t slot = 0; slot < 32; ++slot) {
    if (FSlots[slot].Bit != kNoBit && upper == FSlots[slot].Mnemonic) return slot;
  }
  return kNoBit;
}

uint8_t TCpuFeature::Bit() {
  return FeatureTable()[FRow].Bit;
}

std::string TCpuFeature::Mnemonic() {
  return FeatureTable()[FRow].Mnemonic;
}

std::string TCpuFeature::Description() {
  return Localized(FeatureTable()[FRow].Description);
}

Ref<ICpuBoolean> TCpuFeature::Available() {
  // A leaf the processor lacks leaves its registers zero, so every bit of it reads False:
  // asking the leaf's availability once more would only repeat a CPUID and a binding.
  const Ref<ICpuid> leaf = ExecuteLeaf(FProcessor, FeatureLeaf(FKind));
  const Ref<ICpuNumber> reg = FKind == kFeatureSetStandardEcx ? leaf->Ecx() : leaf->Edx();
  return reg->Bit(FeatureTable()[FRow].Bit);
}

std::string TUnknownFeature::Mnemonic() {
  return Localized("RES");
}

std::string TUnknownFeature::Description() {
  return Localized("Reserved or unused");
}

Ref<ICpuBoolean> TCpuFeatureSet::Available() {
  const Ref<IProcessorCpuid> cpuid = CpuInstance().Information(FProcessor)->Cpuid();
  switch (FKind) {
    case kFeatureSetStandard:
    case kFeatureSetStandardEcx:
      return MakeBoolean(cpuid->Standard()->MaxLeaf()->Value() >= 1);
    case kFeatureSetExtended:
      return MakeBoolean(cpuid->Extended()->MaxLeaf()->Value() >= 0x80000001);
    case kFeatureSetPower:
      return MakeBoolean(cpuid->Extended()->MaxLeaf()->Value() >= 0x80000007);
    default:
      return MakeBoolean(false);
  }
}

Ref<ICpuNumber> TCpuFeatureSet::Count() {
  return Available()->Value() ? FDefinition.Count() : MakeNumber(0);
}

Ref<ICpuFeature> TCpuFeatureSet::ByBit(uint8_t bit) {
  const uint8_t row = FDefinition.RowOf(bit);
  if (row == kNoBit) return Make<TUnknownFeature>();
  return Make<TCpuFeature>(FProcessor, row, FKind);
}

Ref<ICpuFeature> TCpuFeatureSet::ByName(const std::string& mnemonic) {
  const uint8_t bit = FDefinition.BitOf(mnemonic);
  if (bit == kNoBit) return Make<TUnknownFeature>();
  return ByBit(bit);
}

Ref<ICpuFeature> TProcessorFeatures::ByName(const std::string& mnemonic) {
  const std::string upper = UpperAscii(mnemonic);
  uint8_t kind = kFeatureSetNone;
  for (const TFeatureDetail& row : FeatureTable()) {
    if (upper != row.Mnemonic) continue;
    for (uint8_t candidate = kFeatureSetStandard; candidate <= kFeatureSetPower; ++candidate) {
      if (ContainsSet(row.Sets, candidate)) {
        kind = candidate;
        break;
      }
    }
    break;
  }
  return Set(kind)->ByName(mnemonic);
}

}  // namespace cpuinfo
