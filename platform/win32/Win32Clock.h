// The machine's clocks on Windows: the counters and sleeps of platform/System.h, the
// loop's time from the performance counter, and periodic timers on the multimedia timer
// (timeSetEvent), whose callbacks come from the system's timer thread.
#pragma once

#include "platform/Clock.h"

namespace platform {

class Win32Clock : public Clock {
 public:
  int64_t PerformanceCounter() override;
  int64_t PerformanceFrequency() override;
  uint32_t TickCount() override;
  void SleepMs(uint32_t milliseconds) override;
  void SleepUntil(int64_t deadline) override;
  int64_t LoopTimeUs() override;
  std::unique_ptr<PeriodicTimer> StartPeriodic(uint32_t periodMs,
                                               std::function<void()> tick) override;
  PeriodicTimerCaps PeriodicCaps() override;
};

}  // namespace platform
