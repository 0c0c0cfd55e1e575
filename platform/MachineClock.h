// The machine's clocks as far as every system shares them: the counters and sleeps of
// platform/System.h, and the loop's time read from the performance counter. Each desktop
// backend adds its own periodic timers.
#pragma once

#include "platform/Clock.h"

namespace platform {

class MachineClock : public Clock {
 public:
  int64_t PerformanceCounter() override;
  int64_t PerformanceFrequency() override;
  uint32_t TickCount() override;
  void SleepMs(uint32_t milliseconds) override;
  void SleepUntil(int64_t deadline) override;
  int64_t LoopTimeUs() override;
};

}  // namespace platform
