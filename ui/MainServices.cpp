#include "ui/MainServices.h"

#include "platform/Browser.h"
#include "speedtest/ClockMeasurement.h"
#include "speedtest/MachineIdentity.h"

namespace ui {

MainServices MainServices::Real() {
  MainServices services;
  services.measureClock = speedtest::MeasureClock;
  services.machineIdentity = speedtest::GetMachineIdentity;
  services.processorTexts = speedtest::ReadProcessorTexts;
  services.openInBrowser = [](const std::string& address) { platform::OpenInBrowser(address); };
  services.randomPercent = speedtest::ClockSeededRandomPercent;
  return services;
}

}  // namespace ui
