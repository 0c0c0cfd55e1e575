#include "controls/HighResTimer.h"

#include "gui/Application.h"

namespace controls {

THighResTimer::THighResTimer() = default;

THighResTimer::~THighResTimer() {
  enabled_ = false;
  RunLoop();
  *alive_ = false;
}

void THighResTimer::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  RunLoop();
}

void THighResTimer::SetInterval(uint32_t interval) {
  if (interval == interval_) return;
  interval_ = interval;
  RunLoop();
}

void THighResTimer::SetOnTimer(TNotifyEvent handler) {
  on_timer_ = std::move(handler);
  RunLoop();
}

void THighResTimer::DoTimer() {
  // A copy, so a handler may replace or drop the handler while it runs.
  if (auto handler = on_timer_) handler(*this);
}

void THighResTimer::RunLoop() {
  if (interval_ == 0 || !enabled_ || !on_timer_) return;
  gui::Application& app = gui::Application::Current();
  platform::Clock& clock = app.Clock();
  const double ticksPerMs = double(clock.PerformanceFrequency()) / 1000.0;
  const std::shared_ptr<bool> alive = alive_;
  int64_t start = clock.PerformanceCounter();
  // The loop also ends when the program is ending, so closing the main window while
  // timers run does not leave the process polling with no window to show it.
  while (enabled_ && !app.Terminated()) {
    const int64_t now = clock.PerformanceCounter();
    const double elapsed = double(now - start) / ticksPerMs;
    if (elapsed > double(interval_)) {
      DoTimer();
      if (!*alive) return;
      start = clock.PerformanceCounter();
    }
    app.ProcessMessages();
    if (!*alive) return;
  }
}

}  // namespace controls
