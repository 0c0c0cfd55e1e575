#include "cpuinfo/Processor.h"

#include "cpuinfo/Bits.h"
#include "cpuinfo/Cache.h"
#include "cpuinfo/Cpuid.h"
#include "cpuinfo/Features.h"
#include "cpuinfo/Naming.h"
#include "cpuinfo/Speed.h"
#include "cpuinfo/Vendor.h"
#include "platform/System.h"

namespace cpuinfo {

Ref<IProcessorCache> TProcessorInformation::Cache() {
  return Make<TProcessorCache>(FProcessor);
}
Ref<IProcessorCpuid> TProcessorInformation::Cpuid() {
  return Make<TProcessorCpuid>(FProcessor);
}
Ref<IProcessorErrata> TProcessorInformation::Errata() {
  return Make<TProcessorErrata>(FProcessor);
}
Ref<IProcessorFeatures> TProcessorInformation::Features() {
  return Make<TProcessorFeatures>(FProcessor);
}
Ref<IProcessorName> TProcessorInformation::Name() {
  return Make<TProcessorName>(FProcessor);
}
Ref<IProcessorSerial> TProcessorInformation::Serial() {
  return Make<TProcessorSerial>(FProcessor);
}
Ref<IProcessorSignature> TProcessorInformation::Signature() {
  return Make<TProcessorSignature>(FProcessor);
}
Ref<IProcessorSpeedInformation> TProcessorInformation::Speed() {
  return Make<TProcessorSpeedInformation>(FProcessor);
}
Ref<IProcessorUsage> TProcessorInformation::Usage() {
  return Make<TProcessorUsage>();
}
Ref<IProcessorVendor> TProcessorInformation::Vendor() {
  return Make<TProcessorVendor>(FProcessor);
}

Ref<ICpuNumber> TProcessorCount::SystemCount() {
  return MakeNumber(ActiveCpuidSource().ProcessorCount());
}

Ref<ICpuNumber> TProcessorCount::LogicalCount() {
  const auto count = static_cast<uint8_t>(SystemCount()->Value());
  uint32_t sum = 0;
  // An index past the last processor binds to processor 0, so 1..n visits each once.
  for (unsigned i = 1; i <= count; ++i) {
    const auto processor = static_cast<uint8_t>(i);
    const bool hyperThreading = CpuInstance()
                                    .Information(processor)
                                    ->Features()
                                    ->Standard()
                                    ->ByBit(28)
                                    ->Available()
                                    ->Value();
    if (hyperThreading) {
      sum += Bits(ExecuteLeaf(processor, 1)->Ebx()->Value(), 23, 16);
    } else {
      sum += 1;
    }
  }
  return MakeNumber(sum);
}

Ref<IProcessorInformation> TCpuRoot::Information(uint8_t processor) {
  return Make<TProcessorInformation>(processor);
}

Ref<IProcessorCount> TCpuRoot::Processors() {
  return Make<TProcessorCount>();
}

void TCpuRoot::MachineChanged() {
  FMultiProcessor = Processors()->SystemCount()->Value() > 1;
}

TCpuRoot& CpuInstance() {
  static TCpuRoot* root = [] {
    auto* created = new TCpuRoot();  // never destroyed: it outlives every other object
    created->MachineChanged();
    return created;
  }();
  return *root;
}

void InitializeLibrary(TextCatalogue catalogue) {
  LoadTexts(std::move(catalogue));
  platform::InitAffinity();
}

void FinalizeLibrary() {
  ReleaseTexts();
}

}  // namespace cpuinfo
