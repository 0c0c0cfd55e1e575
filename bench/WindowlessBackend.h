// A message loop on the machine's clocks with no windows, for benchmarks that time
// the program's logic in real time.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/Window.h"
#include "platform/sdl/SystemClock.h"

namespace bench {

class WindowlessBackend : public platform::Backend {
 public:
  std::unique_ptr<platform::NativeWindow> OpenWindow(const platform::WindowOptions&) override {
    return nullptr;
  }
  platform::Rect WorkArea() override { return {0, 0, 1280, 1024}; }
  bool PollEvent(platform::Event&) override { return false; }
  void WaitEvents(int64_t deadlineUs) override {
    if (deadlineUs < 0) return;
    const int64_t frequency = clock_.PerformanceFrequency();
    const int64_t waitUs = deadlineUs - clock_.LoopTimeUs();
    if (waitUs > 0) clock_.SleepUntil(clock_.PerformanceCounter() + waitUs * frequency / 1000000);
  }
  void Wake() override {}
  platform::Clock& GetClock() override { return clock_; }

 private:
  platform::SystemClock clock_;
};

}  // namespace bench
