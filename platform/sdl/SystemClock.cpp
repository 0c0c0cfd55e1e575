#include "platform/sdl/SystemClock.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

namespace platform {

namespace {

// The state lives as long as the thread needs it, so the timer may even be destroyed
// from its own callback.
struct TimerState {
  std::chrono::steady_clock::duration period;
  std::function<void()> tick;
  std::mutex mutex;
  std::mutex tick_mutex;  // held while the callback runs
  std::condition_variable wake;
  bool stopping = false;

  bool Stopping() {
    std::lock_guard lock(mutex);
    return stopping;
  }

  void Run() {
    auto due = std::chrono::steady_clock::now() + period;
    while (true) {
      {
        std::unique_lock lock(mutex);
        if (wake.wait_until(lock, due, [this] { return stopping; })) return;
      }
      {
        std::lock_guard tickLock(tick_mutex);
        if (!Stopping()) tick();
      }
      due += period;
      // After a stall, skip the periods already missed rather than firing in a burst.
      const auto now = std::chrono::steady_clock::now();
      if (due < now) due = now + period;
    }
  }
};

class ThreadTimer : public PeriodicTimer {
 public:
  ThreadTimer(uint32_t periodMs, std::function<void()> tick)
      : state_(std::make_shared<TimerState>()) {
    state_->period = std::chrono::milliseconds(std::max<uint32_t>(periodMs, 1));
    state_->tick = std::move(tick);
    thread_ = std::thread([state = state_] { state->Run(); });
  }

  ~ThreadTimer() override {
    Stop();
    if (thread_.get_id() == std::this_thread::get_id()) {
      thread_.detach();
    } else {
      thread_.join();
    }
  }

  void Stop() override {
    {
      std::lock_guard lock(state_->mutex);
      state_->stopping = true;
    }
    state_->wake.notify_all();
    // From another thread, wait until a callback still running has finished.
    if (std::this_thread::get_id() != thread_.get_id()) {
      std::lock_guard lock(state_->tick_mutex);
    }
  }

 private:
  std::shared_ptr<TimerState> state_;
  std::thread thread_;
};

}  // namespace

std::unique_ptr<PeriodicTimer> SystemClock::StartPeriodic(uint32_t periodMs,
                                                          std::function<void()> tick) {
  return std::make_unique<ThreadTimer>(periodMs, std::move(tick));
}

}  // namespace platform
