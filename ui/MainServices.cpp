#include "ui/MainServices.h"

#include "cpuinfo/Facts.h"
#include "platform/Browser.h"
#include "speedtest/ClockMeasurement.h"
#include "speedtest/MachineIdentity.h"

namespace ui {

ProcessorTexts ReadProcessorTexts() {
  ProcessorTexts texts;
  texts.CpuDescription = cpuinfo::ReadCpuDescription();
  texts.CpuVendor = cpuinfo::ReadCpuVendor();
  texts.CpuFamily = cpuinfo::ReadCpuFamily();
  texts.CpuPublishedSpeed = cpuinfo::ReadCpuPublishedSpeed();
  return texts;
}

MainServices MainServices::Real() {
  MainServices services;
  services.measureClock = speedtest::MeasureClock;
  services.machineIdentity = speedtest::GetMachineIdentity;
  services.processorTexts = ReadProcessorTexts;
  services.openInBrowser = [](const std::string& address) { platform::OpenInBrowser(address); };
  services.randomPercent = speedtest::ClockSeededRandomPercent;
  return services;
}

}  // namespace ui
