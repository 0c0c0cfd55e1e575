#include "speedtest/ClockMeasurement.h"

#include "platform/System.h"
#include "speedtest/RaisedPriority.h"

namespace speedtest {

int32_t MeasuredMhz = 0;

namespace {

constexpr uint32_t kSettleMs = 10;

}  // namespace

double MhzFromCounterReadings(uint64_t t1, uint64_t t2) {
  const auto ticks = static_cast<uint32_t>(t2 - t1);
  return static_cast<double>(ticks) / kTicksPerMhz;
}

int32_t WholeMhz(double mhz) {
  return static_cast<int32_t>(mhz);
}

double MeasureClock() {
  uint64_t t1 = 0;
  uint64_t t2 = 0;
  {
    const RaisedPriority raised;
    platform::SleepMs(kSettleMs);
    // The divisor takes the interval to be exactly 500 ms, so it is timed against an
    // absolute deadline on the performance counter rather than left to a plain sleep,
    // whose wake-up may come late by the scheduler's latency.
    const int64_t deadline = platform::PerformanceCounter() +
                             platform::PerformanceFrequency() * kCountedIntervalMs / 1000;
    t1 = platform::ReadTimeStampCounter();
    platform::SleepUntil(deadline);
    t2 = platform::ReadTimeStampCounter();
  }
  return MhzFromCounterReadings(t1, t2);
}

void StoreMeasuredClock() {
  MeasuredMhz = WholeMhz(MeasureClock());
}

}  // namespace speedtest
