// What the windows take from the machine, in one place so that tests can replace it:
// the start-up clock measurement, the machine identity, the processor texts of the
// result dialog, the web browser and the test run's random numbers. The defaults are the
// real ones.
#pragma once

#include <functional>
#include <string>

#include "speedtest/TestRun.h"

namespace ui {

// The four processor texts the result dialog keeps from its creation.
struct ProcessorTexts {
  std::string CpuDescription;
  std::string CpuVendor;
  std::string CpuFamily;
  std::string CpuPublishedSpeed;
};

// Reads them through processor 0 of the library; the published speed runs the library's
// own speed measurement (about 200 ms).
ProcessorTexts ReadProcessorTexts();

struct MainServices {
  std::function<double()> measureClock;
  std::function<std::string()> machineIdentity;
  std::function<ProcessorTexts()> processorTexts;
  std::function<void(const std::string& address)> openInBrowser;
  speedtest::RandomPercent randomPercent;

  // The machine's own services.
  static MainServices Real();
};

}  // namespace ui
