// What the window backends share: clipping and copying a frame, the event queue, the
// length of a wait, coalesced wake-ups, hand dragging and the owner chain.
#include "platform/BackendCore.h"

#include <gtest/gtest.h>

#include <vector>

namespace platform {
namespace {

TEST(ClipToFrame, KeepsThePartInsideBothTheFrameAndTheTarget) {
  const FrameView frame{nullptr, 40, 30, 160};
  EXPECT_EQ(ClipToFrame({-5, -7, 100, 100}, frame, 50, 20), (Rect{0, 0, 40, 20}));
  EXPECT_EQ(ClipToFrame({10, 5, 20, 15}, frame, 50, 50), (Rect{10, 5, 20, 15}));
  EXPECT_TRUE(IsEmpty(ClipToFrame({45, 0, 60, 10}, frame, 50, 50)));
  EXPECT_FALSE(IsEmpty(ClipToFrame({39, 29, 60, 60}, frame, 50, 50)));
}

TEST(CopyFrameRect, CopiesOnlyTheRectanglesRowsAtTheirPlace) {
  // A 4 x 3 frame with a padded stride, each byte its own offset.
  std::vector<uint8_t> source(3 * 20);
  for (size_t i = 0; i < source.size(); ++i) source[i] = uint8_t(i + 1);
  const FrameView frame{source.data(), 4, 3, 20};
  std::vector<uint8_t> target(3 * 16, 0);
  CopyFrameRect(frame, {1, 1, 3, 2}, target.data(), 16);
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 4; ++x) {
      const bool inside = y == 1 && x >= 1 && x < 3;
      for (int b = 0; b < 4; ++b) {
        EXPECT_EQ(target[size_t(y * 16 + x * 4 + b)],
                  inside ? source[size_t(y * 20 + x * 4 + b)] : 0)
            << x << "," << y;
      }
    }
  }
}

TEST(EventQueue, HandsEventsOutInOrderAndDropsAClosedWindowsOnes) {
  EventQueue queue;
  Event e;
  EXPECT_FALSE(queue.Pop(e));
  queue.Push({.type = Event::Type::MouseMove, .window = 1, .x = 1});
  queue.Push({.type = Event::Type::KeyDown, .window = 2});
  queue.Push({.type = Event::Type::MouseMove, .window = 1, .x = 2});
  queue.Push({.type = Event::Type::Quit});
  queue.DropWindow(1);
  EXPECT_EQ(queue.Size(), 2);
  ASSERT_TRUE(queue.Pop(e));
  EXPECT_EQ(e.type, Event::Type::KeyDown);
  ASSERT_TRUE(queue.Pop(e));
  EXPECT_EQ(e.type, Event::Type::Quit);
  EXPECT_TRUE(queue.Empty());
}

TEST(WaitMs, RoundsUpToTheMillisecondAndStopsAtTheLimit) {
  EXPECT_EQ(WaitMs(-1, 5'000, 100), kWaitWithoutLimit);
  EXPECT_EQ(WaitMs(5'000, 5'000, 100), 0);
  EXPECT_EQ(WaitMs(4'000, 5'000, 100), 0);
  EXPECT_EQ(WaitMs(5'001, 5'000, 100), 1);
  EXPECT_EQ(WaitMs(7'000, 5'000, 100), 2);
  EXPECT_EQ(WaitMs(7'001, 5'000, 100), 3);
  EXPECT_EQ(WaitMs(900'000, 5'000, 100), 100);
}

TEST(WakeLatch, SendsOneWakeUpUntilTheLoopTakesIt) {
  WakeLatch latch;
  EXPECT_TRUE(latch.Arm());
  EXPECT_FALSE(latch.Arm());
  EXPECT_FALSE(latch.Arm());
  latch.Taken();
  EXPECT_TRUE(latch.Arm());
}

TEST(HandDrag, TheWindowKeepsThePressesOffsetFromThePointer) {
  const HandDrag drag{{300, 200}, {250, 180}};
  EXPECT_EQ(drag.WindowFor({300, 200}), (HandDrag::Point{250, 180}));
  EXPECT_EQ(drag.WindowFor({340, 190}), (HandDrag::Point{290, 170}));
  EXPECT_EQ(drag.WindowFor({0, 0}), (HandDrag::Point{-50, -20}));
}

struct Owned {
  const Owned* owner = nullptr;
  const Owned* Owner() const { return owner; }
};

TEST(OwnedBy, FollowsTheChainOfOwnersButNotTheOtherWay) {
  const Owned main;
  const Owned dialog{&main};
  const Owned message{&dialog};
  const Owned other;
  EXPECT_TRUE(OwnedBy(dialog, main));
  EXPECT_TRUE(OwnedBy(message, main));
  EXPECT_TRUE(OwnedBy(message, dialog));
  EXPECT_FALSE(OwnedBy(main, dialog));
  EXPECT_FALSE(OwnedBy(main, main));
  EXPECT_FALSE(OwnedBy(other, main));
}

}  // namespace
}  // namespace platform
