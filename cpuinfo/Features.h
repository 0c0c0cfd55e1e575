// Feature flags of the four CPUID feature registers, with mnemonics and descriptions.
#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>

#include "cpuinfo/Values.h"

namespace cpuinfo {

// Feature set kinds: the register a set reads.
enum FeatureSetKind : uint8_t {
  kFeatureSetNone = 0,
  kFeatureSetStandard = 1,     // leaf 1 EDX
  kFeatureSetStandardEcx = 2,  // leaf 1 ECX
  kFeatureSetExtended = 3,     // leaf 0x80000001 EDX
  kFeatureSetPower = 4,        // leaf 0x80000007 EDX
};

constexpr uint8_t kNoBit = 255;

// Sets is a set of kinds 0 to 7: bit k stands for kind k.
struct TFeatureDetail {
  uint8_t Bit;
  const char* Mnemonic;
  const char* Description;
  uint8_t VendorCode;
  uint8_t Sets;
};

constexpr uint8_t FeatureSets(std::initializer_list<uint8_t> kinds) {
  uint8_t sets = 0;
  for (uint8_t kind : kinds) sets = static_cast<uint8_t>(sets | (1u << kind));
  return sets;
}

constexpr bool ContainsSet(uint8_t sets, uint8_t kind) {
  return kind < 8 && ((sets >> kind) & 1u) != 0;
}

std::span<const TFeatureDetail> FeatureTable();

class IFeatureSetDefinition : public IInterface {
 public:
  static constexpr InterfaceId kId = MakeInterfaceId("IFeatureSetDefinition");
  virtual uint8_t BitOf(const std::string& mnemonic) = 0;
  virtual Ref<ICpuNumber> Count() = 0;

 protected:
  ~IFeatureSetDefinition() = default;
};

// The 32 slots of one set for one processor: generic rows first, then the rows of the
// processor's vendor over them. Owned by its feature set.
class TFeatureSetDefinition final : public TOwnedObject<IFeatureSetDefinition> {
 public:
  TFeatureSetDefinition(uint8_t processor, uint8_t kind);
  ~TFeatureSetDefinition() override = default;
  uint8_t BitOf(const std::string& mnemonic) override;
  Ref<ICpuNumber> Count() override { return MakeNumber(FCount); }
  // The master row of a slot, kNoBit when the slot is empty.
  uint8_t RowOf(uint8_t slot) const { return slot < 32 ? FSlots[slot].Bit : kNoBit; }

 private:
  uint8_t FProcessor;
  uint8_t FKind;
  uint8_t FFeatureVendor;
  std::array<TFeatureDetail, 32> FSlots;
  uint32_t FCount = 0;
};

class ICpuFeature : public IInterface {
 public:
  static constexpr InterfaceId kId = MakeInterfaceId("ICpuFeature");
  virtual uint8_t Bit() = 0;
  virtual std::string Mnemonic() = 0;
  virtual std::string Description() = 0;
  virtual Ref<ICpuBoolean> Available() = 0;

 protected:
  ~ICpuFeature() = default;
};

class TCpuFeature final : public TInterfacedObject<ICpuFeature> {
 public:
  TCpuFeature(uint8_t processor, uint8_t row, uint8_t kind)
      : FProcessor(processor), FRow(row), FKind(kind) {}
  uint8_t Bit() override;
  std::string Mnemonic() override;
  std::string Description() override;
  Ref<ICpuBoolean> Available() override;

 private:
  uint8_t FProcessor;
  uint8_t FRow;
  uint8_t FKind;
};

class TUnknownFeature final : public TInterfacedObject<ICpuFeature> {
 public:
  uint8_t Bit() override { return kNoBit; }
  std::string Mnemonic() override;
  std::string Description() override;
  Ref<ICpuBoolean> Available() override { return MakeBoolean(false); }
};

class ICpuFeatureSet : public IInterface {
 public:
  static constexpr InterfaceId kId = MakeInterfaceId("ICpuFeatureSet");
  virtual Ref<ICpuBoolean> Available() = 0;
  virtual Ref<ICpuNumber> Count() = 0;
  virtual Ref<ICpuFeature> ByBit(uint8_t bit) = 0;
  virtual Ref<ICpuFeature> ByName(const std::string& mnemonic) = 0;

 protected:
  ~ICpuFeatureSet() = default;
};

class TCpuFeatureSet final : public TInterfacedObject<ICpuFeatureSet> {
 public:
  TCpuFeatureSet(uint8_t processor, uint8_t kind)
      : FProcessor(processor), FKind(kind), FDefinition(processor, kind) {}
  Ref<ICpuBoolean> Available() override;
  Ref<ICpuNumber> Count() override;
  Ref<ICpuFeature> ByBit(uint8_t bit) override;
  Ref<ICpuFeature> ByName(const std::string& mnemonic) override;

 private:
  uint8_t FProcessor;
  uint8_t FKind;
  TFeatureSetDefinition FDefinition;
};

class IProcessorFeatures : public IInterface {
 public:
  static constexpr InterfaceId kId = MakeInterfaceId("IProcessorFeatures");
  virtual Ref<ICpuFeatureSet> Standard() = 0;
  virtual Ref<ICpuFeatureSet> StandardEcx() = 0;
  virtual Ref<ICpuFeatureSet> Extended() = 0;
  virtual Ref<ICpuFeatureSet> PowerManagement() = 0;
  virtual Ref<ICpuFeature> ByName(const std::string& mnemonic) = 0;

 protected:
  ~IProcessorFeatures() = default;
};

class TProcessorFeatures final : public TInterfacedObject<IProcessorFeatures> {
 public:
  explicit TProcessorFeatures(uint8_t processor) : FProcessor(processor) {}
  Ref<ICpuFeatureSet> Standard() override { return Set(kFeatureSetStandard); }
  Ref<ICpuFeatureSet> StandardEcx() override { return Set(kFeatureSetStandardEcx); }
  Ref<ICpuFeatureSet> Extended() override { return Set(kFeatureSetExtended); }
  Ref<ICpuFeatureSet> PowerManagement() override { return Set(kFeatureSetPower); }
  Ref<ICpuFeature> ByName(const std::string& mnemonic) override;

 private:
  Ref<ICpuFeatureSet> Set(uint8_t kind) { return Make<TCpuFeatureSet>(FProcessor, kind); }
  uint8_t FProcessor;
};

}  // namespace cpuinfo
