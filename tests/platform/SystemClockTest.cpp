// The clocks and sleeps of the operating-system layer.
#include "platform/System.h"

#include <gtest/gtest.h>

namespace {

TEST(PerformanceCounter, HasAPositiveFrequency) {
  EXPECT_GT(platform::PerformanceFrequency(), 0);
}

TEST(PerformanceCounter, NeverRunsBackwards) {
  int64_t previous = platform::PerformanceCounter();
  for (int i = 0; i < 100000; ++i) {
    const int64_t now = platform::PerformanceCounter();
    ASSERT_GE(now, previous) << "read " << i;
    previous = now;
  }
}

TEST(PerformanceCounter, AdvancesAcrossASleep) {
  const int64_t before = platform::PerformanceCounter();
  platform::SleepMs(5);
  EXPECT_GT(platform::PerformanceCounter(), before);
}

TEST(TickCount, AdvancesAcrossASleep) {
  const uint32_t before = platform::TickCount();
  platform::SleepMs(50);
  // Unsigned difference: correct across the wrap.
  EXPECT_GT(static_cast<uint32_t>(platform::TickCount() - before), 0u);
}

TEST(TimeStampCounter, AdvancesAcrossASleep) {
  const uint64_t before = platform::ReadTimeStampCounter();
  platform::SleepMs(5);
  EXPECT_GT(platform::ReadTimeStampCounter(), before);
}

// The deadline is the whole contract: the counter has reached it on return.
TEST(SleepUntil, NeverReturnsBeforeTheDeadline) {
  const int64_t frequency = platform::PerformanceFrequency();
  for (const int64_t microseconds : {0, 1, 100, 1000, 2500, 15000, 40000}) {
    const int64_t deadline = platform::PerformanceCounter() + frequency * microseconds / 1000000;
    platform::SleepUntil(deadline);
    EXPECT_GE(platform::PerformanceCounter(), deadline) << microseconds << " us";
  }
}

TEST(SleepUntil, ReturnsForADeadlineAlreadyPassed) {
  const int64_t now = platform::PerformanceCounter();
  platform::SleepUntil(now - platform::PerformanceFrequency());
  platform::SleepUntil(0);
  EXPECT_GE(platform::PerformanceCounter(), now);
}

TEST(SleepUntil, SpinsThroughAFractionOfAMillisecond) {
  // Deadlines closer than any timer period must still be honoured exactly.
  const int64_t step = platform::PerformanceFrequency() / 5000;  // 200 us
  int64_t deadline = platform::PerformanceCounter();
  for (int i = 0; i < 20; ++i) {
    deadline += step;
    platform::SleepUntil(deadline);
    ASSERT_GE(platform::PerformanceCounter(), deadline) << "step " << i;
  }
}

TEST(Memory, ReportsInstalledMemory) {
  // Every machine this runs on has more than 16 MB.
  EXPECT_GT(platform::TotalPhysicalMemory(), uint64_t{16} << 20);
}

}  // namespace
