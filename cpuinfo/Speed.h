// The library's own clock-rate measurement with the rated speed, and the serial
// number, usage and errata objects.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <thread>

#include "cpuinfo/Cpuid.h"
#include "cpuinfo/Values.h"
#include "platform/Clock.h"

namespace cpuinfo {

// The clocks the measurement reads; the machine's unless another set is installed.
platform::MeasurementClocks& ActiveSpeedClocks();
// Installs clocks (null: the machine's again); returns the previous ones (null: machine).
platform::MeasurementClocks* InstallSpeedClocks(platform::MeasurementClocks* clocks);

// One ~200 ms measurement on a thread of its own at time-critical priority.
class TCpuSpeedThread {
 public:
  TCpuSpeedThread();  // starts the thread
  ~TCpuSpeedThread();
  TCpuSpeedThread(const TCpuSpeedThread&) = delete;
  TCpuSpeedThread& operator=(const TCpuSpeedThread&) = delete;
  void WaitFor();
  // The measured rate truncated toward zero; 0 when the measurement did not complete.
  int32_t Mhz() const;

 private:
  void Execute();
  double FMhz = 0;
  std::thread thread_;
};

// The rate moved to the nearest marketed two-digit ending (ties go up).
uint32_t NormalizeSpeed(uint32_t mhz);

struct TMappingInfo {
  uint32_t Mhz;
  const char* Rating;
};

std::span<const uint32_t> SpeedEndings();
std::span<const TMappingInfo> RatingTable256();
std::span<const TMappingInfo> RatingTable512();
// The AMD model rating of a rated speed and level-2 size in bytes; empty when none.
std::string AmdRating(uint32_t normalizedMhz, uint32_t level2Bytes);

class IProcessorSpeedInformation : public IInterface {
 public:
  static constexpr InterfaceId kId = MakeInterfaceId("IProcessorSpeedInformation");
  virtual Ref<ICpuNumber> RawSpeed() = 0;
  virtual Ref<ICpuNumber> NormalizedSpeed() = 0;
  virtual std::string Rating() = 0;

 protected:
  ~IProcessorSpeedInformation() = default;
};

// Measures at construction (about 200 ms).
class TProcessorSpeedInformation final : public TInterfacedObject<IProcessorSpeedInformation> {
 public:
  explicit TProcessorSpeedInformation(uint8_t processor);
  Ref<ICpuNumber> RawSpeed() override { return MakeNumber(static_cast<uint32_t>(FRawSpeed)); }
  Ref<ICpuNumber> NormalizedSpeed() override {
    return MakeNumber(static_cast<uint32_t>(FNormalizedSpeed));
  }
  std::string Rating() override;

 private:
  uint8_t FProcessor;
  int32_t FRawSpeed = 0;
  int32_t FNormalizedSpeed = 0;
};

class IProcessorSerial : public IInterface {
 public:
  static constexpr InterfaceId kId = MakeInterfaceId("IProcessorSerial");
  virtual Ref<ICpuBoolean> Available() = 0;
  virtual std::string Text() = 0;
  virtual std::string Digits() = 0;

 protected:
  ~IProcessorSerial() = default;
};

class TProcessorSerial final : public TInterfacedObject<IProcessorSerial> {
 public:
  explicit TProcessorSerial(uint8_t processor)
      : FProcessor(processor),
        FSerialHigh(ExecuteLeaf(processor, 3)),
        FSerialLow(ExecuteLeaf(processor, 3)) {}
  Ref<ICpuBoolean> Available() override;
  std::string Text() override;
  std::string Digits() override;

 private:
  bool IsTransmeta();
  uint8_t FProcessor;
  Ref<ICpuid> FSerialHigh;
  Ref<ICpuid> FSerialLow;
};

// Eight hexadecimal digits with '-' after the fourth.
std::string SerialGroup(uint32_t value);

class IProcessorUsage : public IInterface {
 public:
  static constexpr InterfaceId kId = MakeInterfaceId("IProcessorUsage");
  virtual Ref<ICpuNumber> Value() = 0;

 protected:
  ~IProcessorUsage() = default;
};

// The same for every processor: the library does not measure usage.
class TProcessorUsage final : public TInterfacedObject<IProcessorUsage> {
 public:
  Ref<ICpuNumber> Value() override { return MakeNumber(0); }
};

class IProcessorErrata : public IInterface {
 public:
  static constexpr InterfaceId kId = MakeInterfaceId("IProcessorErrata");
  virtual Ref<ICpuBoolean> FdivFlaw() = 0;
  virtual Ref<ICpuBoolean> AmdErratum() = 0;

 protected:
  ~IProcessorErrata() = default;
};

class TProcessorErrata final : public TInterfacedObject<IProcessorErrata> {
 public:
  explicit TProcessorErrata(uint8_t processor) : FProcessor(processor) {}
  Ref<ICpuBoolean> FdivFlaw() override;
  Ref<ICpuBoolean> AmdErratum() override;

 private:
  uint8_t FProcessor;
};

// The division-flaw test: x / y * y - x for x = 4195835, y = 3145727, divided by the FPU.
bool DivisionFlawed(double x, double y);

}  // namespace cpuinfo
