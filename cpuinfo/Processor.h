// The per-processor entry point, the processor count and the library's root.
#pragma once

#include <cstdint>

#include "cpuinfo/Texts.h"
#include "cpuinfo/Values.h"

namespace cpuinfo {

class IProcessorCache;
class IProcessorCpuid;
class IProcessorErrata;
class IProcessorFeatures;
class IProcessorName;
class IProcessorSerial;
class IProcessorSignature;
class IProcessorSpeedInformation;
class IProcessorUsage;
class IProcessorVendor;

// Each operation creates a new topic object for the processor.
class IProcessorInformation : public IInterface {
 public:
  static constexpr InterfaceId kId = MakeInterfaceId("IProcessorInformation");
  virtual Ref<IProcessorCache> Cache() = 0;
  virtual Ref<IProcessorCpuid> Cpuid() = 0;
  virtual Ref<IProcessorErrata> Errata() = 0;
  virtual Ref<IProcessorFeatures> Features() = 0;
  virtual Ref<IProcessorName> Name() = 0;
  virtual Ref<IProcessorSerial> Serial() = 0;
  virtual Ref<IProcessorSignature> Signature() = 0;
  virtual Ref<IProcessorSpeedInformation> Speed() = 0;
  virtual Ref<IProcessorUsage> Usage() = 0;
  virtual Ref<IProcessorVendor> Vendor() = 0;

 protected:
  ~IProcessorInformation() = default;
};

class TProcessorInformation final : public TInterfacedObject<IProcessorInformation> {
 public:
  explicit TProcessorInformation(uint8_t processor) : FProcessor(processor) {}
  Ref<IProcessorCache> Cache() override;
  Ref<IProcessorCpuid> Cpuid() override;
  Ref<IProcessorErrata> Errata() override;
  Ref<IProcessorFeatures> Features() override;
  Ref<IProcessorName> Name() override;
  Ref<IProcessorSerial> Serial() override;
  Ref<IProcessorSignature> Signature() override;
  Ref<IProcessorSpeedInformation> Speed() override;
  Ref<IProcessorUsage> Usage() override;
  Ref<IProcessorVendor> Vendor() override;

 private:
  uint8_t FProcessor;
};

class IProcessorCount : public IInterface {
 public:
  static constexpr InterfaceId kId = MakeInterfaceId("IProcessorCount");
  virtual Ref<ICpuNumber> SystemCount() = 0;
  virtual Ref<ICpuNumber> LogicalCount() = 0;

 protected:
  ~IProcessorCount() = default;
};

class TProcessorCount final : public TInterfacedObject<IProcessorCount> {
 public:
  Ref<ICpuNumber> SystemCount() override;
  Ref<ICpuNumber> LogicalCount() override;
};

// The one root object; lives from the first CpuInstance() call to the end of the process.
class TCpuRoot {
 public:
  Ref<IProcessorInformation> Information(uint8_t processor);
  Ref<IProcessorCount> Processors();
  bool MultiProcessor() const { return FMultiProcessor; }
  // Settles MultiProcessor again after another CPUID source was installed.
  void MachineChanged();

 private:
  friend TCpuRoot& CpuInstance();
  TCpuRoot() = default;
  bool FMultiProcessor = false;
};

TCpuRoot& CpuInstance();

// Library start-up: loads the texts (an empty catalogue means English) and looks up the
// system's affinity function. Library shutdown releases the texts; the root stays.
void InitializeLibrary(TextCatalogue catalogue = {});
void FinalizeLibrary();

}  // namespace cpuinfo
