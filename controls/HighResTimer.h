// A timer that fires at millisecond intervals measured on the high-resolution counter.
// It has no system timer and no thread: enabling it runs a polling loop inside the call
// that enabled it, which fires the event whenever more than Interval milliseconds have
// passed and processes the pending messages between polls. The call returns once the
// timer has been disabled, by its own handler or by anything run from the messages; so
// a handler that enables another timer runs that timer's loop nested inside it.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

namespace controls {

class THighResTimer {
 public:
  using TNotifyEvent = std::function<void(THighResTimer& sender)>;

  // Enabled with an interval of 10 ms; no loop runs until a handler is assigned.
  THighResTimer();
  virtual ~THighResTimer();
  THighResTimer(const THighResTimer&) = delete;
  THighResTimer& operator=(const THighResTimer&) = delete;

  // Each setter runs the loop when the value changes (and the timer can fire);
  // assigning OnTimer runs it whether or not the handler changed.
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  uint32_t Interval() const { return interval_; }
  void SetInterval(uint32_t interval);
  const TNotifyEvent& OnTimer() const { return on_timer_; }
  void SetOnTimer(TNotifyEvent handler);

 protected:
  // Raises OnTimer.
  virtual void DoTimer();

 private:
  void RunLoop();

  bool enabled_ = true;
  uint32_t interval_ = 10;
  TNotifyEvent on_timer_;
  // Lets a running loop notice that a handler destroyed its timer.
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace controls
