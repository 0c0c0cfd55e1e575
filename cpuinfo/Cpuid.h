// One CPUID leaf executed on one processor, the three leaf ranges, and the binding
// that runs a leaf on the chosen processor.
#pragma once

#include <cstdint>
#include <string>

#include "cpuinfo/CpuidSource.h"
#include "cpuinfo/Values.h"

namespace cpuinfo {

enum class CpuidRange : uint8_t { Standard = 0, Extended = 1, Transmeta = 2 };

struct TCpuidRangeInfo {
  CpuidRange range;
  uint32_t base;
  uint32_t last;  // the highest leaf that belongs to the range
};

// The range a leaf belongs to: every leaf outside the extended and Transmeta spans is
// standard.
CpuidRange RangeOfLeaf(uint32_t leaf);
uint32_t RangeBaseLeaf(CpuidRange range);

class ICpuid : public IInterface {
 public:
  static constexpr InterfaceId kId = MakeInterfaceId("ICpuid");
  virtual uint8_t Processor() = 0;
  virtual uint32_t Leaf() = 0;
  virtual int32_t Repeats() = 0;
  virtual std::string AsText() = 0;
  virtual Ref<ICpuBoolean> Available() = 0;
  virtual Ref<ICpuNumber> Eax() = 0;
  virtual Ref<ICpuNumber> Ebx() = 0;
  virtual Ref<ICpuNumber> Ecx() = 0;
  virtual Ref<ICpuNumber> Edx() = 0;

 protected:
  ~ICpuid() = default;
};

// Executes the leaf at construction: Repeats times in a row, keeping the last registers;
// zeros when the leaf is not available (or Repeats is below 1).
class TCpuid final : public TInterfacedObject<ICpuid> {
 public:
  TCpuid(uint8_t processor, uint32_t leaf, int32_t repeats = 1);
  uint8_t Processor() override { return FProcessor; }
  uint32_t Leaf() override { return FLeaf; }
  int32_t Repeats() override { return FRepeats; }
  std::string AsText() override;
  Ref<ICpuBoolean> Available() override;
  Ref<ICpuNumber> Eax() override { return MakeNumber(FEax); }
  Ref<ICpuNumber> Ebx() override { return MakeNumber(FEbx); }
  Ref<ICpuNumber> Ecx() override { return MakeNumber(FEcx); }
  Ref<ICpuNumber> Edx() override { return MakeNumber(FEdx); }

 private:
  uint8_t FProcessor;
  uint32_t FLeaf;
  int32_t FRepeats;
  uint32_t FEax = 0;
  uint32_t FEbx = 0;
  uint32_t FEcx = 0;
  uint32_t FEdx = 0;
};

inline Ref<ICpuid> ExecuteLeaf(uint8_t processor, uint32_t leaf, int32_t repeats = 1) {
  return Make<TCpuid>(processor, leaf, repeats);
}

// Whether the processor supports the leaf: its range's base leaf reports it.
bool LeafAvailable(uint8_t processor, uint32_t leaf);

class ICpuAffinity : public IInterface {
 public:
  static constexpr InterfaceId kId = MakeInterfaceId("ICpuAffinity");

 protected:
  ~ICpuAffinity() = default;
};

// Scope object: binds to one processor while it lives; releasing it restores the mask
// that was in force before. Does nothing on a single-processor machine, for indices of
// 32 and above, and for a source with nothing to bind.
class TCpuAffinity final : public TInterfacedObject<ICpuAffinity> {
 public:
  explicit TCpuAffinity(uint8_t processor);
  ~TCpuAffinity() override;

 private:
  ProcessorBinding* FProcess = nullptr;
  uint32_t FMask = 0;
  uint32_t FSavedMask = 0;
};

class ICpuidInformation : public IInterface {
 public:
  static constexpr InterfaceId kId = MakeInterfaceId("ICpuidInformation");
  virtual Ref<ICpuBoolean> Available() = 0;
  virtual Ref<ICpuNumber> MaxLeaf() = 0;

 protected:
  ~ICpuidInformation() = default;
};

class TCpuidInformation final : public TInterfacedObject<ICpuidInformation> {
 public:
  TCpuidInformation(uint8_t processor, CpuidRange range);
  Ref<ICpuBoolean> Available() override { return FBase->Available(); }
  Ref<ICpuNumber> MaxLeaf() override { return FBase->Eax(); }

 private:
  Ref<ICpuid> FBase;
};

class IProcessorCpuid : public IInterface {
 public:
  static constexpr InterfaceId kId = MakeInterfaceId("IProcessorCpuid");
  virtual Ref<ICpuidInformation> Standard() = 0;
  virtual Ref<ICpuidInformation> Extended() = 0;
  virtual Ref<ICpuidInformation> Transmeta() = 0;

 protected:
  ~IProcessorCpuid() = default;
};

class TProcessorCpuid final : public TInterfacedObject<IProcessorCpuid> {
 public:
  explicit TProcessorCpuid(uint8_t processor) : FProcessor(processor) {}
  Ref<ICpuidInformation> Standard() override;
  Ref<ICpuidInformation> Extended() override;
  Ref<ICpuidInformation> Transmeta() override;

 private:
  uint8_t FProcessor;
};

}  // namespace cpuinfo
