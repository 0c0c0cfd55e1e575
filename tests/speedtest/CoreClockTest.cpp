// The core clock: its arithmetic on a fake chain and fake clocks, the binding of each
// processor, and one live measurement on this machine.
#include "speedtest/CoreClock.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "cpuinfo/Information.h"
#include "platform/System.h"

namespace speedtest {
namespace {

// Virtual time, per thread, so that every measuring thread has its own core. running is
// the time the thread has run; ns also counts the time it waited.
struct FakeClock {
  int runs = 0;
  double ns = 0;
  double ticks = 0;
  double running = 0;
};
thread_local FakeClock virtualTime;

// A core that runs the chain at coreMhz(n) additions a microsecond during its n-th run,
// timed by a nanosecond counter and a time-stamp counter at counterMhz. With a time slice,
// the thread is pre-empted for waitNs each time it has run sliceNs, as when it shares its
// processor with busier threads.
class FakeChain final : public ChainBench {
 public:
  using Speed = std::function<double(int run)>;
  FakeChain(Speed coreMhz, double counterMhz, double sliceNs = 0, double waitNs = 0)
      : coreMhz_(std::move(coreMhz)),
        counterMhz_(counterMhz),
        slice_ns_(sliceNs),
        wait_ns_(waitNs) {}

  void RunChain(uint64_t blocks) override {
    const double ns =
        static_cast<double>(blocks * kChainBlock) / coreMhz_(virtualTime.runs++) * 1000;
    double waited = 0;
    if (slice_ns_ > 0) {
      waited = wait_ns_ * (std::floor((virtualTime.running + ns) / slice_ns_) -
                           std::floor(virtualTime.running / slice_ns_));
    }
    last_blocks = blocks;
    virtualTime.running += ns;
    virtualTime.ns += ns + waited;
    virtualTime.ticks += (ns + waited) * counterMhz_ / 1000;
  }
  int64_t PerformanceCounter() override { return static_cast<int64_t>(virtualTime.ns); }
  int64_t PerformanceFrequency() override { return 1'000'000'000; }
  uint64_t TimeStampCounter() override { return static_cast<uint64_t>(virtualTime.ticks); }
  uint64_t LapAdditions() const { return last_blocks * kChainBlock; }
  uint64_t last_blocks = 0;

 private:
  Speed coreMhz_;
  double counterMhz_;
  double slice_ns_;
  double wait_ns_;
};

class FakeChainTest : public ::testing::Test {
 protected:
  void SetUp() override { virtualTime = {}; }
};

double Steady(int) {
  return 3641.2;
}

TEST(CoreClockArithmetic, AdditionsPerMicrosecondAndPerCounterTick) {
  // 364,120,000 additions in 100 ms while the counter ticked 260,085,714 times.
  const ChainTiming run{364'120'000, 100'000'000, 1'000'000'000, 260'085'714};
  EXPECT_NEAR(ChainMhz(run), 3641.2, 1e-9);
  EXPECT_NEAR(CounterRatio(run), 1.4, 1e-8);
  // The same run on a 10 MHz performance counter.
  EXPECT_NEAR(ChainMhz({364'120'000, 1'000'000, 10'000'000, 260'085'714}), 3641.2, 1e-9);
}

TEST(CoreClockArithmetic, ARunThatTookNoTimeGivesZero) {
  EXPECT_EQ(ChainMhz({1000, 0, 1'000'000'000, 5}), 0.0);
  EXPECT_EQ(ChainMhz({1000, 10, 0, 5}), 0.0);
  EXPECT_EQ(CounterRatio({1000, 10, 1'000'000'000, 0}), 0.0);
}

TEST_F(FakeChainTest, ASteadyCoreGivesItsClockAndRatio) {
  FakeChain chain(Steady, 2600.857);
  const ChainTiming run = TimeFastestChain(chain);
  EXPECT_NEAR(ChainMhz(run), 3641.2, 0.01);
  EXPECT_NEAR(CounterRatio(run), 3641.2 / 2600.857, 1e-6);
  EXPECT_EQ(run.additions % kChainBlock, 0u);
}

// A core climbing to its boost clock through the probes and the first laps, then steady:
// the laps at the top count, those on the way up do not.
TEST_F(FakeChainTest, TheFastestLapsAreKept) {
  FakeChain chain([](int run) { return std::min(3400.0, 1000.0 + 40.0 * run); }, 2000);
  const ChainTiming run = TimeFastestChain(chain);
  EXPECT_EQ(virtualTime.runs, 4 + kChainLaps);  // probes of 2000 to 16000 blocks
  EXPECT_NEAR(ChainMhz(run), 3400.0, 3400.0 * (kSlowestKeptLap - 1));
  EXPECT_GT(ChainMhz(run), 3390.0);
  EXPECT_NEAR(CounterRatio(run), 1.7, 0.002);
}

// A thread that runs 3 ms in every 15 (four busy threads on its processor, none of them
// giving way): laps cut by a pre-emption are dropped, the rest give the core's clock.
// Runs of 3.5 ms would each have been cut, the fastest reading about a fifth of it.
TEST_F(FakeChainTest, LapsCutByAPreemptionAreNotCounted) {
  for (const double waitNs : {12e6, 100e3, 5e3}) {
    virtualTime = {};
    FakeChain chain(Steady, 2596.136, 3e6, waitNs);
    const ChainTiming run = TimeFastestChain(chain);
    EXPECT_NEAR(ChainMhz(run), 3641.2, 0.01) << waitNs << " ns waits";
    EXPECT_NEAR(CounterRatio(run), 3641.2 / 2596.136, 1e-6) << waitNs << " ns waits";
    EXPECT_GT(run.additions, kChainLaps * 9 / 10 * chain.LapAdditions());
  }
}

// Interrupts of 4 us every 200 us of running: one lap in four cut, never counted.
TEST_F(FakeChainTest, LapsCutByAnInterruptAreNotCounted) {
  FakeChain chain(Steady, 2596.136, 200e3, 4e3);
  EXPECT_NEAR(ChainMhz(TimeFastestChain(chain)), 3641.2, 0.01);
}

TEST_F(FakeChainTest, AboutTwentyMillisecondsWhateverTheSpeed) {
  for (const double mhz : {33.0, 1000.0, 6000.0}) {
    virtualTime = {};
    FakeChain chain([mhz](int) { return mhz; }, 1000);
    EXPECT_NEAR(ChainMhz(TimeFastestChain(chain)), mhz, 0.01);
    EXPECT_GT(virtualTime.ns, 15e6) << mhz << " MHz";
    EXPECT_LT(virtualTime.ns, 25e6) << mhz << " MHz";
  }
}

TEST_F(FakeChainTest, AClockThatStandsStillEndsWithZero) {
  class StoppedClock final : public ChainBench {
   public:
    void RunChain(uint64_t blocks) override { chained += blocks; }
    int64_t PerformanceCounter() override { return 42; }
    int64_t PerformanceFrequency() override { return 1'000'000'000; }
    uint64_t TimeStampCounter() override { return 7; }
    uint64_t chained = 0;
  } stopped;
  EXPECT_EQ(ChainMhz(TimeFastestChain(stopped)), 0.0);
  EXPECT_LT(stopped.chained, uint64_t{1} << 26);
}

std::vector<uint32_t> AllowedProcessors() {
  std::vector<uint32_t> processors;
  const uint32_t mask = platform::ProcessAffinity();
  for (uint32_t cpu = 0; cpu < 32; ++cpu) {
    if (mask & (uint32_t{1} << cpu)) processors.push_back(cpu);
  }
  return processors;
}

std::vector<uint32_t> CpusOf(const std::vector<CoreClock>& clocks) {
  std::vector<uint32_t> cpus;
  for (const CoreClock& clock : clocks) cpus.push_back(clock.cpu);
  return cpus;
}

// The fake chain on the real binding: every processor once, in order, and the thread's
// binding and priorities as they were afterwards.
TEST_F(FakeChainTest, EachProcessorInTurnThenAllAtOnce) {
  FakeChain chain(Steady, 2600.857);
  const uint32_t mask = platform::ProcessAffinity();
  const platform::ProcessPriority process = platform::CurrentProcessPriority();
  const platform::ThreadPriority thread = platform::CurrentThreadPriority();
  for (const bool underLoad : {false, true}) {
    const std::vector<CoreClock> clocks =
        underLoad ? MeasureCoreClocksUnderLoad(chain) : MeasureCoreClocks(chain);
    EXPECT_EQ(CpusOf(clocks), AllowedProcessors()) << underLoad;
    for (const CoreClock& clock : clocks) {
      EXPECT_NEAR(clock.mhz, 3641.2, 0.01);
      EXPECT_NEAR(clock.counterRatio, 1.4, 0.001);
    }
    EXPECT_EQ(platform::ProcessAffinity(), mask);
    EXPECT_EQ(platform::SetThreadAffinity(mask), mask) << "the thread's own binding is back";
    EXPECT_EQ(platform::CurrentProcessPriority().value, process.value);
    EXPECT_EQ(platform::CurrentThreadPriority().policy, thread.policy);
    EXPECT_EQ(platform::CurrentThreadPriority().value, thread.value);
  }
}

// The real chain on this machine. A working measurement lies well within these bounds on
// any core; a chain the compiler folded would show thousands of times the counter's rate.
TEST(CoreClockOnThisMachine, IsWithinAThirdAndThreeTimesTheCounterRate) {
  for (const bool underLoad : {false, true}) {
    const std::vector<CoreClock> clocks =
        underLoad ? MeasureCoreClocksUnderLoad() : MeasureCoreClocks();
    ASSERT_EQ(clocks.size(), static_cast<size_t>(std::popcount(platform::ProcessAffinity())));
    for (const CoreClock& clock : clocks) {
      EXPECT_GT(clock.counterRatio, 0.3) << "cpu " << clock.cpu << ", load " << underLoad;
      EXPECT_LT(clock.counterRatio, 3.0) << "cpu " << clock.cpu << ", load " << underLoad;
      EXPECT_GT(clock.mhz, 1.0) << "cpu " << clock.cpu;
    }
  }
}

TEST(DoubleSpeedAdders, OnlyIntelsFamilyFifteen) {
  for (const auto& [dump, expected] :
       std::vector<std::pair<std::string, bool>>{{"intel-p4-northwood-0f29.cpuid", true},
                                                 {"amd-athlon64-venice-20ff0.cpuid", false},
                                                 {"intel-core2-penryn-10676.cpuid", false},
                                                 {"intel-p3-katmai-0673.cpuid", false}}) {
    cpuinfo::ReplayCpuidSource source(cpuinfo::LoadCpuidDump(std::string(TACHORA_SOURCE_DIR) +
                                                             "/tests/data/cpuid-dumps/" + dump));
    const cpuinfo::ScopedCpuidSource installed(source);
    EXPECT_EQ(DoubleSpeedAdders(0), expected) << dump;
  }
}

}  // namespace
}  // namespace speedtest
