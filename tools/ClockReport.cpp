#include "tools/ClockReport.h"

#include <cstdio>

#include "cpuinfo/Processor.h"
#include "cpuinfo/Speed.h"
#include "speedtest/ClockMeasurement.h"

namespace tools {

CoreClockReadings MeasureCoreClocks(bool underLoad) {
  CoreClockReadings readings;
  readings.cores =
      underLoad ? speedtest::MeasureCoreClocksUnderLoad() : speedtest::MeasureCoreClocks();
  readings.doubleSpeedAdders = speedtest::DoubleSpeedAdders(0);
  return readings;
}

ClockReadings MeasureClocks(bool underLoad) {
  ClockReadings readings;
  const speedtest::ClockMeasurement startup = speedtest::MeasureClockTimed();
  readings.startupMhz = startup.mhz;
  readings.startupTimed = startup.timed;
  readings.startupUncertaintyUs = startup.uncertaintyUs;
  auto speed = cpuinfo::CpuInstance().Information(0)->Speed();
  readings.libraryRaw = speed->RawSpeed()->Value();
  readings.libraryNormalized = speed->NormalizedSpeed()->Value();
  readings.coreClocks = MeasureCoreClocks(underLoad);
  return readings;
}

std::vector<std::string> CoreClockLines(const CoreClockReadings& readings) {
  std::vector<std::string> lines;
  for (const speedtest::CoreClock& core : readings.cores) {
    char line[96];
    std::snprintf(line, sizeof line, "cpu %u: %.1f MHz, %.2f x the counter", core.cpu, core.mhz,
                  core.counterRatio);
    lines.emplace_back(line);
  }
  if (readings.doubleSpeedAdders) {
    lines.emplace_back(
        "Double-speed adders (Pentium 4 family): the core clock may be as low as half.");
  }
  return lines;
}

std::string RenderClock(const ClockReadings& readings) {
  char text[256];
  std::snprintf(text, sizeof text,
                "Start-up measurement  %.3f MHz  (500 ms of time-stamp-counter ticks)\n",
                readings.startupMhz);
  std::string out = text;
  if (!readings.startupTimed) {
    std::snprintf(text, sizeof text,
                  "  (the interval could not be timed closer than %.1f us: busy machine)\n",
                  readings.startupUncertaintyUs);
    out += text;
  }
  std::snprintf(text, sizeof text, "Library measurement   %u MHz raw, rated %u MHz\n",
                readings.libraryRaw, readings.libraryNormalized);
  out += text;
  for (const std::string& line : CoreClockLines(readings.coreClocks)) out += line + "\n";
  return out;
}

}  // namespace tools
