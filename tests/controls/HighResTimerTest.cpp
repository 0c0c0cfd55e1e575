// The high-resolution timer's polling loop on virtual time: each read of the counter
// moves the clock 10 us, so firing times are exact.
#include "controls/HighResTimer.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "gui/Application.h"
#include "gui/Timer.h"
#include "platform/headless/HeadlessBackend.h"

namespace controls {
namespace {

class HighResTimerTest : public ::testing::Test {
 protected:
  platform::HeadlessBackend backend;
  gui::Application app{backend};
  std::vector<std::string> log;

  int64_t NowUs() const { return backend.Time().NowUs(); }
  void Log(const std::string& what) { log.push_back(what + " @" + std::to_string(NowUs())); }
};

TEST_F(HighResTimerTest, StartsEnabledAtTenMillisecondsWithoutRunning) {
  THighResTimer timer;
  EXPECT_TRUE(timer.Enabled());
  EXPECT_EQ(timer.Interval(), 10u);
  EXPECT_EQ(backend.Time().CounterReads(), 0);
}

TEST_F(HighResTimerTest, AssigningTheHandlerRunsTheLoopUntilDisabled) {
  THighResTimer timer;
  int fired = 0;
  timer.SetOnTimer([&](THighResTimer& sender) {
    EXPECT_EQ(&sender, &timer);
    Log("tick");
    if (++fired == 3) sender.SetEnabled(false);
  });
  // The start is read at 10 us; the first read more than 10 ms later is at 10 020 us.
  // The handler takes no time, so the next interval starts at the read just after it.
  EXPECT_EQ(log, (std::vector<std::string>{"tick @10020", "tick @20040", "tick @30060"}));
  EXPECT_FALSE(timer.Enabled());
}

TEST_F(HighResTimerTest, TheHandlersTimeIsNotCounted) {
  THighResTimer timer;
  timer.SetEnabled(false);
  std::vector<int64_t> times;
  timer.SetOnTimer([&](THighResTimer& sender) {
    times.push_back(NowUs());
    backend.Time().SleepMs(5);
    if (times.size() == 4) sender.SetEnabled(false);
  });
  EXPECT_TRUE(times.empty());  // disabled: assigning ran nothing
  timer.SetEnabled(true);
  ASSERT_EQ(times.size(), 4u);
  for (size_t i = 1; i < times.size(); ++i) EXPECT_EQ(times[i] - times[i - 1], 15020);
}

TEST_F(HighResTimerTest, SelfDisableReturnsAfterTheHandlerAndOneMorePump) {
  THighResTimer timer;
  timer.SetEnabled(false);
  timer.SetOnTimer([&](THighResTimer& sender) {
    Log("tick");
    app.Post([&] { Log("pumped"); });
    sender.SetEnabled(false);
    Log("handler end");
  });
  timer.SetEnabled(true);
  Log("returned");
  EXPECT_EQ(log, (std::vector<std::string>{"tick @10020", "handler end @10020", "pumped @10030",
                                           "returned @10030"}));
}

TEST_F(HighResTimerTest, AHandlerEnablingAnotherTimerNestsItsLoop) {
  THighResTimer a, b;
  a.SetEnabled(false);
  b.SetEnabled(false);
  int aFired = 0, bFired = 0;
  b.SetOnTimer([&](THighResTimer& sender) {
    Log("b");
    if (++bFired == 2) sender.SetEnabled(false);
  });
  a.SetOnTimer([&](THighResTimer& sender) {
    Log("a");
    ++aFired;
    if (aFired == 1) {
      b.SetEnabled(true);
      Log("b returned");
    } else {
      sender.SetEnabled(false);
    }
  });
  a.SetEnabled(true);
  // While b runs, a is enabled and overdue but does not fire; its next interval starts
  // after the handler that ran b has returned.
  EXPECT_EQ(log, (std::vector<std::string>{"a @10020", "b @20040", "b @30060", "b returned @30070",
                                           "a @40090"}));
}

TEST_F(HighResTimerTest, ReEnablingInsideItsOwnHandlerNestsALoopThatEndsBothLoops) {
  THighResTimer timer;
  timer.SetEnabled(false);
  int fired = 0, depth = 0, deepest = 0;
  timer.SetOnTimer([&](THighResTimer& sender) {
    ++fired;
    if (fired == 1) {
      sender.SetEnabled(false);
      ++depth;
      sender.SetEnabled(true);  // a second loop for the same timer, inside this handler
      --depth;
      Log("inner loop ended");
    } else if (fired == 3) {
      deepest = depth;
      sender.SetEnabled(false);
    }
  });
  timer.SetEnabled(true);
  Log("outer returned");
  EXPECT_EQ(fired, 3);
  EXPECT_EQ(deepest, 1);
  EXPECT_EQ(log, (std::vector<std::string>{"inner loop ended @30070", "outer returned @30080"}));
}

TEST_F(HighResTimerTest, IntervalZeroNeverFiresAndNeverBlocks) {
  THighResTimer timer;
  timer.SetInterval(0);
  int fired = 0;
  timer.SetOnTimer([&](THighResTimer&) { ++fired; });
  timer.SetEnabled(false);
  timer.SetEnabled(true);
  EXPECT_EQ(fired, 0);
  EXPECT_EQ(backend.Time().CounterReads(), 0);
}

TEST_F(HighResTimerTest, SettingTheSameValueDoesNothing) {
  THighResTimer timer;
  int fired = 0;
  int64_t readsAcross = -1;
  timer.SetOnTimer([&](THighResTimer& sender) {
    ++fired;
    const int64_t before = backend.Time().CounterReads();
    sender.SetInterval(10);  // unchanged: no nested loop
    sender.SetEnabled(true);
    readsAcross = backend.Time().CounterReads() - before;
    sender.SetEnabled(false);
  });
  EXPECT_EQ(fired, 1);
  EXPECT_EQ(readsAcross, 0);
}

TEST_F(HighResTimerTest, ChangingTheIntervalInsideTheLoopNestsALoopAtTheNewInterval) {
  THighResTimer timer;
  timer.SetEnabled(false);
  int fired = 0;
  timer.SetOnTimer([&](THighResTimer& sender) {
    Log("tick");
    if (++fired == 1) {
      sender.SetInterval(20);
      Log("setter returned");
    } else {
      sender.SetEnabled(false);
    }
  });
  timer.SetEnabled(true);
  EXPECT_EQ(log,
            (std::vector<std::string>{"tick @10020", "tick @30040", "setter returned @30050"}));
}

TEST_F(HighResTimerTest, AStandardTimerPumpedByTheLoopCanDisableIt) {
  THighResTimer timer;
  timer.SetEnabled(false);
  int fired = 0;
  timer.SetOnTimer([&](THighResTimer&) { ++fired; });
  gui::Timer stopper;
  stopper.SetInterval(25);
  stopper.SetOnTimer([&](gui::Timer& sender) {
    sender.SetEnabled(false);
    timer.SetEnabled(false);
  });
  timer.SetEnabled(true);
  EXPECT_EQ(fired, 2);  // at 10 020 and 20 040 us
  EXPECT_EQ(NowUs(), 25000);
}

TEST_F(HighResTimerTest, AnExceptionLeavesTheLoopWithTheTimerStillEnabled) {
  THighResTimer timer;
  timer.SetEnabled(false);
  int fired = 0;
  timer.SetOnTimer([&](THighResTimer&) {
    ++fired;
    throw std::runtime_error("handler failed");
  });
  EXPECT_THROW(timer.SetEnabled(true), std::runtime_error);
  EXPECT_TRUE(timer.Enabled());
  timer.SetEnabled(true);  // already enabled: nothing
  EXPECT_EQ(fired, 1);
  timer.SetEnabled(false);
  EXPECT_THROW(timer.SetEnabled(true), std::runtime_error);
  EXPECT_EQ(fired, 2);
}

TEST_F(HighResTimerTest, DestroyingTheTimerInItsHandlerEndsTheLoop) {
  auto timer = std::make_unique<THighResTimer>();
  timer->SetEnabled(false);
  int fired = 0;
  timer->SetOnTimer([&](THighResTimer&) {
    ++fired;
    timer.reset();
  });
  timer->SetEnabled(true);
  EXPECT_EQ(fired, 1);
}

TEST_F(HighResTimerTest, LoopsEndWhenTheProgramEnds) {
  THighResTimer outer, inner;
  outer.SetEnabled(false);
  inner.SetEnabled(false);
  inner.SetOnTimer([&](THighResTimer&) { app.Terminate(); });
  outer.SetOnTimer([&](THighResTimer&) { inner.SetEnabled(true); });
  outer.SetEnabled(true);
  EXPECT_TRUE(outer.Enabled());
  EXPECT_TRUE(inner.Enabled());
  EXPECT_TRUE(app.Terminated());
}

}  // namespace
}  // namespace controls
