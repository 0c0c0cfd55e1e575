// A standard window timer: while enabled with a non-zero interval and a handler, it
// fires every Interval milliseconds from the message loop. A due timer fires only when
// no message is pending, and expiries that pass while the loop is busy merge into one.
#pragma once

#include <cstdint>
#include <functional>

namespace gui {

class Application;

class Timer {
 public:
  using TimerEvent = std::function<void(Timer& sender)>;

  // Enabled, with an interval of 1000 ms and no handler, on the current application.
  Timer();
  virtual ~Timer();
  Timer(const Timer&) = delete;
  Timer& operator=(const Timer&) = delete;

  // Changing any of the three restarts the interval from now.
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  uint32_t Interval() const { return interval_; }
  void SetInterval(uint32_t interval);
  const TimerEvent& OnTimer() const { return on_timer_; }
  void SetOnTimer(TimerEvent handler);

  // Running: enabled, with an interval and a handler.
  bool Running() const { return running_; }

 protected:
  // Raises OnTimer.
  virtual void DoTimer();

 private:
  friend class Application;
  void Restart();
  // Called by the loop when the timer is due: schedules the next expiry and fires.
  void Expire(int64_t nowUs);

  Application& app_;
  bool enabled_ = true;
  uint32_t interval_ = 1000;
  TimerEvent on_timer_;
  bool running_ = false;
  int64_t due_us_ = 0;
};

}  // namespace gui
