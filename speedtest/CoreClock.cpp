#include "speedtest/CoreClock.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <optional>
#include <system_error>
#include <thread>

#include "cpuinfo/Information.h"
#include "platform/CounterBracket.h"
#include "platform/System.h"
#include "speedtest/RaisedPriority.h"

namespace speedtest {
namespace {

constexpr uint64_t kFirstProbeBlocks = 2000;
// A probe that never lasts a millisecond stops doubling here (a clock that stands still).
constexpr uint64_t kLongestProbeBlocks = uint64_t{1} << 24;
constexpr double kProbeSeconds = 0.001;
constexpr double kLapSeconds = 0.00005;
// The counter's rate across the laps is timed to within this (2 us in 15 ms or more:
// 130 ppm at most, a tenth of a MHz).
constexpr double kWidestUncertaintyUs = 2;

ChainTiming TimeChain(ChainBench& bench, uint64_t blocks) {
  ChainTiming run;
  run.additions = blocks * kChainBlock;
  run.frequency = bench.PerformanceFrequency();
  const int64_t start = bench.PerformanceCounter();
  const uint64_t t1 = bench.TimeStampCounter();
  bench.RunChain(blocks);
  const uint64_t t2 = bench.TimeStampCounter();
  run.counts = bench.PerformanceCounter() - start;
  run.ticks = t2 - t1;
  return run;
}

std::vector<uint32_t> AllowedProcessors() {
  const uint32_t mask = platform::ProcessAffinity();
  std::vector<uint32_t> processors;
  for (uint32_t cpu = 0; cpu < 32; ++cpu) {
    if (mask & (uint32_t{1} << cpu)) processors.push_back(cpu);
  }
  return processors;
}

// Binds the calling thread to one processor while it lives.
class BoundThread {
 public:
  explicit BoundThread(uint32_t cpu) : previous_(platform::SetThreadAffinity(uint32_t{1} << cpu)) {
    platform::YieldProcessor();
  }
  ~BoundThread() {
    if (previous_ != 0) platform::SetThreadAffinity(previous_);
  }
  BoundThread(const BoundThread&) = delete;
  BoundThread& operator=(const BoundThread&) = delete;
  bool Bound() const { return previous_ != 0; }

 private:
  uint32_t previous_;
};

// Lets a group of threads start together: each waits until all have arrived. A mutex and a
// condition variable rather than std::latch, whose wait loses a wake-up now and then with
// mingw-w64's GCC 12 library (about one --load run in four hung under wine).
class StartGate {
 public:
  explicit StartGate(size_t count) : waiting_(count) {}
  void ArriveAndWait() {
    std::unique_lock lock(mutex_);
    if (--waiting_ == 0) {
      open_.notify_all();
      return;
    }
    open_.wait(lock, [this] { return waiting_ == 0; });
  }
  void Leave() {
    const std::lock_guard lock(mutex_);
    if (--waiting_ == 0) open_.notify_all();
  }

 private:
  std::mutex mutex_;
  std::condition_variable open_;
  size_t waiting_;
};

CoreClock CoreClockOf(uint32_t cpu, const ChainTiming& run) {
  return CoreClock{cpu, ChainMhz(run), CounterRatio(run)};
}

}  // namespace

double ChainMhz(const ChainTiming& run) {
  if (run.counts <= 0 || run.frequency <= 0) return 0;
  const double seconds = static_cast<double>(run.counts) / static_cast<double>(run.frequency);
  return static_cast<double>(run.additions) / seconds / 1e6;
}

double CounterRatio(const ChainTiming& run) {
  if (run.ticks == 0) return 0;
  return static_cast<double>(run.additions) / static_cast<double>(run.ticks);
}

ChainTiming TimeFastestChain(ChainBench& bench) {
  const int64_t frequency = bench.PerformanceFrequency();
  uint64_t blocks = kFirstProbeBlocks;
  ChainTiming probe = TimeChain(bench, blocks);
  // The fastest probe sizes the laps: a pre-empted one would make them needlessly short.
  double blocksPerCount = 0;
  for (;;) {
    if (probe.counts > 0) {
      blocksPerCount =
          std::max(blocksPerCount, static_cast<double>(blocks) / static_cast<double>(probe.counts));
    }
    if (static_cast<double>(probe.counts) >= static_cast<double>(frequency) * kProbeSeconds ||
        blocks >= kLongestProbeBlocks) {
      break;
    }
    blocks *= 2;
    probe = TimeChain(bench, blocks);
  }
  if (probe.counts <= 0) return probe;
  const auto lapBlocks = std::max<uint64_t>(
      1, static_cast<uint64_t>(blocksPerCount * static_cast<double>(frequency) * kLapSeconds));

  const int64_t widestSpan = platform::SpanWithin(frequency, kWidestUncertaintyUs);
  const platform::CounterReading start = platform::TightestReading(bench, widestSpan);
  std::array<uint64_t, kChainLaps + 1> lapEnds{};
  lapEnds[0] = bench.TimeStampCounter();
  for (size_t lap = 1; lap < lapEnds.size(); ++lap) {
    bench.RunChain(lapBlocks);
    lapEnds[lap] = bench.TimeStampCounter();
  }
  const platform::CounterReading end = platform::TightestReading(bench, widestSpan);
  const platform::TimedTicks across = platform::Between(start, end);
  if (across.counts <= 0 || across.ticks == 0) return {};

  std::array<uint64_t, kChainLaps> laps{};
  for (size_t lap = 0; lap < laps.size(); ++lap) laps[lap] = lapEnds[lap + 1] - lapEnds[lap];
  const auto fastest = static_cast<double>(*std::min_element(laps.begin(), laps.end()));
  ChainTiming kept;
  kept.frequency = frequency;
  for (const uint64_t lap : laps) {
    if (static_cast<double>(lap) > fastest * kSlowestKeptLap) continue;
    kept.additions += lapBlocks * kChainBlock;
    kept.ticks += lap;
  }
  const double countsPerTick = across.counts / static_cast<double>(across.ticks);
  kept.counts = std::llround(static_cast<double>(kept.ticks) * countsPerTick);
  return kept;
}

std::vector<CoreClock> MeasureCoreClocks(ChainBench& bench) {
  std::vector<CoreClock> clocks;
  const RaisedPriority raised;
  for (const uint32_t cpu : AllowedProcessors()) {
    const BoundThread bound(cpu);
    if (bound.Bound()) clocks.push_back(CoreClockOf(cpu, TimeFastestChain(bench)));
  }
  return clocks;
}

std::vector<CoreClock> MeasureCoreClocksUnderLoad(ChainBench& bench) {
  const std::vector<uint32_t> processors = AllowedProcessors();
  std::vector<std::optional<CoreClock>> measured(processors.size());
  {
    const RaisedPriority raised;
    // The chains start together, so each one runs while every other core is busy.
    StartGate start(processors.size());
    std::vector<std::jthread> threads;
    for (size_t i = 0; i < processors.size(); ++i) {
      try {
        threads.emplace_back([&, i] {
          const BoundThread bound(processors[i]);
          platform::RaiseThreadPriorityToTimeCritical();
          start.ArriveAndWait();
          if (bound.Bound()) measured[i] = CoreClockOf(processors[i], TimeFastestChain(bench));
        });
      } catch (const std::system_error&) {
        start.Leave();  // no thread for this processor: the others must not wait for it
      }
    }
  }
  std::vector<CoreClock> clocks;
  for (const std::optional<CoreClock>& clock : measured) {
    if (clock) clocks.push_back(*clock);
  }
  return clocks;
}

bool DoubleSpeedAdders(uint8_t processor) {
  const cpuinfo::Ref<cpuinfo::IProcessorInformation> info =
      cpuinfo::CpuInstance().Information(processor);
  return info->Vendor()->Index() == cpuinfo::kVendorIntel &&
         info->Signature()->Family()->Value()->Value() == 15;
}

}  // namespace speedtest
