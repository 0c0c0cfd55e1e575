// Who made the processor (CPUID leaf 0) and its decoded signature (leaf 1).
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "cpuinfo/Cpuid.h"
#include "cpuinfo/Values.h"

namespace cpuinfo {

// The library's vendor enumeration.
enum VendorIndex : uint8_t {
  kVendorUnknown = 1,
  kVendorIntel = 2,
  kVendorAmd = 3,
  kVendorCyrix = 4,
  kVendorCentaur = 5,
  kVendorNexGen = 6,
  kVendorUmc = 7,
  kVendorRise = 8,
  kVendorTransmeta = 9,
};

// FeatureVendor codes.
enum FeatureVendorCode : uint8_t {
  kFeatureVendorNone = 0,
  kFeatureVendorIntel = 1,
  kFeatureVendorAmd = 2,
  kFeatureVendorCyrix = 3,
};

// CacheMethod 1: caches from the extended leaves; any other: leaf 2 descriptors.
constexpr uint8_t kCacheByExtendedLeaves = 1;

struct TCpuVendorInfo {
  const char* Id;
  const char* ShortName;
  const char* LongName;
  uint8_t FeatureVendor;
  uint8_t CacheMethod;
};

// The vendor table; index 1 is element 0.
std::span<const TCpuVendorInfo> VendorTable();
const TCpuVendorInfo& VendorInfo(uint8_t index);
// The vendor index of a 12-character identification string (1 when unknown).
uint8_t VendorIndexOf(const std::string& id);

class IProcessorVendor : public IInterface {
 public:
  static constexpr InterfaceId kId = MakeInterfaceId("IProcessorVendor");
  virtual std::string IdString() = 0;
  virtual std::string Name() = 0;
  virtual uint8_t FeatureVendor() = 0;
  virtual uint8_t CacheMethod() = 0;
  virtual uint8_t Index() = 0;

 protected:
  ~IProcessorVendor() = default;
};

class TProcessorVendor final : public TInterfacedObject<IProcessorVendor> {
 public:
  explicit TProcessorVendor(uint8_t processor);
  std::string IdString() override { return VendorInfo(FVendor).Id; }
  std::string Name() override { return VendorInfo(FVendor).LongName; }
  uint8_t FeatureVendor() override { return VendorInfo(FVendor).FeatureVendor; }
  uint8_t CacheMethod() override { return VendorInfo(FVendor).CacheMethod; }
  uint8_t Index() override { return FVendor; }

 private:
  uint8_t FVendor;
};

// Signature field kinds.
enum SignatureKind : uint8_t {
  kSignatureType = 0,
  kSignatureFamily = 1,
  kSignatureModel = 2,
  kSignatureStepping = 3,
  kSignatureBrand = 4,
};

// The decoding rules of one field kind over a 32-bit source value.
uint32_t DecodeSignatureField(uint32_t source, uint8_t kind);
bool SignatureFieldExtended(uint32_t source, uint8_t kind);

class ICpuSignatureInformation : public IInterface {
 public:
  static constexpr InterfaceId kId = MakeInterfaceId("ICpuSignatureInformation");
  virtual Ref<ICpuNumber> Value() = 0;
  virtual Ref<ICpuBoolean> IsExtended() = 0;

 protected:
  ~ICpuSignatureInformation() = default;
};

class TCpuSignatureInformation final : public TInterfacedObject<ICpuSignatureInformation> {
 public:
  TCpuSignatureInformation(Ref<ICpuNumber> signature, uint8_t kind)
      : FSignature(std::move(signature)), FKind(kind) {}
  Ref<ICpuNumber> Value() override;
  Ref<ICpuBoolean> IsExtended() override;

 private:
  Ref<ICpuNumber> FSignature;
  uint8_t FKind;
};

class IProcessorSignature : public IInterface {
 public:
  static constexpr InterfaceId kId = MakeInterfaceId("IProcessorSignature");
  virtual Ref<ICpuSignatureInformation> ProcessorType() = 0;
  virtual Ref<ICpuSignatureInformation> Family() = 0;
  virtual Ref<ICpuSignatureInformation> Model() = 0;
  virtual Ref<ICpuSignatureInformation> Stepping() = 0;
  virtual Ref<ICpuSignatureInformation> Brand() = 0;
  virtual std::string AsText() = 0;
  virtual Ref<ICpuNumber> Value() = 0;

 protected:
  ~IProcessorSignature() = default;
};

class TProcessorSignature final : public TInterfacedObject<IProcessorSignature> {
 public:
  explicit TProcessorSignature(uint8_t processor)
      : FProcessor(processor), FLeaf1(ExecuteLeaf(processor, 1)) {}
  Ref<ICpuSignatureInformation> ProcessorType() override { return Field(kSignatureType); }
  Ref<ICpuSignatureInformation> Family() override { return Field(kSignatureFamily); }
  Ref<ICpuSignatureInformation> Model() override { return Field(kSignatureModel); }
  Ref<ICpuSignatureInformation> Stepping() override { return Field(kSignatureStepping); }
  Ref<ICpuSignatureInformation> Brand() override;
  std::string AsText() override;
  Ref<ICpuNumber> Value() override { return FLeaf1->Eax(); }

 private:
  Ref<ICpuSignatureInformation> Field(uint8_t kind);
  uint8_t FProcessor;
  Ref<ICpuid> FLeaf1;
};

// "x86 Family %d Model %d Stepping %d" filled in.
std::string SignatureDescription(uint32_t family, uint32_t model, uint32_t stepping);

}  // namespace cpuinfo
