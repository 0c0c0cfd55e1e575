// The start-up measurement of the processor's clock rate: time-stamp-counter ticks
// counted across a 500 ms sleep at the highest scheduling priority.
#pragma once

#include <cstdint>

namespace speedtest {

// The private window message that asks the main window to measure the clock
// (WM_USER + 101, both parameters 0). Posted once, as the window's last creation step.
inline constexpr uint32_t UM_GETSPEED = 1125;

// The length of the counted interval, and the divisor that turns its ticks into MHz.
inline constexpr uint32_t kCountedIntervalMs = 500;
inline constexpr double kTicksPerMhz = 500000.0;

// The rate for the counter readings t1 and t2 taken 500 ms apart. Only the low 32 bits
// of the difference count, so a counter faster than 8589.934592 MHz wraps.
double MhzFromCounterReadings(uint64_t t1, uint64_t t2);

// The rate in whole MHz, as the program keeps it (MeasuredMhz): truncated toward zero.
int32_t WholeMhz(double mhz);

// Raises the priority, counts the ticks of a 500 ms interval and restores the priority.
// Takes about 510 ms.
double MeasureClock();

}  // namespace speedtest
