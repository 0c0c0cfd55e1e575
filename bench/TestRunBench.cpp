// The real duration of a whole test run, from StartTest to the result dialog, against
// its nominal length: 1.5 s + 1.22 s + 2 s + 0.02 s x ceil(M / 15) + 2 s.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>

#include "bench/WindowlessBackend.h"
#include "gui/Application.h"
#include "speedtest/ClockMeasurement.h"
#include "speedtest/TestRun.h"

namespace {

// Draws nothing; notes when the dialog would open.
class NullView : public speedtest::TestRunView {
 public:
  explicit NullView(gui::Application& app) : app_(app) {}
  void SetPercentGauge(float) override {}
  void SetPercentDisplay(const std::string&) override {}
  void SetMhzGauge(float) override {}
  void SetMhzDisplay(const std::string&) override {}
  void SetStageReached(speedtest::Stage, bool) override {}
  void RepaintStage(speedtest::Stage) override {}
  void SetSpeedCaption(const std::string&) override {}
  bool SpeedLit() const override { return false; }
  void SetSpeedLit(bool) override {}
  void RepaintSpeedLabel() override {}
  void StartMedalTransition() override {}
  void ShowTestAgain() override {}
  void ShowResultDialog(const std::string&) override {
    dialog_at = std::chrono::steady_clock::now();
    dialog_shown = true;
  }
  void ProcessMessages() override { app_.ProcessMessages(); }

  bool dialog_shown = false;
  std::chrono::steady_clock::time_point dialog_at;

 private:
  gui::Application& app_;
};

double NominalSeconds(int32_t mhz) {
  const int32_t mhzTicks = mhz <= 0 ? 1 : (mhz + 14) / 15;
  return 1.5 + 1.22 + 2.0 + 0.02 * mhzTicks + 2.0;
}

void BM_WholeTestRun(benchmark::State& state) {
  const auto mhz = static_cast<int32_t>(state.range(0));
  double worst = 0;
  for (auto _ : state) {
    bench::WindowlessBackend backend;
    gui::Application app(backend);
    NullView view(app);
    speedtest::TestRun run(view, mhz, [] { return 50; });
    const auto start = std::chrono::steady_clock::now();
    run.StartTest();
    while (!view.dialog_shown) {
      app.WaitForWork();
      app.ProcessMessages();
    }
    const double seconds = std::chrono::duration<double>(view.dialog_at - start).count();
    state.SetIterationTime(seconds);
    const double error = (seconds - NominalSeconds(mhz)) / NominalSeconds(mhz) * 100;
    if (std::abs(error) > std::abs(worst)) worst = error;
  }
  state.counters["nominal_s"] = NominalSeconds(mhz);
  state.counters["worst_error_pct"] = worst;
}
BENCHMARK(BM_WholeTestRun)
    ->Arg(3000)
    ->Iterations(3)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace
