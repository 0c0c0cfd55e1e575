// tachora-info --clock: the program's start-up measurement next to the library's own, so
// anyone can check the accuracy on their machine.
#pragma once

#include <cstdint>
#include <string>

namespace tools {

struct ClockReadings {
  double startupMhz = 0;    // MeasureClock, before truncation
  uint32_t libraryRaw = 0;  // the library's 200 ms measurement
  uint32_t libraryNormalized = 0;
};

// Runs both measurements (about 710 ms) on the live processor.
ClockReadings MeasureBothClocks();
std::string RenderClock(const ClockReadings& readings);

}  // namespace tools
