// The processor's marketing name: its brand string, or per-vendor lookup rules.
#pragma once

#include <cstdint>
#include <string>

#include "cpuinfo/Values.h"

namespace cpuinfo {

class IProcessorName : public IInterface {
 public:
  static constexpr InterfaceId kId = MakeInterfaceId("IProcessorName");
  virtual std::string Name() = 0;
  virtual Ref<ICpuBoolean> FromLookup() = 0;

 protected:
  ~IProcessorName() = default;
};

class TProcessorName final : public TInterfacedObject<IProcessorName> {
 public:
  explicit TProcessorName(uint8_t processor);
  std::string Name() override;
  Ref<ICpuBoolean> FromLookup() override { return MakeBoolean(FUseLookup); }

 private:
  uint8_t FProcessor;
  bool FUseLookup = false;
  bool FIsTransmeta = false;
};

class IProcessorLookup : public IInterface {
 public:
  static constexpr InterfaceId kId = MakeInterfaceId("IProcessorLookup");
  virtual std::string Name() = 0;

 protected:
  ~IProcessorLookup() = default;
};

// The brand string of leaves 0x80000002-4 (Transmeta: 0x80860003-6), untrimmed.
class TProcessorNameDetect final : public TInterfacedObject<IProcessorLookup> {
 public:
  explicit TProcessorNameDetect(uint8_t processor) : FProcessor(processor) {}
  std::string Name() override;

 private:
  uint8_t FProcessor;
};

// The vendor lookups: each holds the processor only and names it by its vendor's rules.
class TProcessorLookup : public TInterfacedObject<IProcessorLookup> {
 public:
  explicit TProcessorLookup(uint8_t processor) : FProcessor(processor) {}

 protected:
  uint8_t FProcessor;
};

class TUnknownProcessorLookup final : public TProcessorLookup {
 public:
  using TProcessorLookup::TProcessorLookup;
  std::string Name() override;
};

class TIntelProcessorLookup final : public TProcessorLookup {
 public:
  using TProcessorLookup::TProcessorLookup;
  std::string Name() override;
};

class TAmdProcessorLookup final : public TProcessorLookup {
 public:
  using TProcessorLookup::TProcessorLookup;
  std::string Name() override;
};

class TCyrixProcessorLookup final : public TProcessorLookup {
 public:
  using TProcessorLookup::TProcessorLookup;
  std::string Name() override;
};

class TIdtProcessorLookup final : public TProcessorLookup {
 public:
  using TProcessorLookup::TProcessorLookup;
  std::string Name() override;
};

class TNexGenProcessorLookup final : public TProcessorLookup {
 public:
  using TProcessorLookup::TProcessorLookup;
  std::string Name() override;
};

class TUmcProcessorLookup final : public TProcessorLookup {
 public:
  using TProcessorLookup::TProcessorLookup;
  std::string Name() override;
};

class TRiseProcessorLookup final : public TProcessorLookup {
 public:
  using TProcessorLookup::TProcessorLookup;
  std::string Name() override;
};

class TTransmetaProcessorLookup final : public TProcessorLookup {
 public:
  using TProcessorLookup::TProcessorLookup;
  std::string Name() override;
};

// The lookup of a vendor index (the unknown lookup for indices it does not list).
Ref<IProcessorLookup> MakeLookup(uint8_t processor, uint8_t vendorIndex);

// The vendor's short name followed by the signature description.
std::string FallbackName(uint8_t processor);

}  // namespace cpuinfo
