// tachora-info --clock: the program's start-up measurement next to the library's own, so
// anyone can check the accuracy on their machine, then the clock each core really runs at.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "speedtest/CoreClock.h"

namespace tools {

struct CoreClockReadings {
  std::vector<speedtest::CoreClock> cores;
  bool doubleSpeedAdders = false;  // processor 0's
};

struct ClockReadings {
  double startupMhz = 0;    // MeasureClock, before truncation
  uint32_t libraryRaw = 0;  // the library's 200 ms measurement
  uint32_t libraryNormalized = 0;
  CoreClockReadings coreClocks;
  bool startupTimed = true;  // its interval timed to within a few microseconds
  double startupUncertaintyUs = 0;
};

// Each processor alone, about 20 ms each, or all at once, about 20 ms in all.
CoreClockReadings MeasureCoreClocks(bool underLoad);

// Runs every measurement on the live processor: about 710 ms and the core clocks.
ClockReadings MeasureClocks(bool underLoad);
std::string RenderClock(const ClockReadings& readings);

// One line a processor, "cpu 0: 3641.2 MHz, 1.40 x the counter", then a note for adders
// that may add twice a clock.
std::vector<std::string> CoreClockLines(const CoreClockReadings& readings);

}  // namespace tools
