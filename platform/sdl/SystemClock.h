// The machine's clocks: the counters and sleeps of platform/System.h, and periodic
// timers that call back from a thread of their own, each period sleeping to an absolute
// deadline so the steps do not drift.
#pragma once

#include "platform/Clock.h"

namespace platform {

class SystemClock : public Clock {
 public:
  int64_t PerformanceCounter() override;
  int64_t PerformanceFrequency() override;
  uint32_t TickCount() override;
  void SleepMs(uint32_t milliseconds) override;
  void SleepUntil(int64_t deadline) override;
  int64_t LoopTimeUs() override;
  std::unique_ptr<PeriodicTimer> StartPeriodic(uint32_t periodMs,
                                               std::function<void()> tick) override;
  PeriodicTimerCaps PeriodicCaps() override { return {}; }
};

}  // namespace platform
