// The segment display: the geometry of the program's three displays, the accepted text
// and its cells, the dot-matrix corner rule, and painting on virtual time: the steps of
// an animation, the per-step pause with its carried overshoot, re-entry and OnChange.
#include "controls/SegmentDisplay.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gui/Application.h"
#include "gui/Palette.h"
#include "gui/Timer.h"
#include "gui/Window.h"
#include "platform/headless/HeadlessBackend.h"

namespace controls {
namespace {

using segments::Mask;

using gui::palette::kBlack;
using gui::palette::kBlue;
using gui::palette::kRed;

// A display whose paints are counted and that can be painted on any canvas.
class TestDisplay : public TSegmentDisplay {
 public:
  using TSegmentDisplay::TSegmentDisplay;
  int paints = 0;
  void PaintOn(gui::Canvas& canvas) { TSegmentDisplay::Paint(canvas); }

 protected:
  void Paint(gui::Canvas& canvas) override {
    ++paints;
    TSegmentDisplay::Paint(canvas);
  }
};

// The settings of the program's displays: polygon style, red on the background.
void SetUpLed(TSegmentDisplay& led, gui::Rect bounds, int digits, int segmentSize,
              gui::Color background, TSegmentAnimation animation) {
  led.SetBounds(bounds);
  led.SetDigitNum(digits);
  led.SetDigitSpacing(3);
  led.SetDotSpacing(4);
  led.SetGapX(1);
  led.SetGapY(1);
  led.SetSegmentSize(segmentSize);
  led.SetAnimation(animation);
  led.SetAnimationDelay(5);
  led.SetColor(background);
  led.SetOffColor(background);
  led.SetOnColor(kRed);
}

class SegmentDisplayTest : public ::testing::Test {
 protected:
  platform::HeadlessBackend backend;
  gui::Application app{backend};
  gui::Window window;
  TestDisplay led{&window};

  SegmentDisplayTest() {
    window.SetBounds(0, 0, 200, 100);
    window.SetBackgroundColor(0x00FFFFFF);
    window.Show();
  }
  platform::HeadlessWindow& Native() {
    return static_cast<platform::HeadlessWindow&>(window.Native());
  }
  gui::Color Shown(int x, int y) { return Native().Pixel(led.Left() + x, led.Top() + y); }
  // The segments of a polygon-style cell showing in the on colour, probed at the middle
  // of each segment.
  uint8_t LitOnScreen(int cell) {
    const segments::TSegmentLayout l = *led.Layout();
    const int x = l.CellLeft(cell);
    const int mid = l.ch / 2;
    const gui::Point probes[] = {
        {x + l.cw / 2, 0},   {x, l.gy + l.vl / 2},         {x + l.cw, l.gy + l.vl / 2},
        {x + l.cw / 2, mid}, {x, l.LowerTop() + l.vl / 2}, {x + l.cw, l.LowerTop() + l.vl / 2},
        {x + l.cw / 2, l.ch}};
    uint8_t mask = 0;
    for (int s = 1; s <= 7; ++s) {
      const gui::Point p = probes[s - 1];
      if (Shown(p.x, p.y) == led.OnColor()) mask = uint8_t(mask | Mask(s));
    }
    return mask;
  }
};

// --- Geometry ---------------------------------------------------------------------------

TEST(SegmentGeometryTest, TheTestPagesMhzDisplay) {
  const auto l = segments::ComputeLayout({.width = 53,
                                          .height = 14,
                                          .digitNum = 4,
                                          .digitSpacing = 3,
                                          .dotSpacing = 4,
                                          .gapX = 1,
                                          .gapY = 1,
                                          .segmentSize = 1});
  ASSERT_TRUE(l);
  EXPECT_EQ(l->sp, 4);
  EXPECT_EQ(l->cw, 8);
  EXPECT_EQ(l->ch, 13);
  std::vector<int> lefts;
  for (int i = 0; i < 4; ++i) lefts.push_back(l->CellLeft(i));
  EXPECT_EQ(lefts, (std::vector<int>{4, 16, 28, 40}));
  EXPECT_EQ(l->PointBox(3), (gui::Rect{38, 12, 39, 13}));  // one pixel
}

TEST(SegmentGeometryTest, TheTestPagesPercentDisplay) {
  const auto l = segments::ComputeLayout({.width = 41,
                                          .height = 14,
                                          .digitNum = 3,
                                          .digitSpacing = 3,
                                          .dotSpacing = 4,
                                          .gapX = 1,
                                          .gapY = 1,
                                          .segmentSize = 1});
  ASSERT_TRUE(l);
  EXPECT_EQ(l->cw, 8);
  EXPECT_EQ(l->CellLeft(2), 28);
  EXPECT_EQ(l->hl, 6);
  EXPECT_EQ(l->vl, 4);
}

TEST(SegmentGeometryTest, TheResultDialogsDisplay) {
  const auto l = segments::ComputeLayout({.width = 96,
                                          .height = 29,
                                          .digitNum = 4,
                                          .digitSpacing = 3,
                                          .dotSpacing = 4,
                                          .gapX = 1,
                                          .gapY = 1,
                                          .segmentSize = 3});
  ASSERT_TRUE(l);
  EXPECT_EQ(l->cw, 18);
  EXPECT_EQ(l->ch, 28);
  EXPECT_EQ(l->hl, 16);
  EXPECT_EQ(l->vl, 12);
  EXPECT_EQ(l->CellLeft(1), 4 + 22);
  EXPECT_EQ(l->PointBox(1).Width(), 2);  // sp - 2 is smaller than the segment size
}

TEST(SegmentGeometryTest, DotMatrixCellsAreWholeDotsAndIgnoreTheGaps) {
  const auto l = segments::ComputeLayout({.width = 20,
                                          .height = 30,
                                          .digitNum = 1,
                                          .digitSpacing = 2,
                                          .dotSpacing = 1,
                                          .gapX = 5,
                                          .gapY = 5,
                                          .segmentSize = 2,
                                          .dotDisplay = true});
  ASSERT_TRUE(l);
  EXPECT_EQ(l->sp, 2);
  EXPECT_EQ(l->p, 3);
  EXPECT_EQ(l->cw, 17);  // six dots of 2 with gaps of 1
  EXPECT_EQ(l->ch, 26);
  EXPECT_EQ(l->gx, 0);
  EXPECT_EQ(l->gy, 0);
  EXPECT_EQ(l->LowerTop(), 12);
}

TEST(SegmentGeometryTest, SettingsWithoutCellsGiveNoLayout) {
  EXPECT_FALSE(segments::ComputeLayout({.width = 50, .height = 20, .digitNum = 0}));
  EXPECT_FALSE(segments::ComputeLayout({.width = 50,
                                        .height = 20,
                                        .digitNum = 2,
                                        .dotSpacing = -2,
                                        .segmentSize = 2,
                                        .dotDisplay = true}));
}

TEST(SegmentGeometryTest, PolygonSegmentsAreBevelledSixPointShapes) {
  const auto l = *segments::ComputeLayout({.width = 96,
                                           .height = 29,
                                           .digitNum = 4,
                                           .digitSpacing = 3,
                                           .dotSpacing = 4,
                                           .gapX = 1,
                                           .gapY = 1,
                                           .segmentSize = 3});
  segments::TSegmentShape shape;
  segments::BuildSegment(l, 4, 1, 0, shape);  // top: c = 0 + Round(0.75) = 1
  EXPECT_EQ(shape.polygon,
            (std::vector<gui::Point>{{5, 1}, {6, 0}, {20, 0}, {21, 1}, {18, 3}, {8, 3}}));
  segments::BuildSegment(l, 4, 7, 0, shape);  // bottom, upward: c = 28 + Round(-0.75)
  EXPECT_EQ(shape.polygon,
            (std::vector<gui::Point>{{5, 27}, {6, 28}, {20, 28}, {21, 27}, {18, 25}, {8, 25}}));
  segments::BuildSegment(l, 4, 4, 0, shape);  // middle: c = 13 + Round(1.5) = 15
  EXPECT_EQ(shape.polygon,
            (std::vector<gui::Point>{{5, 15}, {8, 13}, {18, 13}, {21, 15}, {18, 16}, {8, 16}}));
  segments::BuildSegment(l, 4, 6, 0, shape);  // lower right, leftward, from y 15
  EXPECT_EQ(shape.polygon,
            (std::vector<gui::Point>{{21, 15}, {22, 16}, {22, 26}, {21, 27}, {19, 24}, {19, 18}}));
  segments::BuildSegment(l, 4, 8, 0, shape);  // colon: 5 x 4 ellipses
  EXPECT_EQ(shape.ellipses, (std::vector<gui::Rect>{{10, 6, 15, 10}, {10, 18, 15, 22}}));
}

// --- Text -------------------------------------------------------------------------------

TEST(SegmentTextTest, NormalisationAcceptsOnlyTheCharacterSet) {
  EXPECT_EQ(segments::NormalizeValue("abc"), "ABC");
  EXPECT_EQ(segments::NormalizeValue("1,5"), "");
  EXPECT_EQ(segments::NormalizeValue("5."), "5");
  EXPECT_EQ(segments::NormalizeValue("5.."), "5.");  // only one point goes
  EXPECT_EQ(segments::NormalizeValue("."), "");
  EXPECT_EQ(segments::NormalizeValue("12:30 -A"), "12:30 -A");
  EXPECT_EQ(segments::NormalizeValue("\xC3\xA9"), "");
}

TEST(SegmentTextTest, APointBelongsToTheCellAfterIt) {
  auto split = segments::SplitValue("12.5", 4);
  EXPECT_EQ(split.chars, " 125");
  EXPECT_EQ(split.points, "   .");
  split = segments::SplitValue("1..5", 4);
  EXPECT_EQ(split.chars, " 1 5");
  EXPECT_EQ(split.points, "  ..");
  split = segments::SplitValue(".5", 3);
  EXPECT_EQ(split.chars, "  5");
  EXPECT_EQ(split.points, "  .");
}

TEST(SegmentTextTest, LongTextsKeepTheirFirstCells) {
  const auto split = segments::SplitValue("12345", 4);
  EXPECT_EQ(split.chars, "1234");
  EXPECT_EQ(split.points, "    ");
}

TEST(SegmentTextTest, APointAtTheEndKeepsTheStringsInStep) {
  const auto split = segments::SplitValue("5.", 3);
  EXPECT_EQ(split.chars, " 5 ");
  EXPECT_EQ(split.points, "  .");
}

TEST(SegmentTextTest, TheSegmentTable) {
  EXPECT_EQ(segments::LitSegments('1'), Mask(3) | Mask(6));
  EXPECT_EQ(segments::LitSegments('8'), 0x7F);
  EXPECT_EQ(segments::LitSegments('-'), Mask(4));
  EXPECT_EQ(segments::LitSegments(':'), Mask(8));
  EXPECT_EQ(segments::LitSegments('Z'), Mask(1) | Mask(3) | Mask(4) | Mask(5) | Mask(7));
  EXPECT_EQ(segments::LitSegments(' '), 0);
  EXPECT_EQ(segments::CornerSegments(' '), 0x7F);
}

TEST(SegmentTextTest, AnimationOrders) {
  using A = TSegmentAnimation;
  using Steps = std::array<uint8_t, 8>;
  EXPECT_EQ(segments::AnimationOrder(A::anSpiral), (Steps{8, 4, 2, 1, 3, 6, 7, 5}));
  EXPECT_EQ(segments::AnimationOrder(A::anUp), (Steps{7, 6, 5, 8, 4, 3, 2, 1}));
  EXPECT_EQ(segments::AnimationOrder(A::anLeft), (Steps{6, 3, 7, 8, 4, 1, 5, 2}));
  EXPECT_EQ(segments::AnimationOrder(A::anRight), (Steps{2, 5, 1, 8, 4, 7, 3, 6}));
  EXPECT_EQ(segments::AnimationOrder(A::anNone), segments::AnimationOrder(A::anDown));
}

// --- The control ------------------------------------------------------------------------

TEST_F(SegmentDisplayTest, ANewDisplay) {
  TSegmentDisplay fresh;
  EXPECT_EQ(fresh.Width(), 92);
  EXPECT_EQ(fresh.Height(), 34);
  EXPECT_EQ(fresh.Color(), kBlack);
  EXPECT_EQ(fresh.DigitNum(), 4);
  EXPECT_EQ(fresh.DigitSpacing(), 5);
  EXPECT_EQ(fresh.DotSpacing(), 2);
  EXPECT_EQ(fresh.SegmentSize(), 2);
  EXPECT_EQ(fresh.GapX(), 2);
  EXPECT_TRUE(fresh.DoubleBuffer());
  EXPECT_EQ(fresh.OnColor(), 0x0000FF00u);
  EXPECT_EQ(fresh.OffColor(), kBlack);
  EXPECT_EQ(fresh.Animation(), TSegmentAnimation::anNone);
  EXPECT_EQ(fresh.AnimationDelay(), 0);
  EXPECT_EQ(fresh.Value(), "");
  EXPECT_TRUE(fresh.Opaque());
}

TEST_F(SegmentDisplayTest, TheValueIsStoredNormalised) {
  led.SetValue("abc");
  EXPECT_EQ(led.Value(), "ABC");
  led.SetValue("1,5");
  EXPECT_EQ(led.Value(), "");
  led.SetValue("5.");
  EXPECT_EQ(led.Value(), "5");
  led.SetValue(".");
  EXPECT_EQ(led.Value(), "");
}

TEST_F(SegmentDisplayTest, OnChangeOncePerDistinctValueAndOnePaint) {
  SetUpLed(led, {1, 4, 54, 18}, 4, 1, kBlack, TSegmentAnimation::anRandom);
  app.ProcessMessages();
  std::vector<std::string> changes;
  led.OnChange = [&](TSegmentDisplay& sender, const std::string& oldValue,
                     const std::string& newValue) {
    EXPECT_EQ(&sender, &led);
    EXPECT_EQ(sender.Value(), newValue);
    changes.push_back(oldValue + ">" + newValue);
  };
  const int paints = led.paints;
  led.SetValue("0850");
  led.SetValue("0850");
  app.ProcessMessages();
  EXPECT_EQ(led.paints, paints + 1);
  led.SetValue("5.");
  led.SetValue("5");  // the same text once normalised
  led.SetValue("x!");
  EXPECT_EQ(changes, (std::vector<std::string>{">0850", "0850>5", "5>"}));
}

TEST_F(SegmentDisplayTest, TheMhzDisplayShowsItsDigits) {
  SetUpLed(led, {1, 4, 53, 14}, 4, 1, kBlack, TSegmentAnimation::anRandom);
  led.SetValue("2992");
  app.ProcessMessages();
  EXPECT_EQ(LitOnScreen(0), segments::LitSegments('2'));
  EXPECT_EQ(LitOnScreen(1), segments::LitSegments('9'));
  EXPECT_EQ(LitOnScreen(2), segments::LitSegments('9'));
  EXPECT_EQ(LitOnScreen(3), segments::LitSegments('2'));
  // With the delay of 5 ms the per-step pause is 0: shown at once.
  EXPECT_EQ(led.PaintDuration(), 0u);
  led.SetValue("0850");
  app.ProcessMessages();
  EXPECT_EQ(LitOnScreen(0), segments::LitSegments('0'));
  EXPECT_EQ(LitOnScreen(1), segments::LitSegments('8'));
  EXPECT_EQ(LitOnScreen(2), segments::LitSegments('5'));
  EXPECT_EQ(LitOnScreen(3), segments::LitSegments('0'));
}

TEST_F(SegmentDisplayTest, DecimalPointsLightTheGapBeforeTheirCell) {
  SetUpLed(led, {0, 0, 96, 29}, 4, 3, 0x00302D28, TSegmentAnimation::anNone);
  const auto l = *led.Layout();
  led.SetValue("12.5");
  app.ProcessMessages();
  EXPECT_EQ(LitOnScreen(0), 0);
  EXPECT_EQ(LitOnScreen(1), segments::LitSegments('1'));
  EXPECT_EQ(LitOnScreen(3), segments::LitSegments('5'));
  const gui::Rect lit = l.PointBox(3);
  EXPECT_EQ(Shown(lit.left, lit.top), kRed);
  const gui::Rect unlit = l.PointBox(2);
  EXPECT_EQ(Shown(unlit.left, unlit.top), 0x00302D28u);

  led.SetValue("1..5");
  app.ProcessMessages();
  EXPECT_EQ(LitOnScreen(1), segments::LitSegments('1'));
  EXPECT_EQ(LitOnScreen(2), 0);
  EXPECT_EQ(Shown(l.PointBox(2).left, l.PointBox(2).top), kRed);
  EXPECT_EQ(Shown(l.PointBox(3).left, l.PointBox(3).top), kRed);
  EXPECT_EQ(Shown(l.PointBox(1).left, l.PointBox(1).top), 0x00302D28u);
}

TEST_F(SegmentDisplayTest, AFifthCharacterIsNotShown) {
  SetUpLed(led, {1, 4, 53, 14}, 4, 1, kBlack, TSegmentAnimation::anNone);
  led.SetValue("12345");
  app.ProcessMessages();
  EXPECT_EQ(led.Value(), "12345");
  EXPECT_EQ(LitOnScreen(0), segments::LitSegments('1'));
  EXPECT_EQ(LitOnScreen(3), segments::LitSegments('4'));
}

TEST_F(SegmentDisplayTest, ARejectedValueBlanksEveryCell) {
  SetUpLed(led, {1, 4, 53, 14}, 4, 1, kBlack, TSegmentAnimation::anNone);
  led.SetValue("8888");
  app.ProcessMessages();
  led.SetValue("8,8");
  app.ProcessMessages();
  for (int cell = 0; cell < 4; ++cell) EXPECT_EQ(LitOnScreen(cell), 0) << cell;
}

TEST_F(SegmentDisplayTest, DrawingDirectlyGivesTheSamePicture) {
  SetUpLed(led, {1, 4, 96, 29}, 4, 3, 0x00302D28, TSegmentAnimation::anNone);
  led.SetValue("3.0:4");
  app.ProcessMessages();
  const gui::Bitmap buffered = window.CaptureArea(led.BoundsRect());
  led.SetDoubleBuffer(false);
  app.ProcessMessages();
  const gui::Bitmap direct = window.CaptureArea(led.BoundsRect());
  int differing = 0;
  for (int y = 0; y < direct.Height(); ++y) {
    for (int x = 0; x < direct.Width(); ++x)
      differing += direct.Pixel(x, y) != buffered.Pixel(x, y);
  }
  EXPECT_EQ(differing, 0);
  EXPECT_EQ(direct.Pixel(led.Layout()->CellLeft(0) + 9, 0), kRed);  // the top of the '3'
}

TEST_F(SegmentDisplayTest, DotMatrixCornersKeepTheLitColumnOfAOne) {
  led.SetBounds(0, 0, 20, 30);
  led.SetDigitNum(1);
  led.SetDigitSpacing(2);
  led.SetDotSpacing(1);
  led.SetSegmentSize(2);
  led.SetDotDisplay(true);
  led.SetOnColor(kRed);
  led.SetOffColor(kBlue);  // unlit dots visible, to see which cover which
  led.SetValue("1");
  app.ProcessMessages();
  const auto l = *led.Layout();
  const int right = l.CellLeft(0) + l.cw - l.ss;
  // The right column's end dots, shared with the unlit top, middle and bottom rows.
  for (int y : {0, l.ch / 2 - l.ss / 2, l.ch - l.ss}) {
    int red = 0;
    for (int dy = 0; dy < l.ss; ++dy) {
      for (int dx = 0; dx < l.ss; ++dx) {
        const gui::Color c = Shown(right + dx, y + dy);
        EXPECT_NE(c, kBlue) << "at " << right + dx << "," << y + dy;
        red += c == kRed;
      }
    }
    EXPECT_GT(red, 0) << "row " << y;
  }
  // The left ends of the unlit rows are dots of their own, drawn unlit.
  EXPECT_EQ(Shown(l.CellLeft(0), 0), kBlue);

  segments::TSegmentShape shape;
  segments::BuildSegment(l, l.CellLeft(0), 1, segments::CornerSegments('1'), shape);
  EXPECT_EQ(shape.ellipses.size(), 5u);  // the last of six left out
  EXPECT_EQ(shape.ellipses.front().left, l.CellLeft(0));
  segments::BuildSegment(l, l.CellLeft(0), 1, segments::CornerSegments(' '), shape);
  EXPECT_EQ(shape.ellipses.size(), 6u);  // a blank cell leaves out no dot
  segments::BuildSegment(l, l.CellLeft(0), 2, segments::CornerSegments('1'), shape);
  EXPECT_EQ(shape.ellipses.size(), 5u);  // upper left: no lit neighbour, all dots
}

TEST_F(SegmentDisplayTest, AnAnimatedChangeShowsItsStepsInOrder) {
  SetUpLed(led, {10, 10, 96, 29}, 4, 3, kBlack, TSegmentAnimation::anUp);
  led.SetAnimationDelay(70);
  app.ProcessMessages();
  std::vector<uint8_t> seen;
  gui::Timer sampler;
  sampler.SetInterval(1);
  sampler.SetOnTimer([&](gui::Timer&) {
    const uint8_t mask = LitOnScreen(3);
    if (seen.empty() || seen.back() != mask) seen.push_back(mask);
  });
  led.SetValue("8");
  app.ProcessMessages();
  sampler.SetEnabled(false);
  if (seen.back() != LitOnScreen(3)) seen.push_back(LitOnScreen(3));
  if (seen.front() == 0) seen.erase(seen.begin());
  // Bottom, lower right, lower left, (the unlit colon), middle, upper right, upper left,
  // top; each step is presented while the paint waits.
  std::vector<uint8_t> expected;
  uint8_t mask = 0;
  for (int s : {7, 6, 5, 4, 3, 2, 1}) expected.push_back(mask = uint8_t(mask | Mask(s)));
  EXPECT_EQ(seen, expected);
  EXPECT_NEAR(led.PaintDuration(), 70u, 1u);  // seven pauses of 10 ms
}

TEST_F(SegmentDisplayTest, AnOvershootIsTakenFromTheNextPause) {
  SetUpLed(led, {10, 10, 96, 29}, 4, 3, kBlack, TSegmentAnimation::anDown);
  led.SetAnimationDelay(70);
  app.ProcessMessages();
  // A message handled during the first pause takes 16 ms: the next pause is 4 ms, and
  // the whole change still takes 70.
  bool stalled = false;
  gui::Timer stall;
  stall.SetInterval(1);
  stall.SetOnTimer([&](gui::Timer& sender) {
    if (!led.IsPainting()) return;
    stalled = true;
    backend.Time().SleepMs(16);
    sender.SetEnabled(false);
  });
  led.SetValue("8");
  app.ProcessMessages();
  EXPECT_TRUE(stalled);
  EXPECT_NEAR(led.PaintDuration(), 70u, 1u);

  // An overshoot longer than a pause is carried as one pause at most.
  stall.SetEnabled(true);
  stalled = false;
  stall.SetOnTimer([&](gui::Timer& sender) {
    if (!led.IsPainting()) return;
    stalled = true;
    backend.Time().SleepMs(30);
    sender.SetEnabled(false);
  });
  led.SetValue("0");
  app.ProcessMessages();
  EXPECT_TRUE(stalled);
  EXPECT_NEAR(led.PaintDuration(), 1u + 30u + 0u + 50u, 1u);
}

TEST_F(SegmentDisplayTest, APaintDuringAPaintDrawsNothing) {
  SetUpLed(led, {10, 10, 96, 29}, 4, 3, kBlack, TSegmentAnimation::anSpiral);
  led.SetAnimationDelay(35);
  app.ProcessMessages();
  gui::Bitmap other(96, 29, gui::Bitmap::Format::Bgra32);
  other.Fill(0x00FFFFFF);
  int tries = 0;
  gui::Timer intruder;
  intruder.SetInterval(1);
  intruder.SetOnTimer([&](gui::Timer& sender) {
    if (!led.IsPainting()) return;
    gui::Canvas canvas(other);
    led.PaintOn(canvas);
    ++tries;
    sender.SetEnabled(false);
  });
  led.SetValue("1234");
  app.ProcessMessages();
  EXPECT_EQ(tries, 1);
  EXPECT_FALSE(led.IsPainting());
  EXPECT_EQ(other.Pixel(40, 14), 0x00FFFFFFu);
  EXPECT_EQ(LitOnScreen(0), segments::LitSegments('1'));
}

TEST_F(SegmentDisplayTest, AValueStoredWhileAnimatingIsShownAfterwards) {
  SetUpLed(led, {10, 10, 96, 29}, 4, 3, kBlack, TSegmentAnimation::anLeft);
  led.SetAnimationDelay(70);
  app.ProcessMessages();
  gui::Timer changer;
  changer.SetInterval(20);
  changer.SetOnTimer([&](gui::Timer& sender) {
    if (!led.IsPainting()) return;
    led.SetValue("2");
    sender.SetEnabled(false);
  });
  led.SetValue("1");
  app.ProcessMessages();
  app.ProcessMessages();
  EXPECT_EQ(led.Value(), "2");
  EXPECT_EQ(LitOnScreen(3), segments::LitSegments('2'));
}

TEST_F(SegmentDisplayTest, DisplaysWithoutCellsPaintTheirBackground) {
  led.SetBounds(0, 0, 40, 20);
  led.SetColor(kBlue);
  led.SetDigitNum(0);
  led.SetValue("12");
  app.ProcessMessages();
  EXPECT_EQ(Shown(20, 10), kBlue);
}

}  // namespace
}  // namespace controls
