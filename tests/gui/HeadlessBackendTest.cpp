// The headless backend itself: the virtual clock, its periodic timers, waiting, and the
// scripted pointer across several windows.
#include <gtest/gtest.h>

#include <vector>

#include "platform/headless/HeadlessBackend.h"

namespace platform {
namespace {

TEST(HeadlessClock, ReadsMoveTimeByAFixedStepAndSleepsByTheirLength) {
  VirtualClock clock;
  EXPECT_EQ(clock.PerformanceFrequency(), 10'000'000);
  EXPECT_EQ(clock.PerformanceCounter(), 100);  // 10 us in counts of 100 ns
  EXPECT_EQ(clock.PerformanceCounter(), 200);
  clock.SleepMs(500);
  EXPECT_EQ(clock.NowUs(), 500'020);
  EXPECT_EQ(clock.TickCount(), 500u);
  clock.SleepUntil(clock.PerformanceCounter() + 15'000);  // 1.5 ms ahead
  EXPECT_EQ(clock.NowUs(), 500'040 + 1500);
  const int64_t before = clock.NowNs();
  (void)clock.LoopTimeUs();
  EXPECT_EQ(clock.NowNs(), before);  // the loop's own reads are free
  EXPECT_EQ(clock.CounterReads(), 4);
}

TEST(HeadlessClock, PeriodicTimersFireInOrderAsTimeAdvances) {
  VirtualClock clock;
  std::vector<int64_t> fast, slow;
  auto a = clock.StartPeriodic(25, [&] { fast.push_back(clock.NowUs() / 1000); });
  auto b = clock.StartPeriodic(40, [&] { slow.push_back(clock.NowUs() / 1000); });
  clock.SleepMs(100);
  EXPECT_EQ(fast, (std::vector<int64_t>{25, 50, 75, 100}));
  EXPECT_EQ(slow, (std::vector<int64_t>{40, 80}));
  b.reset();
  clock.SleepMs(50);
  EXPECT_EQ(fast.size(), 6u);
  EXPECT_EQ(slow.size(), 2u);
}

TEST(HeadlessClock, APeriodicTimerCanStopItselfAndTheCounterMovesInsideItsCallback) {
  VirtualClock clock;
  int ticks = 0;
  std::unique_ptr<PeriodicTimer> timer;
  timer = clock.StartPeriodic(10, [&] {
    ++ticks;
    (void)clock.PerformanceCounter();  // no nested periodic calls from in here
    if (ticks == 3) timer->Stop();
  });
  clock.SleepMs(1000);
  EXPECT_EQ(ticks, 3);
  EXPECT_EQ(clock.NextPeriodicDueNs(), -1);
}

TEST(HeadlessWaiting, AWaitJumpsToItsDeadlineOrStopsAtAWakingPeriodicCall) {
  HeadlessBackend backend;
  backend.WaitEvents(1'500'000);
  EXPECT_EQ(backend.Time().NowUs(), 1'500'000);
  auto timer = backend.GetClock().StartPeriodic(25, [&] { backend.Wake(); });
  backend.WaitEvents(10'000'000);
  EXPECT_EQ(backend.Time().NowUs(), 1'525'000);
  backend.WaitEvents(-1);  // no deadline: up to the next periodic call
  EXPECT_EQ(backend.Time().NowUs(), 1'550'000);
}

TEST(HeadlessWaiting, PendingInputEndsAWaitAtOnce) {
  HeadlessBackend backend;
  auto window = backend.OpenWindow({.x = 0, .y = 0, .width = 10, .height = 10});
  backend.RequestClose(*window);
  backend.WaitEvents(5'000'000);
  EXPECT_EQ(backend.Time().NowUs(), 0);
  Event e;
  ASSERT_TRUE(backend.PollEvent(e));
  EXPECT_EQ(e.type, Event::Type::Close);
  EXPECT_EQ(e.window, window->Id());
}

TEST(HeadlessPointer, EnterAndLeaveFollowTheTopmostWindowUnderThePointer) {
  HeadlessBackend backend;
  auto low = backend.OpenWindow({.x = 0, .y = 0, .width = 100, .height = 100});
  auto high = backend.OpenWindow({.x = 50, .y = 50, .width = 100, .height = 100, .topmost = true});
  low->Show();
  high->Show();
  low->Show();  // raised, but the topmost window stays above it
  EXPECT_EQ(backend.WindowAt(60, 60)->Id(), high->Id());
  backend.MoveMouse(10, 10);
  backend.MoveMouse(60, 60);
  std::vector<std::pair<Event::Type, uint32_t>> seen;
  Event e;
  while (backend.PollEvent(e)) seen.emplace_back(e.type, e.window);
  using T = Event::Type;
  EXPECT_EQ(seen, (std::vector<std::pair<Event::Type, uint32_t>>{{T::MouseEnter, low->Id()},
                                                                 {T::MouseMove, low->Id()},
                                                                 {T::MouseLeave, low->Id()},
                                                                 {T::MouseEnter, high->Id()},
                                                                 {T::MouseMove, high->Id()}}));
}

TEST(HeadlessPointer, APressCapturesThePointerUntilRelease) {
  HeadlessBackend backend;
  auto window = backend.OpenWindow({.x = 0, .y = 0, .width = 100, .height = 100});
  window->Show();
  backend.MoveMouse(10, 10);
  backend.PressMouse();
  backend.MoveMouse(300, 200);  // outside, still reported to the window
  backend.ReleaseMouse();
  std::vector<Event> events;
  Event e;
  while (backend.PollEvent(e)) events.push_back(e);
  ASSERT_EQ(events.size(), 6u);
  EXPECT_EQ(events[3].type, Event::Type::MouseMove);
  EXPECT_EQ(events[3].x, 300);
  EXPECT_EQ(events[4].type, Event::Type::MouseUp);
  EXPECT_EQ(events[5].type, Event::Type::MouseLeave);  // released away from it
}

TEST(HeadlessEvents, AClosedWindowsPendingEventsAreDropped) {
  HeadlessBackend backend;
  auto keep = backend.OpenWindow({.x = 200, .y = 0, .width = 100, .height = 100});
  auto closing = backend.OpenWindow({.x = 0, .y = 0, .width = 100, .height = 100});
  keep->Show();
  closing->Show();
  backend.MoveMouse(10, 10);
  backend.RequestClose(*keep);
  backend.MoveMouse(20, 20);
  EXPECT_EQ(backend.PendingEvents(), 4);
  closing.reset();
  Event e;
  ASSERT_TRUE(backend.PollEvent(e));
  EXPECT_EQ(e.type, Event::Type::Close);
  EXPECT_EQ(e.window, keep->Id());
  EXPECT_FALSE(backend.PollEvent(e));
}

TEST(HeadlessPresent, OnlyTheGivenRectanglesAreCopied) {
  HeadlessBackend backend;
  auto native = backend.OpenWindow({.x = 0, .y = 0, .width = 4, .height = 2});
  auto& window = static_cast<HeadlessWindow&>(*native);
  std::vector<uint8_t> frame(4 * 2 * 4, 0xFF);
  const Rect part[] = {{1, 0, 2, 1}};
  window.Present({frame.data(), 4, 2, 16}, part);
  EXPECT_EQ(window.Pixel(1, 0), 0xFFFFFFu);
  EXPECT_EQ(window.Pixel(0, 0), 0u);
  EXPECT_EQ(window.Pixel(1, 1), 0u);
  window.Present({frame.data(), 4, 2, 16}, {});
  EXPECT_EQ(window.Pixel(3, 1), 0xFFFFFFu);
  EXPECT_EQ(window.PresentCount(), 2);
}

}  // namespace
}  // namespace platform
