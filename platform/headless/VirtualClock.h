// A clock on virtual time for tests. It advances only when the code sleeps, waits for
// messages, or reads the counter or the tick count (a small fixed step per read), so a
// loop that polls the clock still ends, and every timestamp is reproducible.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/Clock.h"

namespace platform {

class VirtualClock : public Clock {
 public:
  static constexpr int64_t kFrequency = 10'000'000;  // counts of 100 ns, like most PCs
  static constexpr int64_t kDefaultReadStepNs = 10'000;

  VirtualClock();
  ~VirtualClock() override;

  int64_t PerformanceCounter() override;
  int64_t PerformanceFrequency() override { return kFrequency; }
  uint32_t TickCount() override;
  void SleepMs(uint32_t milliseconds) override;
  void SleepUntil(int64_t deadline) override;
  int64_t LoopTimeUs() override { return NowNs() / 1000; }
  std::unique_ptr<PeriodicTimer> StartPeriodic(uint32_t periodMs,
                                               std::function<void()> tick) override;
  PeriodicTimerCaps PeriodicCaps() override { return {}; }

  // For tests: the virtual time since the clock was made, without advancing it.
  int64_t NowNs() const;
  int64_t NowUs() const { return NowNs() / 1000; }
  double NowMs() const { return double(NowNs()) / 1e6; }
  // How far one read of the counter or tick count moves time.
  void SetReadStepNs(int64_t step);
  int64_t CounterReads() const;

  // Moves time forward to targetNs, calling the periodic timers that fall due on the way
  // in order of their due times. Stops early, right after a periodic call, when stop
  // returns true.
  void AdvanceTo(int64_t targetNs, const std::function<bool()>& stop = {});
  void AdvanceBy(int64_t ns) { AdvanceTo(NowNs() + ns); }
  // The due time of the next periodic call, or -1 when no periodic timer runs.
  int64_t NextPeriodicDueNs() const;

 private:
  struct Periodic;
  class Handle;
  void StepForRead();

  mutable std::recursive_mutex mutex_;
  int64_t now_ns_ = 0;
  int64_t read_step_ns_ = kDefaultReadStepNs;
  int64_t counter_reads_ = 0;
  bool in_periodic_ = false;
  std::vector<std::shared_ptr<Periodic>> periodic_;
};

}  // namespace platform
