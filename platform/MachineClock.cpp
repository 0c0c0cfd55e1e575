#include "platform/MachineClock.h"

#include "platform/System.h"

namespace platform {

int64_t MachineClock::PerformanceCounter() {
  return platform::PerformanceCounter();
}

int64_t MachineClock::PerformanceFrequency() {
  return platform::PerformanceFrequency();
}

uint32_t MachineClock::TickCount() {
  return platform::TickCount();
}

void MachineClock::SleepMs(uint32_t milliseconds) {
  platform::SleepMs(milliseconds);
}

void MachineClock::SleepUntil(int64_t deadline) {
  platform::SleepUntil(deadline);
}

int64_t MachineClock::LoopTimeUs() {
  static const int64_t frequency = platform::PerformanceFrequency();
  const int64_t counter = platform::PerformanceCounter();
  // Split so that the multiplication cannot overflow after long uptimes.
  return counter / frequency * 1000000 + counter % frequency * 1000000 / frequency;
}

namespace {

class MachineMeasurement final : public MeasurementClocks {
 public:
  int64_t PerformanceCounter() override { return platform::PerformanceCounter(); }
  int64_t PerformanceFrequency() override { return platform::PerformanceFrequency(); }
  uint32_t TickCount() override { return platform::TickCount(); }
  void SleepMs(uint32_t milliseconds) override { platform::SleepMs(milliseconds); }
  void SleepUntil(int64_t deadline) override { platform::SleepUntil(deadline); }
  uint64_t TimeStampCounter() override { return platform::ReadTimeStampCounter(); }
  void RaiseToTimeCritical() override { platform::RaiseThreadPriorityToTimeCritical(); }
};

}  // namespace

MeasurementClocks& MachineMeasurementClocks() {
  static MachineMeasurement machine;
  return machine;
}

}  // namespace platform
