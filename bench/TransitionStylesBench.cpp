// One frame of every transition style for the page area (650 x 220): the starting image
// copied into the frame, then the style's routine, as every step composes it. Each
// benchmark walks the progress through 4, 8, ... 96. At the end it prints the slowest
// style and the median; every style should stay well under 0.5 ms, so that a 25 ms step
// never waits on composing.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "NoiseBitmap.h"
#include "controls/TransitionStyles.h"

namespace {

constexpr int kWidth = 650;
constexpr int kHeight = 220;

gui::Bitmap Noise(uint32_t seed) {
  return bench::Noise(kWidth, kHeight, seed);
}

void OneFrame(benchmark::State& state, int style) {
  const gui::Bitmap old = Noise(1);
  const gui::Bitmap image = Noise(2);
  gui::Bitmap screen = old;
  const controls::TransitionRoutine routine = controls::TransitionRoutineOf(style);
  int progress = 4;
  for (auto _ : state) {
    std::memcpy(screen.Data(), old.Data(), size_t(kWidth) * kHeight * 4);
    const controls::ScaledExtent e = controls::ScaleByProgress(kWidth, kHeight, progress);
    routine(screen, image, kWidth, kHeight, e.x, e.y, progress);
    benchmark::DoNotOptimize(screen.Data());
    progress = progress == 96 ? 4 : progress + 4;
  }
}

// The copy alone, to tell the routines' own share.
void CopyOnly(benchmark::State& state) {
  const gui::Bitmap old = Noise(1);
  gui::Bitmap screen = old;
  for (auto _ : state) {
    std::memcpy(screen.Data(), old.Data(), size_t(kWidth) * kHeight * 4);
    benchmark::DoNotOptimize(screen.Data());
  }
}

// Prints as usual and keeps every style's time per frame, in microseconds: the wall
// clock's, and the processor's (which a busy machine inflates less).
class SummaryReporter : public benchmark::ConsoleReporter {
 public:
  struct Result {
    std::string name;
    double real;
    double cpu;
  };
  std::vector<Result> styles;

  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      const std::string name = run.benchmark_name();
      if (name.rfind("Style/", 0) != 0 || run.run_type != Run::RT_Iteration) continue;
      const double toMicroseconds = 1e6 / benchmark::GetTimeUnitMultiplier(run.time_unit);
      styles.push_back({name, run.GetAdjustedRealTime() * toMicroseconds,
                        run.GetAdjustedCPUTime() * toMicroseconds});
    }
  }
};

void PrintSummary(std::vector<SummaryReporter::Result> styles,
                  double SummaryReporter::Result::*time, const char* clock) {
  std::sort(styles.begin(), styles.end(),
            [time](const auto& a, const auto& b) { return a.*time < b.*time; });
  std::printf("%s time: median %.1f us a frame; slowest %s at %.1f us\n", clock,
              styles[styles.size() / 2].*time, styles.back().name.c_str(), styles.back().*time);
}

}  // namespace

int main(int argc, char** argv) {
  for (int style = 1; style <= controls::kStyleCount; ++style) {
    const std::string name =
        "Style/" + std::to_string(style) + " " + std::string(controls::TransitionStyleName(style));
    benchmark::RegisterBenchmark(name.c_str(), OneFrame, style)->Unit(benchmark::kMicrosecond);
  }
  benchmark::RegisterBenchmark("CopyOnly", CopyOnly)->Unit(benchmark::kMicrosecond);
  benchmark::Initialize(&argc, argv);
  SummaryReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  if (!reporter.styles.empty()) {
    std::printf("\n%zu styles, 650 x 220\n", reporter.styles.size());
    PrintSummary(reporter.styles, &SummaryReporter::Result::real, "Wall-clock");
    PrintSummary(reporter.styles, &SummaryReporter::Result::cpu, "Processor");
  }
  benchmark::Shutdown();
  return 0;
}
