#include "gui/Timer.h"

#include "gui/Application.h"

namespace gui {

Timer::Timer() : app_(Application::Current()) {
  app_.AddTimer(*this);
}

Timer::~Timer() {
  app_.RemoveTimer(*this);
}

void Timer::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  Restart();
}

void Timer::SetInterval(uint32_t interval) {
  if (interval == interval_) return;
  interval_ = interval;
  Restart();
}

void Timer::SetOnTimer(TimerEvent handler) {
  on_timer_ = std::move(handler);
  Restart();
}

void Timer::Restart() {
  running_ = enabled_ && interval_ != 0 && on_timer_;
  if (running_) due_us_ = app_.Clock().LoopTimeUs() + int64_t(interval_) * 1000;
}

void Timer::Expire(int64_t nowUs) {
  // Expiries that passed while the loop was busy merge into this one.
  const int64_t period = int64_t(interval_) * 1000;
  due_us_ += period * ((nowUs - due_us_) / period + 1);
  DoTimer();
}

void Timer::DoTimer() {
  // A copy, so a handler may replace or drop the handler while it runs.
  if (auto handler = on_timer_) handler(*this);
}

}  // namespace gui
