// The machine's clocks with periodic timers that call back from a thread of their own,
// each period sleeping to an absolute deadline so the steps do not drift.
#pragma once

#include "platform/MachineClock.h"

namespace platform {

class SystemClock : public MachineClock {
 public:
  std::unique_ptr<PeriodicTimer> StartPeriodic(uint32_t periodMs,
                                               std::function<void()> tick) override;
  PeriodicTimerCaps PeriodicCaps() override { return {}; }
};

}  // namespace platform
