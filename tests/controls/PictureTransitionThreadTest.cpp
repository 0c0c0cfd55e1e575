// The transition with its steps on a real thread of their own, as on the desktop: the
// periodic timer here is a thread that ticks every millisecond, everything else stays
// headless. The checks are about order and state, never about time.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "controls/PictureTransition.h"
#include "controls/TransitionStyles.h"
#include "gui/Application.h"
#include "gui/Window.h"
#include "platform/headless/HeadlessBackend.h"

namespace controls {
namespace {

class ThreadTimer : public platform::PeriodicTimer {
 public:
  explicit ThreadTimer(std::function<void()> tick) : tick_(std::move(tick)) {
    thread_ = std::thread([this] {
      while (!stopping_) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
        std::lock_guard lock(tick_mutex_);
        if (!stopping_) tick_();
      }
    });
  }
  ~ThreadTimer() override {
    Stop();
    thread_.join();
  }
  void Stop() override {
    stopping_ = true;
    if (std::this_thread::get_id() != thread_.get_id()) std::lock_guard lock(tick_mutex_);
  }

 private:
  std::function<void()> tick_;
  std::atomic<bool> stopping_{false};
  std::mutex tick_mutex_;
  std::thread thread_;
};

// The virtual clock for reading, a real thread for the periodic timer.
class ThreadedClock : public platform::Clock {
 public:
  explicit ThreadedClock(platform::VirtualClock& time) : time_(time) {}
  int64_t PerformanceCounter() override { return time_.PerformanceCounter(); }
  int64_t PerformanceFrequency() override { return time_.PerformanceFrequency(); }
  uint32_t TickCount() override { return time_.TickCount(); }
  void SleepMs(uint32_t ms) override { time_.SleepMs(ms); }
  void SleepUntil(int64_t deadline) override { time_.SleepUntil(deadline); }
  int64_t LoopTimeUs() override { return time_.LoopTimeUs(); }
  std::unique_ptr<platform::PeriodicTimer> StartPeriodic(uint32_t,
                                                         std::function<void()> tick) override {
    ++started;
    return std::make_unique<ThreadTimer>(std::move(tick));
  }
  platform::PeriodicTimerCaps PeriodicCaps() override { return {}; }
  std::atomic<int> started{0};

 private:
  platform::VirtualClock& time_;
};

class ThreadedBackend : public platform::HeadlessBackend {
 public:
  platform::Clock& GetClock() override { return clock; }
  ThreadedClock clock{Time()};
};

gui::Picture Solid(int w, int h, gui::Color color) {
  gui::Bitmap bitmap(w, h, gui::Bitmap::Format::Bgr24);
  bitmap.Fill(color);
  gui::Picture picture;
  picture.Assign(std::move(bitmap));
  return picture;
}

class PictureTransitionThreadTest : public ::testing::Test {
 protected:
  ThreadedBackend backend;
  gui::Application app{backend};
  gui::Window window;
  TPictureTransition trans{&window};
  std::vector<std::string> log;
  std::thread::id gui_thread = std::this_thread::get_id();

  void SetUp() override {
    window.SetBounds(0, 0, 200, 200);
    window.Show();
    trans.SetBounds(0, 0, 120, 80);
    trans.SetStyle(kFadeStyle);
    trans.SetStep(8);
    trans.SetDelay(25);
    trans.SetBgPicture(Solid(8, 8, gui::Rgb(200, 200, 200)));
    trans.SetPicture(Solid(120, 80, gui::Rgb(100, 100, 100)));
    auto record = [this](const std::string& what) {
      EXPECT_EQ(std::this_thread::get_id(), gui_thread) << what;
      log.push_back(what);
    };
    trans.OnProgress = [record](TCustomPictureTransition& sender) {
      record(std::to_string(sender.Progress()));
    };
    trans.OnComplete = [record](TCustomPictureTransition&) { record("complete"); };
    trans.OnStop = [record](TCustomPictureTransition&) { record("stop"); };
  }

  // Waits for the timer thread's messages until the transition has ended.
  void PumpUntilIdle() {
    for (int i = 0; i < 100000 && trans.Busy(); ++i) {
      app.WaitForWork();
      app.ProcessMessages();
    }
  }
};

TEST_F(PictureTransitionThreadTest, StepsOnTheTimerThreadAreReportedOnTheGuiThreadInOrder) {
  std::atomic<int> framesOffGuiThread{0};
  trans.OnAfterNewFrame = [&](TCustomPictureTransition&, gui::Bitmap&, gui::Bitmap&) {
    if (std::this_thread::get_id() != gui_thread) ++framesOffGuiThread;
  };
  trans.Execute();
  PumpUntilIdle();
  ASSERT_FALSE(trans.Busy());
  EXPECT_EQ(backend.clock.started, 1);
  EXPECT_EQ(framesOffGuiThread, 13);
  // Progress messages may be handled after the frame moved on, so a value can repeat,
  // but never goes back; every one is followed by the end.
  ASSERT_GE(log.size(), 3u);
  EXPECT_EQ(log[log.size() - 3], "100");
  EXPECT_EQ(log[log.size() - 2], "complete");
  EXPECT_EQ(log.back(), "stop");
  for (size_t i = 1; i + 2 < log.size(); ++i) EXPECT_LE(std::stoi(log[i - 1]), std::stoi(log[i]));
  EXPECT_EQ(trans.ScreenCopy().Pixel(60, 40), gui::Rgb(100, 100, 100));
}

TEST_F(PictureTransitionThreadTest, StopWhileTheTimerRunsEndsWithOnStopOnly) {
  for (int round = 0; round < 20; ++round) {
    log.clear();
    trans.Clear();
    trans.Execute();
    for (int i = 0; i < 100000 && trans.Progress() < 8 * (1 + round % 6); ++i) {
      app.WaitForWork();
      app.ProcessMessages();
    }
    if (!trans.Busy()) continue;  // the thread got to the end first; nothing to stop
    trans.Stop();
    ASSERT_FALSE(trans.Busy());
    app.ProcessMessages();  // whatever the thread posted before it stopped
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.back(), "stop") << round;
    EXPECT_EQ(std::count(log.begin(), log.end(), "complete"), 0) << round;
  }
}

}  // namespace
}  // namespace controls
