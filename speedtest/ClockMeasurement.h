// The start-up measurement of the processor's clock rate: time-stamp-counter ticks
// counted across a 500 ms sleep at the highest scheduling priority.
#pragma once

#include <cstdint>

#include "platform/Clock.h"

namespace speedtest {

// The private window message that asks the main window to measure the clock
// (WM_USER + 101, both parameters 0). Posted once, as the window's last creation step.
inline constexpr uint32_t UM_GETSPEED = 1125;

// The length of the counted interval, and the divisor that turns its ticks into MHz when
// it lasted exactly that long.
inline constexpr uint32_t kCountedIntervalMs = 500;
inline constexpr double kTicksPerMhz = 500000.0;

// The interval is timed on the performance counter to within this many microseconds
// (2 us in 500 ms: 4 ppm at most), and its end may come this late after the deadline
// (a later one would count ticks beyond 32 bits on the fastest counters). An interval
// that misses either is taken again, up to kMeasurementAttempts times in all.
inline constexpr double kWidestUncertaintyUs = 2;
inline constexpr uint32_t kLatestEndMs = 100;
inline constexpr int kMeasurementAttempts = 3;

// The rate for the counter readings t1 and t2 taken the given microseconds apart. Only
// the low 32 bits of the difference count, so a counter faster than 8589.934592 MHz
// wraps across 500 ms. 0 for an interval that took no time.
double MhzOverInterval(uint64_t t1, uint64_t t2, double microseconds);
// The same for readings exactly 500 ms apart.
double MhzFromCounterReadings(uint64_t t1, uint64_t t2);

// The rate in whole MHz, as the program keeps it (MeasuredMhz): truncated toward zero.
int32_t WholeMhz(double mhz);

// One measurement and how well its interval was timed.
struct ClockMeasurement {
  double mhz = 0;
  double intervalUs = 0;     // the interval as the performance counter timed it
  double uncertaintyUs = 0;  // the most intervalUs may be off by
  double lateUs = 0;         // how long after the deadline the interval ended
  int attempts = 0;
  // Timed to within kWidestUncertaintyUs and ended in time. When no attempt was, the
  // measurement is the best-timed attempt's, its uncertainty as it was.
  bool timed = false;
};

// Raises the priority, counts the ticks of a 500 ms interval timed on the performance
// counter and restores the priority. Takes about 510 ms, 500 ms more for each retaking.
ClockMeasurement MeasureClockTimed(
    platform::MeasurementClocks& clocks = platform::MachineMeasurementClocks());
double MeasureClock();

}  // namespace speedtest
