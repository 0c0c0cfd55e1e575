#include "cpuinfo/Bits.h"
#include "cpuinfo/Processor.h"
#include "cpuinfo/TextFormat.h"
#include "cpuinfo/Texts.h"
#include "cpuinfo/Vendor.h"

namespace cpuinfo {

uint32_t DecodeSignatureField(uint32_t source, uint8_t kind) {
  switch (kind) {
    case kSignatureType:
      return Bits(source, 13, 12);
    case kSignatureFamily: {
      const uint32_t family = Bits(source, 11, 8);
      return family == 15 ? family + Bits(source, 27, 20) : family;
    }
    case kSignatureModel: {
      // The extended model counts only when the model field reads 15, and is added.
      const uint32_t model = Bits(source, 7, 4);
      return model == 15 ? model + Bits(source, 19, 16) : model;
    }
    case kSignatureStepping:
      return Bits(source, 3, 0);
    case kSignatureBrand:
      return source;
    default:
      return 0;
  }
}

bool SignatureFieldExtended(uint32_t source, uint8_t kind) {
  if (kind == kSignatureFamily) return Bits(source, 11, 8) == 15;
  if (kind == kSignatureModel) return Bits(source, 7, 4) == 15;
  return false;
}

Ref<ICpuNumber> TCpuSignatureInformation::Value() {
  return MakeNumber(DecodeSignatureField(FSignature->Value(), FKind));
}

Ref<ICpuBoolean> TCpuSignatureInformation::IsExtended() {
  return MakeBoolean(SignatureFieldExtended(FSignature->Value(), FKind));
}

Ref<ICpuSignatureInformation> TProcessorSignature::Field(uint8_t kind) {
  return Make<TCpuSignatureInformation>(FLeaf1->Eax(), kind);
}

Ref<ICpuSignatureInformation> TProcessorSignature::Brand() {
  // AMD's 64-bit generation may carry the brand in extended leaf 0x80000001 instead.
  const Ref<IProcessorInformation> information = CpuInstance().Information(FProcessor);
  const bool amd64 = information->Vendor()->Index() == kVendorAmd &&
                     information->Signature()->Family()->Value()->Value() == 15 &&
                     information->Signature()->Model()->Value()->Value() > 4;
  const uint32_t ebx = FLeaf1->Ebx()->Value();
  uint32_t brand = Bits(ebx, 7, 0);
  if (amd64 && ebx == 0) brand = ExecuteLeaf(FProcessor, 0x80000001)->Ebx()->Value();
  return Make<TCpuSignatureInformation>(MakeNumber(brand), kSignatureBrand);
}

std::string TProcessorSignature::AsText() {
  return SignatureDescription(Family()->Value()->Value(), Model()->Value()->Value(),
                              Stepping()->Value()->Value());
}

std::string SignatureDescription(uint32_t family, uint32_t model, uint32_t stepping) {
  return FormatText(Localized("x86 Family %d Model %d Stepping %d"),
                    {int64_t{family}, int64_t{model}, int64_t{stepping}});
}

}  // namespace cpuinfo
