#include "platform/headless/VirtualClock.h"

#include <algorithm>

namespace platform {

struct VirtualClock::Periodic {
  int64_t periodNs = 0;
  int64_t dueNs = 0;
  std::function<void()> tick;
  bool active = true;
};

class VirtualClock::Handle : public PeriodicTimer {
 public:
  Handle(VirtualClock& clock, std::shared_ptr<Periodic> entry)
      : clock_(clock), entry_(std::move(entry)) {}
  ~Handle() override { Stop(); }
  void Stop() override {
    std::lock_guard lock(clock_.mutex_);
    entry_->active = false;
    std::erase(clock_.periodic_, entry_);
  }

 private:
  VirtualClock& clock_;
  std::shared_ptr<Periodic> entry_;
};

VirtualClock::VirtualClock() = default;
VirtualClock::~VirtualClock() = default;

int64_t VirtualClock::NowNs() const {
  std::lock_guard lock(mutex_);
  return now_ns_;
}

void VirtualClock::SetReadStepNs(int64_t step) {
  std::lock_guard lock(mutex_);
  read_step_ns_ = std::max<int64_t>(step, 0);
}

int64_t VirtualClock::CounterReads() const {
  std::lock_guard lock(mutex_);
  return counter_reads_;
}

void VirtualClock::StepForRead() {
  ++counter_reads_;
  AdvanceTo(now_ns_ + read_step_ns_);
}

int64_t VirtualClock::PerformanceCounter() {
  std::lock_guard lock(mutex_);
  StepForRead();
  return now_ns_ / (1'000'000'000 / kFrequency);
}

uint32_t VirtualClock::TickCount() {
  std::lock_guard lock(mutex_);
  StepForRead();
  return uint32_t(now_ns_ / 1'000'000);
}

void VirtualClock::SleepMs(uint32_t milliseconds) {
  AdvanceBy(int64_t(milliseconds) * 1'000'000);
}

void VirtualClock::SleepUntil(int64_t deadline) {
  AdvanceTo(deadline * (1'000'000'000 / kFrequency));
}

std::unique_ptr<PeriodicTimer> VirtualClock::StartPeriodic(uint32_t periodMs,
                                                           std::function<void()> tick) {
  std::lock_guard lock(mutex_);
  auto entry = std::make_shared<Periodic>();
  entry->periodNs = std::max<int64_t>(int64_t(periodMs) * 1'000'000, 1);
  entry->dueNs = now_ns_ + entry->periodNs;
  entry->tick = std::move(tick);
  periodic_.push_back(entry);
  return std::make_unique<Handle>(*this, std::move(entry));
}

int64_t VirtualClock::NextPeriodicDueNs() const {
  std::lock_guard lock(mutex_);
  int64_t next = -1;
  for (const auto& p : periodic_) {
    if (next < 0 || p->dueNs < next) next = p->dueNs;
  }
  return next;
}

void VirtualClock::AdvanceTo(int64_t targetNs, const std::function<bool()>& stop) {
  std::lock_guard lock(mutex_);
  while (true) {
    // A periodic call that reads the clock moves time without starting further calls.
    std::shared_ptr<Periodic> next;
    if (!in_periodic_) {
      for (const auto& p : periodic_) {
        if (p->dueNs <= targetNs && (!next || p->dueNs < next->dueNs)) next = p;
      }
    }
    if (!next) {
      now_ns_ = std::max(now_ns_, targetNs);
      return;
    }
    now_ns_ = std::max(now_ns_, next->dueNs);
    next->dueNs += next->periodNs;
    auto tick = next->tick;  // the callback may stop its own timer
    {
      in_periodic_ = true;
      struct Reset {
        bool& flag;
        ~Reset() { flag = false; }
      } reset{in_periodic_};
      tick();
    }
    if (stop && stop()) return;
  }
}

}  // namespace platform
