// The start-up clock measurement against the kernel's time-stamp-counter frequency:
// error of each MeasureClock value in parts per million; and the core clocks. Run it idle
// and with the processors loaded (stress-ng --cpu 2) to see both.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "speedtest/ClockMeasurement.h"
#include "speedtest/CoreClock.h"

namespace {

// The last figure of a kernel log line such as "tsc: Refined TSC clocksource calibration:
// 2096.064 MHz" or "tsc: Detected 2096.032 MHz processor"; 0 when the log has neither.
double KernelLogTscMhz() {
  FILE* log = ::popen("dmesg 2>/dev/null", "r");
  if (log == nullptr) return 0;
  double detected = 0;
  double refined = 0;
  char line[512];
  while (std::fgets(line, sizeof(line), log) != nullptr) {
    const std::string text = line;
    if (const auto at = text.find("tsc: Refined TSC clocksource calibration: ");
        at != std::string::npos) {
      refined = std::atof(text.c_str() + at + 42);
    } else if (const auto detectedAt = text.find("tsc: Detected ");
               detectedAt != std::string::npos) {
      detected = std::atof(text.c_str() + detectedAt + 14);
    }
  }
  ::pclose(log);
  return refined > 0 ? refined : detected;
}

// The kernel's calibrated counter rate: TACHORA_TSC_MHZ when set, else the kernel log,
// else "cpu MHz" of /proc/cpuinfo (the counter's rate on machines with an invariant one).
double KernelTscMhz() {
  if (const char* given = std::getenv("TACHORA_TSC_MHZ")) return std::atof(given);
  if (const double logged = KernelLogTscMhz(); logged > 0) return logged;
  std::ifstream cpuinfo("/proc/cpuinfo");
  for (std::string line; std::getline(cpuinfo, line);) {
    if (line.starts_with("cpu MHz")) return std::stod(line.substr(line.find(':') + 1));
  }
  return 0;
}

void BM_MeasureClock(benchmark::State& state) {
  const double reference = KernelTscMhz();
  std::vector<double> errors;
  for (auto _ : state) {
    const double mhz = speedtest::MeasureClock();
    errors.push_back((mhz - reference) / reference * 1e6);
  }
  std::sort(errors.begin(), errors.end());
  state.counters["kernel_mhz"] = reference;
  state.counters["median_ppm"] = errors[errors.size() / 2];
  state.counters["min_ppm"] = errors.front();
  state.counters["max_ppm"] = errors.back();
}
BENCHMARK(BM_MeasureClock)->Iterations(20)->Unit(benchmark::kMillisecond);

// The core clock of every processor, each alone (argument 0) or all at once (1): the
// median of each processor's MHz over the runs, and its spread (highest less lowest).
void BM_CoreClocks(benchmark::State& state) {
  const bool underLoad = state.range(0) != 0;
  std::vector<std::vector<double>> mhz;
  for (auto _ : state) {
    const std::vector<speedtest::CoreClock> clocks =
        underLoad ? speedtest::MeasureCoreClocksUnderLoad() : speedtest::MeasureCoreClocks();
    for (const speedtest::CoreClock& clock : clocks) {
      if (mhz.size() <= clock.cpu) mhz.resize(clock.cpu + 1);
      mhz[clock.cpu].push_back(clock.mhz);
    }
  }
  for (size_t cpu = 0; cpu < mhz.size(); ++cpu) {
    std::vector<double>& runs = mhz[cpu];
    if (runs.empty()) continue;
    std::sort(runs.begin(), runs.end());
    const std::string name = "cpu" + std::to_string(cpu);
    state.counters[name + "_median_mhz"] = runs[runs.size() / 2];
    state.counters[name + "_spread_mhz"] = runs.back() - runs.front();
  }
}
BENCHMARK(BM_CoreClocks)->Arg(0)->Arg(1)->Iterations(10)->Unit(benchmark::kMillisecond);

}  // namespace
