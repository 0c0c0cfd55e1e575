#include "speedtest/ClockMeasurement.h"

#include <gtest/gtest.h>

#include <cstdint>

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
