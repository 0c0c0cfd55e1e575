// The machine's clocks on Windows, with periodic timers on the multimedia timer
// (timeSetEvent), whose callbacks come from the system's timer thread.
#pragma once

#include "platform/MachineClock.h"

namespace platform {

class Win32Clock : public MachineClock {
 public:
  std::unique_ptr<PeriodicTimer> StartPeriodic(uint32_t periodMs,
                                               std::function<void()> tick) override;
  PeriodicTimerCaps PeriodicCaps() override;
};

}  // namespace platform
