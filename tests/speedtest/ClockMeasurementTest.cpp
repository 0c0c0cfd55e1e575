#include "speedtest/ClockMeasurement.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <map>
#include <vector>

#include "platform/CounterBracket.h"
#include "platform/System.h"

namespace speedtest {
namespace {

constexpr uint64_t kStart = 123456789;

TEST(ClockArithmetic, WholeTicksGiveWholeMhz) {
  const double mhz = MhzFromCounterReadings(kStart, kStart + 1'496'000'000);
  EXPECT_DOUBLE_EQ(mhz, 2992.0);
  EXPECT_EQ(WholeMhz(mhz), 2992);
}

TEST(ClockArithmetic, TruncatesInsteadOfRounding) {
  const double mhz = MhzFromCounterReadings(kStart, kStart + 1'499'999'999);
  EXPECT_DOUBLE_EQ(mhz, 2999.999998);
  EXPECT_EQ(WholeMhz(mhz), 2999);
}

TEST(ClockArithmetic, FewerTicksThanOneMhzGiveZero) {
  EXPECT_EQ(WholeMhz(MhzFromCounterReadings(kStart, kStart + 499'999)), 0);
  EXPECT_EQ(WholeMhz(MhzFromCounterReadings(kStart, kStart)), 0);
  EXPECT_EQ(WholeMhz(MhzFromCounterReadings(kStart, kStart + 500'000)), 1);
}

TEST(ClockArithmetic, CountsModuloTwoToThe32) {
  EXPECT_DOUBLE_EQ(MhzFromCounterReadings(kStart, kStart + 4'300'000'000), 10.065408);
  EXPECT_EQ(MhzFromCounterReadings(kStart, kStart + (uint64_t{1} << 32)), 0.0);
}

TEST(ClockArithmetic, CounterWrappingBetweenReadingsStillCounts) {
  const uint64_t t1 = UINT64_MAX - 1000;
  EXPECT_DOUBLE_EQ(MhzFromCounterReadings(t1, t1 + 1'496'000'000), 2992.0);
}

TEST(ClockArithmetic, HighBitsOfTheReadingsDoNotMatter) {
  const uint64_t t1 = (uint64_t{0x1234} << 32) | 0xFFFF0000;
  EXPECT_DOUBLE_EQ(MhzFromCounterReadings(t1, t1 + 1'496'000'000), 2992.0);
}

TEST(ClockArithmetic, TicksOverTheMeasuredInterval) {
  EXPECT_DOUBLE_EQ(MhzOverInterval(kStart, kStart + 1'496'000'000, 500'000), 2992.0);
  // A wake-up 80 ms late: the same rate, where 500 ms would make it 16 % too high.
  EXPECT_DOUBLE_EQ(MhzOverInterval(kStart, kStart + 1'735'360'000, 580'000), 2992.0);
  EXPECT_EQ(MhzOverInterval(kStart, kStart + 1000, 0), 0.0);
}

// Virtual time in nanoseconds. The time-stamp counter ticks at mhz; the performance
// counter counts at frequency. Every read takes readNs; a pause scripted after the n-th
// read (all reads counted from 1) stands for the thread being pre-empted right there.
class FakeClocks final : public platform::MeasurementClocks {
 public:
  explicit FakeClocks(double mhz, int64_t frequency = 1'000'000'000, uint64_t firstTick = kStart)
      : mhz_(mhz), frequency_(frequency), first_tick_(firstTick) {}

  int64_t PerformanceCounter() override {
    const auto count = static_cast<int64_t>(static_cast<long double>(ns_) * frequency_ / 1e9L);
    Read();
    return count;
  }
  int64_t PerformanceFrequency() override { return frequency_; }
  uint32_t TickCount() override { return static_cast<uint32_t>(ns_ / 1'000'000); }
  // The measurement raises its priority itself, around the whole measurement.
  void RaiseToTimeCritical() override {}
  uint64_t TimeStampCounter() override {
    const uint64_t ticks = first_tick_ + static_cast<uint64_t>(std::llround(ns_ * mhz_ / 1000.0));
    Read();
    return ticks;
  }
  void SleepMs(uint32_t milliseconds) override {
    ns_ += int64_t{milliseconds} * 1'000'000;
    slept_ms += milliseconds;
  }
  void SleepUntil(int64_t deadline) override {
    const auto deadlineNs =
        static_cast<int64_t>(std::ceil(static_cast<long double>(deadline) * 1e9L / frequency_));
    const int64_t late = wake_ups < static_cast<int>(late_wake_ups_ns.size())
                             ? late_wake_ups_ns[static_cast<size_t>(wake_ups)]
                             : 0;
    ++wake_ups;
    ns_ = std::max(ns_, deadlineNs) + late;
  }

  int64_t read_ns = 40;
  std::map<int, int64_t> pause_after_read_ns;
  std::vector<int64_t> late_wake_ups_ns;
  int reads = 0;
  int wake_ups = 0;
  uint32_t slept_ms = 0;

 private:
  void Read() {
    ++reads;
    ns_ += read_ns;
    if (const auto pause = pause_after_read_ns.find(reads); pause != pause_after_read_ns.end()) {
      ns_ += pause->second;
    }
  }

  double mhz_;
  int64_t frequency_;
  uint64_t first_tick_;
  int64_t ns_ = 1'000'000'000'000;
};

// Within this of the counter's true rate: the brackets' 40 ns reads and their rounding.
constexpr double kPpm = 1e-6;

TEST(TimedClockMeasurement, AQuietMachineGivesTheCounterRateInAbout510Ms) {
  FakeClocks clocks(2596.136);
  const ClockMeasurement m = MeasureClockTimed(clocks);
  EXPECT_NEAR(m.mhz, 2596.136, 2596.136 * 0.1 * kPpm);
  EXPECT_TRUE(m.timed);
  EXPECT_EQ(m.attempts, 1);
  EXPECT_EQ(clocks.slept_ms, 10u);
  EXPECT_NEAR(m.intervalUs, 500'000, 1);
  EXPECT_LT(m.uncertaintyUs, 0.2);
  // What the fixed divisor makes of the same interval: the same rate.
  EXPECT_NEAR(m.mhz * m.intervalUs / kTicksPerMhz, m.mhz, m.mhz * kPpm);
}

TEST(TimedClockMeasurement, ALateWakeUpLengthensTheIntervalNotTheRate) {
  for (const int64_t lateNs : {int64_t{20'000}, int64_t{3'000'000}, int64_t{95'000'000}}) {
    FakeClocks clocks(2695.0);
    clocks.late_wake_ups_ns = {lateNs};
    const ClockMeasurement m = MeasureClockTimed(clocks);
    EXPECT_NEAR(m.mhz, 2695.0, 2695.0 * 0.1 * kPpm) << lateNs << " ns late";
    EXPECT_NEAR(m.lateUs, static_cast<double>(lateNs) / 1000, 1) << lateNs << " ns late";
    EXPECT_NEAR(m.intervalUs, 500'000 + static_cast<double>(lateNs) / 1000, 1);
    EXPECT_TRUE(m.timed);
    EXPECT_EQ(m.attempts, 1);
  }
}

TEST(TimedClockMeasurement, AnEndTooLateIsTakenAgain) {
  FakeClocks clocks(2695.0);
  clocks.late_wake_ups_ns = {150'000'000};
  const ClockMeasurement m = MeasureClockTimed(clocks);
  EXPECT_EQ(m.attempts, 2);
  EXPECT_EQ(clocks.wake_ups, 2);
  EXPECT_TRUE(m.timed);
  EXPECT_NEAR(m.intervalUs, 500'000, 1);
  EXPECT_NEAR(m.mhz, 2695.0, 2695.0 * 0.1 * kPpm);
}

// A pause after any one read of the first twenty: in the start's brackets, between them,
// or in the end's. The bracket it falls in is wide, and a tighter one is taken.
TEST(TimedClockMeasurement, APreemptionInsideABracketIsSeenAndAvoided) {
  for (int read = 1; read <= 20; ++read) {
    FakeClocks clocks(3203.0);
    clocks.pause_after_read_ns[read] = 4'000'000;
    const ClockMeasurement m = MeasureClockTimed(clocks);
    EXPECT_NEAR(m.mhz, 3203.0, 3203.0 * 0.1 * kPpm) << "pause after read " << read;
    EXPECT_LT(m.uncertaintyUs, 0.2) << "pause after read " << read;
    EXPECT_TRUE(m.timed) << "pause after read " << read;
  }
}

// Every bracket pre-empted: the interval cannot be timed, it is taken again, and the
// result, though the best there was, says so and how far it may be off.
TEST(TimedClockMeasurement, AnIntervalThatCannotBeTimedIsTakenAgainAndSaysSo) {
  class Preempted final : public platform::MeasurementClocks {
   public:
    int64_t PerformanceCounter() override { return ns_ += 10'000; }  // 10 us a read
    int64_t PerformanceFrequency() override { return 1'000'000'000; }
    uint32_t TickCount() override { return static_cast<uint32_t>(ns_ / 1'000'000); }
    void RaiseToTimeCritical() override {}
    uint64_t TimeStampCounter() override { return static_cast<uint64_t>(ns_ * 3); }
    void SleepMs(uint32_t milliseconds) override { ns_ += int64_t{milliseconds} * 1'000'000; }
    void SleepUntil(int64_t deadline) override {
      ++wake_ups;
      ns_ = std::max(ns_, deadline);
    }
    int wake_ups = 0;

   private:
    int64_t ns_ = 0;
  } clocks;
  const ClockMeasurement m = MeasureClockTimed(clocks);
  EXPECT_FALSE(m.timed);
  EXPECT_EQ(m.attempts, kMeasurementAttempts);
  EXPECT_EQ(clocks.wake_ups, kMeasurementAttempts);
  EXPECT_GT(m.uncertaintyUs, kWidestUncertaintyUs);
  EXPECT_LE(std::abs(m.mhz - 3000.0), 3000.0 * m.uncertaintyUs / m.intervalUs);
}

TEST(TimedClockMeasurement, ACounterThatWrapsStillCounts) {
  for (const uint64_t first : {UINT64_MAX - 1'000'000'000, (uint64_t{7} << 32) - 50'000}) {
    FakeClocks clocks(2992.0, 1'000'000'000, first);
    EXPECT_NEAR(MeasureClockTimed(clocks).mhz, 2992.0, 2992.0 * 0.1 * kPpm) << first;
  }
  // Over 2^32 ticks in 500 ms: the low 32 bits, as the fixed divisor counts them.
  FakeClocks fast(8600.0);
  EXPECT_NEAR(MeasureClockTimed(fast).mhz, 10.065408, 0.01);
}

TEST(TimedClockMeasurement, ATenMegahertzPerformanceCounterTimesToAFewTenthsOfAPpm) {
  for (const int64_t readNs : {int64_t{25}, int64_t{300}}) {
    FakeClocks clocks(2596.136, 10'000'000);
    clocks.read_ns = readNs;
    const ClockMeasurement m = MeasureClockTimed(clocks);
    EXPECT_TRUE(m.timed) << readNs;
    EXPECT_NEAR(m.mhz, 2596.136, 2596.136 * 0.5 * kPpm) << readNs;
  }
}

TEST(TimedClockMeasurement, WithoutAPerformanceCounterTheSleepIsTakenForExactly500Ms) {
  FakeClocks clocks(2992.0, 0);
  const ClockMeasurement m = MeasureClockTimed(clocks);
  EXPECT_EQ(clocks.slept_ms, 510u);
  EXPECT_FALSE(m.timed);
  EXPECT_NEAR(m.mhz, 2992.0, 0.001);
}

TEST(CounterBracket, TheTightestOfAFewAndMoreWhileNoneIsTightEnough) {
  FakeClocks clocks(1000.0);
  clocks.pause_after_read_ns = {{1, 5000}, {4, 5000}, {7, 5000}, {10, 5000}};
  const platform::CounterReading reading = platform::TightestReading(clocks, 1000);
  EXPECT_EQ(clocks.reads, 15);  // five brackets: the fifth is the first under 1 us
  EXPECT_EQ(reading.Span(), 81);
  const platform::CounterReading loose = platform::TightestReading(clocks, 1'000'000);
  EXPECT_EQ(clocks.reads, 15 + 3 * platform::kLeastBrackets);
  EXPECT_EQ(loose.Span(), 81);
}

// One real measurement: a rate, and the priorities the process and the thread had are
// back afterwards.
TEST(ClockMeasurement, MeasuresARateAndRestoresPriorities) {
  const platform::ProcessPriority process = platform::CurrentProcessPriority();
  const platform::ThreadPriority thread = platform::CurrentThreadPriority();

  EXPECT_GT(WholeMhz(MeasureClock()), 0);

  EXPECT_EQ(platform::CurrentProcessPriority().value, process.value);
  EXPECT_EQ(platform::CurrentThreadPriority().policy, thread.policy);
  EXPECT_EQ(platform::CurrentThreadPriority().value, thread.value);
}

}  // namespace
}  // namespace speedtest
