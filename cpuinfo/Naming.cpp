#include "cpuinfo/Naming.h"

#include "cpuinfo/Cpuid.h"
#include "cpuinfo/Processor.h"
#include "cpuinfo/Vendor.h"

namespace cpuinfo {
namespace {

std::string TrimControlAndSpace(const std::string& text) {
  size_t begin = 0;
  size_t end = text.size();
  while (begin < end && static_cast<unsigned char>(text[begin]) <= 32) ++begin;
  while (end > begin && static_cast<unsigned char>(text[end - 1]) <= 32) --end;
  return text.substr(begin, end - begin);
}

}  // namespace

TProcessorName::TProcessorName(uint8_t processor) : FProcessor(processor) {
  const Ref<IProcessorInformation> information = CpuInstance().Information(processor);
  FIsTransmeta = information->Vendor()->Index() == kVendorTransmeta;
  if (FIsTransmeta) {
    FUseLookup = information->Cpuid()->Transmeta()->MaxLeaf()->Value() < 0x80860006u;
  } else {
    FUseLookup = information->Cpuid()->Extended()->MaxLeaf()->Value() < 0x80000004u;
  }
}

std::string TProcessorName::Name() {
  if (!FUseLookup) return TrimControlAndSpace(Make<TProcessorNameDetect>(FProcessor)->Name());
  const uint8_t vendor = CpuInstance().Information(FProcessor)->Vendor()->Index();
  return MakeLookup(FProcessor, vendor)->Name();
}

std::string TProcessorNameDetect::Name() {
  const bool transmeta =
      CpuInstance().Information(FProcessor)->Vendor()->Index() == kVendorTransmeta;
  const uint32_t first = transmeta ? 0x80860003u : 0x80000002u;
  const uint32_t last = transmeta ? 0x80860006u : 0x80000004u;
  std::string text;
  for (uint32_t leaf = first; leaf <= last; ++leaf) text += ExecuteLeaf(FProcessor, leaf)->AsText();
  return text;
}

Ref<IProcessorLookup> MakeLookup(uint8_t processor, uint8_t vendorIndex) {
  switch (vendorIndex) {
    case kVendorIntel:
      return Make<TIntelProcessorLookup>(processor);
    case kVendorAmd:
      return Make<TAmdProcessorLookup>(processor);
    case kVendorCyrix:
      return Make<TCyrixProcessorLookup>(processor);
    case kVendorCentaur:
      return Make<TIdtProcessorLookup>(processor);
    case kVendorNexGen:
      return Make<TNexGenProcessorLookup>(processor);
    case kVendorUmc:
      return Make<TUmcProcessorLookup>(processor);
    case kVendorRise:
      return Make<TRiseProcessorLookup>(processor);
    case kVendorTransmeta:
      return Make<TTransmetaProcessorLookup>(processor);
    default:
      return Make<TUnknownProcessorLookup>(processor);
  }
}

std::string FallbackName(uint8_t processor) {
  const Ref<IProcessorInformation> information = CpuInstance().Information(processor);
  const Ref<IProcessorSignature> signature = information->Signature();
  return VendorInfo(information->Vendor()->Index()).ShortName +
         SignatureDescription(signature->Family()->Value()->Value(),
                              signature->Model()->Value()->Value(),
                              signature->Stepping()->Value()->Value());
}

}  // namespace cpuinfo
