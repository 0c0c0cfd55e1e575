// What the windows take from the machine, in one place so that tests can replace it:
// the start-up clock measurement, the machine identity, the processor texts of the
// result dialog, the web browser and the test run's random numbers. The defaults are the
// real ones.
#pragma once

#include <functional>
#include <string>

#include "speedtest/ProcessorTexts.h"
#include "speedtest/TestRun.h"

namespace ui {

struct MainServices {
  std::function<double()> measureClock;
  std::function<std::string()> machineIdentity;
  std::function<speedtest::ProcessorTexts()> processorTexts;
  std::function<void(const std::string& address)> openInBrowser;
  speedtest::RandomPercent randomPercent;

  // The machine's own services.
  static MainServices Real();
};

}  // namespace ui
