// What tachora-info's report costs without the process around it: the library's answers
// for processor 0 on this machine, and the JSON written from them.
#include <benchmark/benchmark.h>

#include "cpuinfo/Processor.h"
#include "platform/System.h"
#include "tools/InfoReport.h"
#include "tools/ReportFormats.h"

namespace {

void BM_CollectReport(benchmark::State& state) {
  cpuinfo::InitializeLibrary();
  for (auto _ : state) benchmark::DoNotOptimize(tools::CollectReport(false));
}
BENCHMARK(BM_CollectReport)->Unit(benchmark::kMillisecond);

void BM_RenderJson(benchmark::State& state) {
  const tools::InfoReport report = tools::CollectReport(false);
  for (auto _ : state) benchmark::DoNotOptimize(tools::RenderJson(report));
}
BENCHMARK(BM_RenderJson)->Unit(benchmark::kMicrosecond);

// Asked by every bound leaf.
void BM_ProcessorCount(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(platform::ProcessorCount());
}
BENCHMARK(BM_ProcessorCount);

}  // namespace
