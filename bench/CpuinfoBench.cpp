// What the library's questions cost: on this processor (every leaf bound to its
// processor on a multi-processor machine) and on a recorded one (no binding).
#include <benchmark/benchmark.h>

#include <string>

#include "cpuinfo/Information.h"

namespace {

using namespace cpuinfo;

void AskEverything() {
  const Ref<IProcessorInformation> info = CpuInstance().Information(0);
  benchmark::DoNotOptimize(info->Name()->Name());
  benchmark::DoNotOptimize(info->Cache()->Level2()->Size()->Value());
  const Ref<ICpuFeatureSet> standard = info->Features()->Standard();
  for (uint8_t bit = 0; bit < 32; ++bit) {
    benchmark::DoNotOptimize(standard->ByBit(bit)->Available()->Value());
  }
}

void BM_LiveLeaf(benchmark::State& state) {
  InitializeLibrary();
  for (auto _ : state) benchmark::DoNotOptimize(ExecuteLeaf(0, 1)->Eax()->Value());
}
BENCHMARK(BM_LiveLeaf);

void BM_LiveQuestions(benchmark::State& state) {
  for (auto _ : state) AskEverything();
}
BENCHMARK(BM_LiveQuestions)->Unit(benchmark::kMicrosecond);

void BM_ReplayedQuestions(benchmark::State& state) {
  ReplayCpuidSource source(LoadCpuidDump(std::string(TACHORA_SOURCE_DIR) +
                                         "/tests/data/cpuid-dumps/intel-p4-northwood-0f29.cpuid"));
  const ScopedCpuidSource installed(source);
  for (auto _ : state) AskEverything();
}
BENCHMARK(BM_ReplayedQuestions)->Unit(benchmark::kMicrosecond);

void BM_SpeedMeasurement(benchmark::State& state) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(CpuInstance().Information(0)->Speed()->RawSpeed()->Value());
  }
}
BENCHMARK(BM_SpeedMeasurement)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
