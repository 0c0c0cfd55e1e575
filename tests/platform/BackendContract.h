// What every window backend promises, as one typed suite: each backend's test program
// instantiates it with a driver that opens the backend and drives it as a user would.
//
// A driver D offers:
//   static const char* Unavailable()  why the backend cannot run here, or null
//   Backend& Get()
//   int SettleMs() const              how long the system takes to map a window or
//                                     deliver input (0 on virtual time)
//   void MovePointer(int x, int y)    the pointer to a screen point
//   void PressLeft(), ReleaseLeft()   the left button where the pointer is
//   void AskToClose(const NativeWindow&)   the user asks to close the window
//   Point Position(const NativeWindow&)    the client area's screen position
//   static constexpr bool kCaptures   a pressed window keeps the pointer outside it
//   static constexpr bool kShowsFocus  HasFocus(const NativeWindow&) says which window
//                                     came to the front
// A backend that cannot be driven for a promise says so where its driver sets these.
#pragma once

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <thread>
#include <vector>

#include "platform/BackendCore.h"
#include "platform/Window.h"

namespace platform {

using Point = HandDrag::Point;

template <typename Driver>
class BackendContract : public testing::Test {
 protected:
  void SetUp() override {
    if (const char* reason = Driver::Unavailable()) GTEST_SKIP() << reason;
    driver_.emplace();
  }

  Backend& Get() { return driver_->Get(); }
  Driver& Drive() { return *driver_; }

  // Takes the events of the next ms milliseconds of the backend's clock.
  std::vector<Event> Pump(int ms) {
    std::vector<Event> events;
    const int64_t end = Get().GetClock().LoopTimeUs() + int64_t(ms) * 1000;
    do {
      Event e;
      while (Get().PollEvent(e)) events.push_back(e);
      if (Get().GetClock().LoopTimeUs() >= end) break;
      Get().WaitEvents(end);
    } while (true);
    return events;
  }
  std::vector<Event> Settle() { return Pump(std::max(Drive().SettleMs(), 1)); }

  std::unique_ptr<NativeWindow> Open(int x, int y, int width, int height,
                                     const NativeWindow* owner = nullptr) {
    WindowOptions options;
    options.title = "contract";
    options.x = x;
    options.y = y;
    options.width = width;
    options.height = height;
    options.owner = owner;
    auto window = Get().OpenWindow(options);
    window->Show();
    Settle();
    return window;
  }

  static int Count(const std::vector<Event>& events, Event::Type type, uint32_t window) {
    int n = 0;
    for (const Event& e : events) n += e.type == type && e.window == window;
    return n;
  }
  static const Event* Last(const std::vector<Event>& events, Event::Type type, uint32_t window) {
    const Event* found = nullptr;
    for (const Event& e : events) {
      if (e.type == type && e.window == window) found = &e;
    }
    return found;
  }

  std::optional<Driver> driver_;
};

TYPED_TEST_SUITE_P(BackendContract);

TYPED_TEST_P(BackendContract, WindowsOpenWhereAskedWithTheirOwnIdsAndMoveWhenTold) {
  auto a = this->Open(100, 120, 200, 150);
  auto b = this->Open(400, 300, 120, 90);
  EXPECT_NE(a->Id(), 0u);
  EXPECT_NE(b->Id(), 0u);
  EXPECT_NE(a->Id(), b->Id());
  EXPECT_EQ(this->Drive().Position(*a), (Point{100, 120}));
  EXPECT_EQ(this->Drive().Position(*b), (Point{400, 300}));
  a->SetBounds(150, 170, 200, 150);
  this->Settle();
  EXPECT_EQ(this->Drive().Position(*a), (Point{150, 170}));
  const Rect work = this->Get().WorkArea();
  EXPECT_GT(work.right - work.left, 0);
  EXPECT_GT(work.bottom - work.top, 0);
}

TYPED_TEST_P(BackendContract, PointerEventsGoToTheWindowUnderItInClientCoordinates) {
  auto w = this->Open(100, 100, 200, 150);
  this->Drive().MovePointer(50, 50);
  this->Settle();
  this->Drive().MovePointer(150, 130);
  const auto events = this->Settle();
  EXPECT_EQ(this->Count(events, Event::Type::MouseEnter, w->Id()), 1);
  const Event* move = this->Last(events, Event::Type::MouseMove, w->Id());
  ASSERT_NE(move, nullptr);
  EXPECT_EQ(move->x, 50);
  EXPECT_EQ(move->y, 30);
  this->Drive().PressLeft();
  this->Drive().ReleaseLeft();
  const auto clicks = this->Settle();
  const Event* down = this->Last(clicks, Event::Type::MouseDown, w->Id());
  ASSERT_NE(down, nullptr);
  EXPECT_EQ(down->x, 50);
  EXPECT_EQ(down->y, 30);
  EXPECT_EQ(down->button, MouseButton::Left);
  EXPECT_EQ(this->Count(clicks, Event::Type::MouseUp, w->Id()), 1);
}

TYPED_TEST_P(BackendContract, AClosedWindowsEventsAreDroppedAndACloseRequestIsAnEvent) {
  auto keep = this->Open(400, 100, 100, 100);
  auto w = this->Open(100, 100, 200, 150);
  const uint32_t id = w->Id();
  this->Drive().MovePointer(50, 50);
  this->Settle();
  this->Drive().MovePointer(150, 130);
  this->Drive().MovePointer(160, 140);
  w.reset();
  const auto events = this->Settle();
  for (const Event& e : events) EXPECT_NE(e.window, id) << int(e.type);
  this->Drive().AskToClose(*keep);
  const auto closing = this->Settle();
  EXPECT_EQ(this->Count(closing, Event::Type::Close, keep->Id()), 1);
}

TYPED_TEST_P(BackendContract, ADisabledWindowTakesNoInputAndAPressBringsItsOwnedWindowForward) {
  auto owner = this->Open(100, 100, 300, 200);
  auto dialog = this->Open(500, 100, 100, 100, owner.get());
  owner->Raise();
  this->Settle();
  if constexpr (TypeParam::kShowsFocus) {
    EXPECT_TRUE(this->Drive().HasFocus(*owner));
  }
  owner->SetEnabled(false);
  this->Drive().MovePointer(50, 50);
  this->Settle();
  this->Drive().MovePointer(200, 200);
  this->Drive().PressLeft();
  this->Drive().ReleaseLeft();
  const auto events = this->Settle();
  EXPECT_EQ(this->Count(events, Event::Type::MouseMove, owner->Id()), 0);
  EXPECT_EQ(this->Count(events, Event::Type::MouseDown, owner->Id()), 0);
  EXPECT_EQ(this->Count(events, Event::Type::MouseUp, owner->Id()), 0);
  if constexpr (TypeParam::kShowsFocus) {
    EXPECT_TRUE(this->Drive().HasFocus(*dialog));
  }
  // Enabled again it takes input; its owned window outliving it is no fault.
  owner->SetEnabled(true);
  this->Drive().MovePointer(210, 200);
  this->Drive().PressLeft();
  this->Drive().ReleaseLeft();
  EXPECT_EQ(this->Count(this->Settle(), Event::Type::MouseDown, owner->Id()), 1);
  owner.reset();
  dialog->Hide();
  this->Settle();
}

TYPED_TEST_P(BackendContract, AWaitEndsAtItsDeadlineOrAtAWakeUpAndWakeUpsCoalesce) {
  Backend& backend = this->Get();
  // Many wake-ups before the loop looks are one: they end one wait, not the next ones.
  for (int i = 0; i < 100; ++i) backend.Wake();
  backend.WaitEvents(-1);
  const int64_t deadline = backend.GetClock().LoopTimeUs() + 40'000;
  int returns = 0;
  while (backend.GetClock().LoopTimeUs() < deadline && returns < 50) {
    backend.WaitEvents(deadline);
    Event e;
    while (backend.PollEvent(e)) {
    }
    ++returns;
  }
  EXPECT_GE(backend.GetClock().LoopTimeUs(), deadline);
  EXPECT_LE(returns, 3);
  // A wake-up from another thread ends a wait without a deadline.
  std::atomic<bool> woke{false};
  std::thread waker([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    woke = true;
    backend.Wake();
  });
  while (!woke) backend.WaitEvents(-1);
  waker.join();
  Event e;
  while (backend.PollEvent(e)) EXPECT_NE(e.type, Event::Type::Quit);
}

TYPED_TEST_P(BackendContract, ADragPointMovesTheWindowByHandWithoutAPress) {
  auto w = this->Open(100, 100, 200, 150);
  w->SetDragTest([](int, int y) { return y < 30; });
  this->Drive().MovePointer(50, 50);
  this->Settle();
  this->Drive().MovePointer(150, 110);
  this->Settle();
  std::vector<Event> events;
  auto take = [&] {
    const auto more = this->Settle();
    events.insert(events.end(), more.begin(), more.end());
  };
  this->Drive().PressLeft();
  take();
  this->Drive().MovePointer(170, 130);
  take();
  this->Drive().MovePointer(190, 150);
  take();
  this->Drive().ReleaseLeft();
  take();
  EXPECT_EQ(this->Drive().Position(*w), (Point{140, 140}));
  const Event* moved = this->Last(events, Event::Type::Moved, w->Id());
  ASSERT_NE(moved, nullptr);
  EXPECT_EQ(moved->x, 140);
  EXPECT_EQ(moved->y, 140);
  EXPECT_EQ(this->Count(events, Event::Type::MouseDown, w->Id()), 0);
  EXPECT_EQ(this->Count(events, Event::Type::MouseUp, w->Id()), 0);
  // Below the drag area a press is a press again.
  this->Drive().MovePointer(200, 250);
  this->Drive().PressLeft();
  this->Drive().ReleaseLeft();
  EXPECT_EQ(this->Count(this->Settle(), Event::Type::MouseDown, w->Id()), 1);
}

TYPED_TEST_P(BackendContract, ThePointerLeavingIsReported) {
  auto w = this->Open(100, 100, 200, 150);
  this->Drive().MovePointer(50, 50);
  this->Settle();
  this->Drive().MovePointer(150, 130);
  this->Settle();
  this->Drive().MovePointer(600, 500);
  const auto events = this->Settle();
  EXPECT_EQ(this->Count(events, Event::Type::MouseLeave, w->Id()), 1);
  // A system may report where the pointer crossed the edge; nothing comes after the leave.
  bool left = false;
  for (const Event& e : events) {
    if (e.window != w->Id()) continue;
    if (left) {
      EXPECT_NE(e.type, Event::Type::MouseMove);
    }
    left = left || e.type == Event::Type::MouseLeave;
  }
}

TYPED_TEST_P(BackendContract, APressedWindowKeepsThePointerUntilReleaseThenSeesItLeave) {
  if constexpr (!TypeParam::kCaptures) {
    GTEST_SKIP() << "this backend's presses cannot be driven";
  }
  auto w = this->Open(100, 100, 200, 150);
  this->Drive().MovePointer(50, 50);
  this->Settle();
  this->Drive().MovePointer(150, 130);
  this->Drive().PressLeft();
  this->Settle();
  this->Drive().MovePointer(600, 500);
  const auto held = this->Settle();
  const Event* move = this->Last(held, Event::Type::MouseMove, w->Id());
  ASSERT_NE(move, nullptr);
  EXPECT_EQ(move->x, 500);
  EXPECT_EQ(move->y, 400);
  this->Drive().ReleaseLeft();
  const auto released = this->Settle();
  const Event* up = this->Last(released, Event::Type::MouseUp, w->Id());
  ASSERT_NE(up, nullptr);
  EXPECT_EQ(up->x, 500);
  EXPECT_EQ(up->y, 400);
  // The leave comes once, by the release: wine's leave tracking may report it while the
  // button is still held.
  EXPECT_EQ(this->Count(held, Event::Type::MouseLeave, w->Id()) +
                this->Count(released, Event::Type::MouseLeave, w->Id()),
            1);
}

REGISTER_TYPED_TEST_SUITE_P(BackendContract, WindowsOpenWhereAskedWithTheirOwnIdsAndMoveWhenTold,
                            PointerEventsGoToTheWindowUnderItInClientCoordinates,
                            AClosedWindowsEventsAreDroppedAndACloseRequestIsAnEvent,
                            ADisabledWindowTakesNoInputAndAPressBringsItsOwnedWindowForward,
                            AWaitEndsAtItsDeadlineOrAtAWakeUpAndWakeUpsCoalesce,
                            ADragPointMovesTheWindowByHandWithoutAPress,
                            ThePointerLeavingIsReported,
                            APressedWindowKeepsThePointerUntilReleaseThenSeesItLeave);

}  // namespace platform
