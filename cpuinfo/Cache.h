// Cache description: from the leaf 2 descriptors or from extended leaves 0x80000005/6.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>

#include "cpuinfo/Cpuid.h"
#include "cpuinfo/Values.h"

namespace cpuinfo {

enum CacheType : uint8_t {
  kCacheLevel1Code = 0,
  kCacheLevel1Data = 1,
  kCacheLevel1Unified = 2,
  kCacheLevel2 = 3,
  kCacheLevel3 = 4,
  kCacheTrace = 5,
};

struct TCacheAssociativityInfo {
  uint8_t Code;
  const char* Name;
};

// Size in KB (thousands of micro-operations for the trace cache), line in bytes.
struct TCacheDescriptorInfo {
  uint8_t Descriptor;
  uint8_t Type;
  uint8_t Associativity;  // index into the associativity table
  uint32_t Size;
  uint32_t LineSize;
};

std::span<const TCacheAssociativityInfo> AssociativityTable();
std::span<const TCacheDescriptorInfo> DescriptorTable();

class ICpuCacheDescriptors : public IInterface {
 public:
  static constexpr InterfaceId kId = MakeInterfaceId("ICpuCacheDescriptors");
  virtual uint32_t Descriptor(uint32_t index) = 0;
  virtual Ref<ICpuBoolean> Contains(uint32_t descriptor) = 0;

 protected:
  ~ICpuCacheDescriptors() = default;
};

class TCpuCacheDescriptors final : public TInterfacedObject<ICpuCacheDescriptors> {
 public:
  TCpuCacheDescriptors(uint8_t processor, uint8_t kind);
  // Entries 1 to 16; 0 outside them.
  uint32_t Descriptor(uint32_t index) override;
  Ref<ICpuBoolean> Contains(uint32_t descriptor) override;

 private:
  std::array<uint32_t, 16> FDescriptors{};
};

class ICpuCacheAssociativity : public IInterface {
 public:
  static constexpr InterfaceId kId = MakeInterfaceId("ICpuCacheAssociativity");
  virtual Ref<ICpuNumber> Value() = 0;
  virtual std::string Name() = 0;

 protected:
  ~ICpuCacheAssociativity() = default;
};

class TCpuCacheAssociativity final : public TInterfacedObject<ICpuCacheAssociativity> {
 public:
  explicit TCpuCacheAssociativity(uint8_t index) : FIndex(index) {}
  Ref<ICpuNumber> Value() override { return MakeNumber(AssociativityTable()[FIndex].Code); }
  std::string Name() override { return AssociativityTable()[FIndex].Name; }

 private:
  uint8_t FIndex;
};

class ICpuCache : public IInterface {
 public:
  static constexpr InterfaceId kId = MakeInterfaceId("ICpuCache");
  virtual Ref<ICpuCacheAssociativity> Associativity() = 0;
  virtual Ref<ICpuBoolean> Available() = 0;
  virtual Ref<ICpuNumber> LineSize() = 0;
  virtual Ref<ICpuNumber> Size() = 0;

 protected:
  ~ICpuCache() = default;
};

class TCacheByDescriptor final : public TInterfacedObject<ICpuCache> {
 public:
  TCacheByDescriptor(uint8_t processor, uint8_t kind)
      : FKind(kind), FDescriptors(Make<TCpuCacheDescriptors>(processor, kind)) {}
  Ref<ICpuCacheAssociativity> Associativity() override;
  Ref<ICpuBoolean> Available() override;
  Ref<ICpuNumber> LineSize() override;
  Ref<ICpuNumber> Size() override;

 private:
  // The last table row of this type whose descriptor the list holds, or null.
  const TCacheDescriptorInfo* LastMatch();
  uint8_t FKind;
  Ref<ICpuCacheDescriptors> FDescriptors;
};

class TCacheByExtendedCpuid final : public TInterfacedObject<ICpuCache> {
 public:
  TCacheByExtendedCpuid(uint8_t processor, uint8_t kind);
  Ref<ICpuCacheAssociativity> Associativity() override;
  Ref<ICpuBoolean> Available() override;
  Ref<ICpuNumber> LineSize() override;
  Ref<ICpuNumber> Size() override;

 private:
  uint32_t RawAssociativity();
  uint8_t FProcessor;
  uint8_t FKind;
  Ref<ICpuid> FCpuid;
};

class ICpuSegmentedCache : public IInterface {
 public:
  static constexpr InterfaceId kId = MakeInterfaceId("ICpuSegmentedCache");
  virtual Ref<ICpuCache> Code() = 0;
  virtual Ref<ICpuCache> Data() = 0;
  virtual Ref<ICpuCache> Unified() = 0;

 protected:
  ~ICpuSegmentedCache() = default;
};

class TCpuSegmentedCache final : public TInterfacedObject<ICpuSegmentedCache> {
 public:
  TCpuSegmentedCache(uint8_t processor, bool byExtended)
      : FProcessor(processor), FByExtended(byExtended) {}
  Ref<ICpuCache> Code() override;
  Ref<ICpuCache> Data() override;
  Ref<ICpuCache> Unified() override;

 private:
  uint8_t FProcessor;
  bool FByExtended;
};

class IProcessorCache : public IInterface {
 public:
  static constexpr InterfaceId kId = MakeInterfaceId("IProcessorCache");
  virtual Ref<ICpuSegmentedCache> Level1() = 0;
  virtual Ref<ICpuCache> Level2() = 0;
  virtual Ref<ICpuCache> Level3() = 0;
  virtual Ref<ICpuCache> Trace() = 0;

 protected:
  ~IProcessorCache() = default;
};

class TProcessorCache final : public TInterfacedObject<IProcessorCache> {
 public:
  explicit TProcessorCache(uint8_t processor);
  Ref<ICpuSegmentedCache> Level1() override;
  Ref<ICpuCache> Level2() override;
  Ref<ICpuCache> Level3() override;
  Ref<ICpuCache> Trace() override;

 private:
  uint8_t FProcessor;
  bool FByExtended;
};

}  // namespace cpuinfo
