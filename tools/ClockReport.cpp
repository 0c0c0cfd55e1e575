#include "tools/ClockReport.h"

#include <cstdio>

#include "cpuinfo/Processor.h"
#include "cpuinfo/Speed.h"
#include "speedtest/ClockMeasurement.h"

namespace tools {

ClockReadings MeasureBothClocks() {
  ClockReadings readings;
  readings.startupMhz = speedtest::MeasureClock();
  auto speed = cpuinfo::CpuInstance().Information(0)->Speed();
  readings.libraryRaw = speed->RawSpeed()->Value();
  readings.libraryNormalized = speed->NormalizedSpeed()->Value();
  return readings;
}

std::string RenderClock(const ClockReadings& readings) {
  char text[256];
  std::snprintf(text, sizeof text,
                "Start-up measurement  %.3f MHz  (500 ms of time-stamp-counter ticks)\n"
                "Library measurement   %u MHz raw, rated %u MHz\n",
                readings.startupMhz, readings.libraryRaw, readings.libraryNormalized);
  return text;
}

}  // namespace tools
