#include "platform/win32/Win32Clock.h"

#include <algorithm>
#include <atomic>
#include <map>
#include <memory>
#include <mutex>

#include <windows.h>
// After windows.h, which it builds on.
#include <mmsystem.h>

namespace platform {

namespace {

struct TimerState {
  std::function<void()> tick;
  std::mutex tick_mutex;  // held while the callback runs
  std::atomic<DWORD> callback_thread{0};
};

// Timers are found by number from the callback: a callback that comes late, after its
// timer was stopped and freed, finds nothing instead of freed memory.
std::mutex registry_mutex;
std::map<UINT_PTR, std::shared_ptr<TimerState>> registry;
UINT_PTR next_key = 1;

std::shared_ptr<TimerState> Find(UINT_PTR key) {
  std::lock_guard lock(registry_mutex);
  const auto found = registry.find(key);
  return found == registry.end() ? nullptr : found->second;
}

void CALLBACK OnTimer(UINT, UINT, DWORD_PTR key, DWORD_PTR, DWORD_PTR) {
  // Held for the call, so the timer may be destroyed from its own callback.
  const std::shared_ptr<TimerState> state = Find(key);
  if (!state) return;
  std::lock_guard tickLock(state->tick_mutex);
  state->callback_thread = ::GetCurrentThreadId();
  if (Find(key)) state->tick();
}

class MultimediaTimer : public PeriodicTimer {
 public:
  MultimediaTimer(uint32_t periodMs, std::function<void()> tick)
      : state_(std::make_shared<TimerState>()) {
    state_->tick = std::move(tick);
    {
      std::lock_guard lock(registry_mutex);
      key_ = next_key++;
      registry.emplace(key_, state_);
    }
    id_ = ::timeSetEvent(std::max<UINT>(periodMs, 1), 1, OnTimer, key_,
                         TIME_PERIODIC | TIME_CALLBACK_FUNCTION | TIME_KILL_SYNCHRONOUS);
  }
  ~MultimediaTimer() override { Stop(); }
  MultimediaTimer(const MultimediaTimer&) = delete;
  MultimediaTimer& operator=(const MultimediaTimer&) = delete;

  void Stop() override {
    {
      std::lock_guard lock(registry_mutex);
      if (registry.erase(key_) == 0) return;
    }
    if (id_ != 0) ::timeKillEvent(id_);
    // From another thread, wait until a callback still running has finished.
    if (state_->callback_thread != ::GetCurrentThreadId()) {
      std::lock_guard tickLock(state_->tick_mutex);
    }
  }

 private:
  std::shared_ptr<TimerState> state_;
  UINT_PTR key_ = 0;
  MMRESULT id_ = 0;
};

}  // namespace

std::unique_ptr<PeriodicTimer> Win32Clock::StartPeriodic(uint32_t periodMs,
                                                         std::function<void()> tick) {
  return std::make_unique<MultimediaTimer>(periodMs, std::move(tick));
}

PeriodicTimerCaps Win32Clock::PeriodicCaps() {
  TIMECAPS caps{};
  if (::timeGetDevCaps(&caps, sizeof(caps)) != TIMERR_NOERROR) return {};
  return {caps.wPeriodMin, caps.wPeriodMax};
}

}  // namespace platform
