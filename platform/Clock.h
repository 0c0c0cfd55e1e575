// The clocks the program runs on: the high-resolution counter, the tick count, sleeps
// and a periodic timer service. The desktop backends use the machine's clocks; the
// headless backend a virtual clock that moves only when the code waits or polls. The
// processor-rate measurements read the same counters, with the time-stamp counter.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

namespace platform {

// A running periodic timer; destroying it stops it. Stop() may be called from the
// timer's own callback; called from elsewhere it returns only after a callback still
// running has finished.
class PeriodicTimer {
 public:
  virtual ~PeriodicTimer() = default;
  virtual void Stop() = 0;
};

// The limits of the periodic timer service, in milliseconds.
struct PeriodicTimerCaps {
  uint32_t minPeriod = 1;
  uint32_t maxPeriod = 1000000;
};

// The counters and sleeps every clock offers.
class Counters {
 public:
  virtual ~Counters() = default;

  // QueryPerformanceCounter and QueryPerformanceFrequency.
  virtual int64_t PerformanceCounter() = 0;
  virtual int64_t PerformanceFrequency() = 0;
  // Milliseconds since an arbitrary start, wrapping at 2^32 (GetTickCount).
  virtual uint32_t TickCount() = 0;
  virtual void SleepMs(uint32_t milliseconds) = 0;
  // Sleeps until the performance counter reaches deadline.
  virtual void SleepUntil(int64_t deadline) = 0;
};

// The clock the message loop, the timers and the instruments run on.
class Clock : public Counters {
 public:
  // Microseconds on a monotonic clock for the message loop's own scheduling (standard
  // timers, waits). Reading it has no side effect, also on the virtual clock.
  virtual int64_t LoopTimeUs() = 0;

  // Calls tick every periodMs milliseconds until the returned timer is stopped. On the
  // machine's clock the calls come from a thread of their own.
  virtual std::unique_ptr<PeriodicTimer> StartPeriodic(uint32_t periodMs,
                                                       std::function<void()> tick) = 0;
  virtual PeriodicTimerCaps PeriodicCaps() = 0;
};

// The clocks a measurement of the processor's rate reads: the counters, the time-stamp
// counter, and the measuring thread raised to time-critical priority. The machine's, or
// a test's.
class MeasurementClocks : public Counters {
 public:
  virtual uint64_t TimeStampCounter() = 0;
  // Runs on the measuring thread before the measurement.
  virtual void RaiseToTimeCritical() = 0;
};

MeasurementClocks& MachineMeasurementClocks();

}  // namespace platform
