#include "speedtest/ClockMeasurement.h"

#include "platform/CounterBracket.h"
#include "platform/System.h"
#include "speedtest/RaisedPriority.h"

namespace speedtest {

using platform::MeasurementClocks;

namespace {

constexpr uint32_t kSettleMs = 10;

// One interval: the counter read in a tight bracket at each end, the ticks divided by the
// time between the readings, so a wake-up that comes late (the thread or the virtual
// processor not running at the deadline) lengthens the interval without inflating the
// rate.
ClockMeasurement MeasureInterval(MeasurementClocks& clocks, int64_t frequency) {
  // Each end's span within the uncertainty allowed keeps their mean within it too.
  const int64_t widestSpan = platform::SpanWithin(frequency, kWidestUncertaintyUs);
  const platform::CounterReading start = platform::TightestReading(clocks, widestSpan);
  const int64_t deadline = start.after + frequency * kCountedIntervalMs / 1000;
  clocks.SleepUntil(deadline);
  const platform::CounterReading end = platform::TightestReading(clocks, widestSpan);
  const platform::TimedTicks timed = platform::Between(start, end);
  const double usPerCount = 1e6 / static_cast<double>(frequency);

  ClockMeasurement measurement;
  measurement.intervalUs = timed.counts * usPerCount;
  measurement.uncertaintyUs = timed.uncertainty * usPerCount;
  measurement.lateUs = static_cast<double>(end.before - deadline) * usPerCount;
  measurement.mhz = MhzOverInterval(start.ticks, end.ticks, measurement.intervalUs);
  measurement.timed = measurement.uncertaintyUs <= kWidestUncertaintyUs &&
                      measurement.lateUs <= kLatestEndMs * 1000.0;
  return measurement;
}

// Without a performance counter the sleep is all there is: taken to last exactly 500 ms.
ClockMeasurement UntimedInterval(MeasurementClocks& clocks) {
  const uint64_t t1 = clocks.TimeStampCounter();
  clocks.SleepMs(kCountedIntervalMs);
  const uint64_t t2 = clocks.TimeStampCounter();
  ClockMeasurement measurement;
  measurement.mhz = MhzFromCounterReadings(t1, t2);
  measurement.intervalUs = kTicksPerMhz;
  measurement.attempts = 1;
  return measurement;
}

}  // namespace

double MhzOverInterval(uint64_t t1, uint64_t t2, double microseconds) {
  if (!(microseconds > 0)) return 0;
  const auto ticks = static_cast<uint32_t>(t2 - t1);
  return static_cast<double>(ticks) / microseconds;
}

double MhzFromCounterReadings(uint64_t t1, uint64_t t2) {
  return MhzOverInterval(t1, t2, kTicksPerMhz);
}

int32_t WholeMhz(double mhz) {
  return static_cast<int32_t>(mhz);
}

ClockMeasurement MeasureClockTimed(MeasurementClocks& clocks) {
  const int64_t frequency = clocks.PerformanceFrequency();
  const RaisedPriority raised;
  clocks.SleepMs(kSettleMs);
  if (frequency <= 0) return UntimedInterval(clocks);
  ClockMeasurement best;
  for (int attempt = 1; attempt <= kMeasurementAttempts; ++attempt) {
    ClockMeasurement measurement = MeasureInterval(clocks, frequency);
    measurement.attempts = attempt;
    if (measurement.timed) return measurement;
    if (attempt == 1 || measurement.uncertaintyUs < best.uncertaintyUs) best = measurement;
    best.attempts = attempt;
  }
  return best;
}

double MeasureClock() {
  return MeasureClockTimed().mhz;
}

}  // namespace speedtest
