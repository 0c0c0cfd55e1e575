// The picture transition control on the headless backend: the periodic timer runs on
// virtual time, so every step, posted message and presented pixel is reproducible. The
// set-up is the program's: style 119 ("Fade"), step 8, delay 25 ms.
#include "controls/PictureTransition.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "controls/TransitionStyles.h"
#include "gui/Application.h"
#include "gui/Canvas.h"
#include "gui/PngWriter.h"
#include "gui/Window.h"
#include "platform/headless/HeadlessBackend.h"

namespace controls {
namespace {

using gui::Bitmap;

constexpr int64_t kPeriodNs = 25'000'000;

gui::Picture Solid(int w, int h, gui::Color color) {
  Bitmap bitmap(w, h, Bitmap::Format::Bgr24);
  bitmap.Fill(color);
  gui::Picture picture;
  picture.Assign(std::move(bitmap));
  return picture;
}

gui::Color Grey(uint8_t v) {
  return gui::Rgb(v, v, v);
}

class PictureTransitionTest : public ::testing::Test {
 protected:
  platform::HeadlessBackend backend;
  gui::Application app{backend};
  gui::Window window;
  TPictureTransition trans{&window};
  std::vector<std::string> log;

  void SetUp() override {
    window.SetBounds(0, 0, 320, 240);
    window.Show();
    trans.SetBounds(10, 10, 100, 100);
    trans.SetStyle(kFadeStyle);
    trans.SetStep(8);
    trans.SetDelay(25);
    trans.SetBgPicture(Solid(8, 8, Grey(200)));
    trans.SetPicture(Solid(100, 100, Grey(100)));
    trans.OnProgress = [this](TCustomPictureTransition& sender) {
      log.push_back(std::to_string(sender.Progress()) + " @" + std::to_string(NowMs()));
    };
    trans.OnComplete = [this](TCustomPictureTransition&) { log.push_back("complete"); };
    trans.OnStop = [this](TCustomPictureTransition&) { log.push_back("stop"); };
  }

  int64_t NowMs() const { return backend.Time().NowUs() / 1000; }
  // One timer period of virtual time, then the messages the step posted.
  void Period() {
    backend.Time().AdvanceBy(kPeriodNs);
    app.ProcessMessages();
  }
  int RunToEnd() {
    int periods = 0;
    while (trans.Busy() && periods < 100) {
      Period();
      ++periods;
    }
    return periods;
  }
  // The frame's grey level in the middle of the picture.
  int FrameGrey() const { return gui::Red(trans.ScreenCopy().Pixel(50, 50)); }
  // What the window presented at a point of the control.
  int PresentedGrey(int x, int y) {
    auto& native = dynamic_cast<platform::HeadlessWindow&>(window.Native());
    return gui::Red(native.Pixel(trans.Left() + x, trans.Top() + y));
  }
};

// ---- properties ------------------------------------------------------------------------

TEST(PictureTransitionDefaultsTest, StartsWithTheDocumentedValues) {
  TPictureTransition t;
  EXPECT_EQ(t.Width(), 100);
  EXPECT_EQ(t.Height(), 100);
  EXPECT_EQ(t.Style(), 51);
  EXPECT_EQ(t.StyleName(), "Appear and Contract to middle");
  EXPECT_EQ(t.Step(), 4);
  EXPECT_EQ(t.Delay(), 40);
  EXPECT_EQ(t.BgMode(), TBackgroundMode::bmTiled);
  EXPECT_EQ(t.FrameColor(), 0xFF00000Au);
  EXPECT_EQ(t.FrameWidth(), 0);
  EXPECT_TRUE(t.OverDraw());
  EXPECT_TRUE(t.Threaded());
  EXPECT_FALSE(t.Manual() || t.Reverse() || t.ExactTiming() || t.AutoSize());
  EXPECT_FALSE(t.Center() || t.Stretch() || t.Proportional());
  EXPECT_TRUE(t.Opaque());
  EXPECT_EQ(t.Progress(), 0);
  EXPECT_FALSE(t.Busy());
  EXPECT_TRUE(t.Picture().Empty());
  EXPECT_TRUE(t.ScreenCopy().Empty());
}

TEST(PictureTransitionDefaultsTest, StepIsKeptBetweenOneAndOneHundred) {
  TPictureTransition t;
  t.SetStep(0);
  EXPECT_EQ(t.Step(), 1);
  t.SetStep(150);
  EXPECT_EQ(t.Step(), 99);  // not 100
  t.SetStep(101);
  EXPECT_EQ(t.Step(), 99);
  t.SetStep(100);
  EXPECT_EQ(t.Step(), 100);
  t.SetStep(1);
  EXPECT_EQ(t.Step(), 1);
}

TEST(PictureTransitionDefaultsTest, StyleNumbersAboveTheTableAreIgnored) {
  TPictureTransition t;
  t.SetStyle(173);
  EXPECT_EQ(t.Style(), 51);
  t.SetStyle(255);
  EXPECT_EQ(t.Style(), 51);
  t.SetStyle(172);
  EXPECT_EQ(t.Style(), 172);
  EXPECT_EQ(t.StyleName(), "Channel Mix");
  t.SetStyle(0);
  EXPECT_EQ(t.StyleName(), "Custom");
}

TEST(PictureTransitionDefaultsTest, StyleNamesMatchInAnyCaseAndUnknownOnesChangeNothing) {
  TPictureTransition t;
  t.SetStyleName("fade");
  EXPECT_EQ(t.Style(), 119);
  t.SetStyleName("Custom");
  EXPECT_EQ(t.Style(), 0);
  t.SetStyleName("PUSH LEFT");
  EXPECT_EQ(t.Style(), 130);
  EXPECT_EQ(t.StyleName(), "Push left");
  t.SetStyleName("Crossfade");
  EXPECT_EQ(t.Style(), 130);
}

TEST(PictureTransitionDefaultsTest, AutoSizeFollowsThePictureAndTheFrame) {
  TPictureTransition t;
  int changes = 0;
  t.OnChange = [&](TCustomPictureTransition&) { ++changes; };
  t.SetPicture(Solid(73, 75, Grey(1)));
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(t.Width(), 100);  // AutoSize is off
  t.SetAutoSize(true);
  EXPECT_EQ(t.Width(), 73);
  EXPECT_EQ(t.Height(), 75);
  t.SetFrameWidth(3);
  EXPECT_EQ(t.Width(), 79);
  EXPECT_EQ(t.Height(), 81);
  t.SetPicture(Solid(10, 12, Grey(1)));
  EXPECT_EQ(changes, 2);
  EXPECT_EQ(t.Width(), 16);
  EXPECT_EQ(t.Height(), 18);
}

// ---- the fade on the timer ---------------------------------------------------------------

TEST_F(PictureTransitionTest, StepEightRunsThirteenPeriodsToOneHundred) {
  trans.Execute();
  EXPECT_TRUE(trans.Busy());
  EXPECT_EQ(trans.Progress(), 0);
  EXPECT_EQ(FrameGrey(), 200);  // the background is the starting frame
  EXPECT_EQ(RunToEnd(), 13);
  EXPECT_EQ(log, (std::vector<std::string>{"8 @25", "16 @50", "24 @75", "32 @100", "40 @125",
                                           "48 @150", "56 @175", "64 @200", "72 @225", "80 @250",
                                           "88 @275", "96 @300", "100 @325", "complete", "stop"}));
  EXPECT_FALSE(trans.Busy());
  EXPECT_EQ(FrameGrey(), 100);
  EXPECT_EQ(trans.ScreenCopy().Pixel(0, 0), Grey(100));
  EXPECT_EQ(trans.ScreenCopy().Pixel(99, 99), Grey(100));
}

TEST_F(PictureTransitionTest, EveryStepIsPresentedWithTheFadedBytes) {
  trans.Execute();
  Period();
  EXPECT_EQ(FrameGrey(), 192);  // 200 toward 100 at 8 %: floor(-7.8) = -8
  EXPECT_EQ(PresentedGrey(50, 50), 192);
  EXPECT_EQ(PresentedGrey(0, 0), 192);
  for (int i = 0; i < 5; ++i) Period();
  EXPECT_EQ(trans.Progress(), 48);
  EXPECT_EQ(PresentedGrey(99, 99), 151);  // a = 123: floor(-48.05) = -49
  RunToEnd();
  EXPECT_EQ(PresentedGrey(50, 50), 100);
}

TEST_F(PictureTransitionTest, StopRaisesOnlyOnStopAndKeepsTheLastFrame) {
  trans.Execute();
  for (int i = 0; i < 5; ++i) Period();
  const Bitmap frame = trans.ScreenCopy();
  log.clear();
  trans.Stop();
  EXPECT_EQ(log, (std::vector<std::string>{"stop"}));
  EXPECT_FALSE(trans.Busy());
  EXPECT_EQ(trans.Progress(), 40);
  for (int i = 0; i < 5; ++i) Period();
  EXPECT_EQ(log, (std::vector<std::string>{"stop"}));  // the timer is gone
  EXPECT_EQ(trans.ScreenCopy(), frame);
  EXPECT_EQ(PresentedGrey(50, 50), gui::Red(frame.Pixel(50, 50)));
  trans.Stop();  // idle: nothing more
  EXPECT_EQ(log.size(), 1u);
}

TEST_F(PictureTransitionTest, ASecondFadeStartsFromTheFrameShown) {
  trans.Execute();
  RunToEnd();
  trans.SetPicture(Solid(100, 100, Grey(0)));
  trans.Execute();
  EXPECT_EQ(FrameGrey(), 100);
  Period();
  EXPECT_EQ(FrameGrey(), 92);  // from the previous picture, not from the background (184)
}

TEST_F(PictureTransitionTest, WithoutOverDrawOrAtAnotherSizeTheFadeStartsFromTheBackground) {
  trans.Execute();
  RunToEnd();
  trans.SetOverDraw(false);
  trans.SetPicture(Solid(100, 100, Grey(0)));
  trans.Execute();
  Period();
  EXPECT_EQ(FrameGrey(), 184);  // 200 toward 0: floor(-15.6) = -16
  RunToEnd();

  trans.SetOverDraw(true);
  trans.SetPicture(Solid(90, 90, Grey(100)));
  trans.Execute();
  Period();
  EXPECT_EQ(gui::Red(trans.ScreenCopy().Pixel(45, 45)), 192);
}

TEST_F(PictureTransitionTest, ClearForgetsTheFrameSoTheNextFadeStartsFromTheBackground) {
  trans.Execute();
  RunToEnd();
  trans.Clear();
  EXPECT_TRUE(trans.ScreenCopy().Empty());
  EXPECT_TRUE(trans.DisplayRect().Empty());
  app.ProcessMessages();
  EXPECT_EQ(PresentedGrey(50, 50), 200);  // the tiled background again
  trans.SetPicture(Solid(100, 100, Grey(0)));
  trans.Execute();
  Period();
  EXPECT_EQ(FrameGrey(), 184);
}

TEST_F(PictureTransitionTest, ClearDuringATransitionDoesNothing) {
  trans.Execute();
  Period();
  trans.Clear();
  EXPECT_FALSE(trans.ScreenCopy().Empty());
  EXPECT_EQ(RunToEnd(), 12);
}

TEST_F(PictureTransitionTest, ReverseRunsFromOneHundredDownToTheStartingImage) {
  trans.SetReverse(true);
  trans.Execute();
  EXPECT_EQ(trans.Progress(), 100);
  Period();
  EXPECT_EQ(trans.Progress(), 92);
  EXPECT_EQ(FrameGrey(), 107);  // a = 236: floor(-92.19) = -93
  EXPECT_EQ(RunToEnd(), 12);
  EXPECT_EQ(log.front(), "92 @25");
  EXPECT_EQ(log[log.size() - 3], "0 @325");
  EXPECT_EQ(log.back(), "stop");
  EXPECT_EQ(FrameGrey(), 200);
}

TEST_F(PictureTransitionTest, ExecuteWithoutPictureOrWhileBusyDoesNothing) {
  int starts = 0;
  trans.OnStart = [&](TCustomPictureTransition&, Bitmap& picture, Bitmap& screen) {
    ++starts;
    EXPECT_EQ(gui::Red(picture.Pixel(0, 0)), 100);  // the new image
    EXPECT_EQ(gui::Red(screen.Pixel(0, 0)), 200);   // the starting image
  };
  TPictureTransition empty(&window);
  empty.Execute();
  EXPECT_FALSE(empty.Busy());
  EXPECT_TRUE(empty.ScreenCopy().Empty());

  trans.Execute();
  Period();
  trans.Execute();
  EXPECT_EQ(starts, 1);
  EXPECT_EQ(trans.Progress(), 8);
  EXPECT_EQ(RunToEnd(), 12);
}

// A completion posted by a transition that was then stopped must not end the next one.
TEST_F(PictureTransitionTest, MessagesOfAStoppedTransitionAreDropped) {
  trans.Execute();
  for (int i = 0; i < 13; ++i) backend.Time().AdvanceBy(kPeriodNs);  // posted, not handled
  EXPECT_EQ(trans.Progress(), 100);
  trans.Stop();
  trans.SetPicture(Solid(100, 100, Grey(0)));
  trans.Execute();
  app.ProcessMessages();
  EXPECT_TRUE(trans.Busy());
  EXPECT_EQ(log, (std::vector<std::string>{"stop"}));
  EXPECT_EQ(RunToEnd(), 13);
  EXPECT_EQ(log.back(), "stop");
  EXPECT_EQ(log[log.size() - 2], "complete");
}

TEST_F(PictureTransitionTest, DestroyingARunningControlRaisesNothing) {
  auto mascot = std::make_unique<TPictureTransition>(&window);
  int events = 0;
  mascot->OnComplete = mascot->OnStop =
      mascot->OnProgress = [&](TCustomPictureTransition&) { ++events; };
  mascot->SetDelay(25);
  mascot->SetPicture(Solid(20, 20, Grey(9)));
  mascot->Execute();
  backend.Time().AdvanceBy(kPeriodNs * 3);  // three progress messages queued
  mascot.reset();
  for (int i = 0; i < 10; ++i) Period();
  EXPECT_EQ(events, 0);
  EXPECT_EQ(backend.Time().NextPeriodicDueNs(), -1);
}

// ---- other ways to drive it --------------------------------------------------------------

TEST_F(PictureTransitionTest, WithoutThreadTheStepsRunInsideExecute) {
  trans.SetThreaded(false);
  const int64_t start = NowMs();
  trans.Execute();
  EXPECT_FALSE(trans.Busy());
  ASSERT_EQ(log.size(), 15u);
  EXPECT_EQ(log[0].substr(0, 2), "8 ");
  EXPECT_EQ(log[12].substr(0, 4), "100 ");
  EXPECT_EQ(log[13], "complete");
  EXPECT_GE(NowMs() - start, 12 * 25);
  EXPECT_EQ(FrameGrey(), 100);
}

TEST_F(PictureTransitionTest, ManualModeMovesOnlyWhereTheApplicationSays) {
  trans.SetManual(true);
  trans.Execute();
  EXPECT_TRUE(trans.Busy());
  for (int i = 0; i < 5; ++i) Period();
  EXPECT_EQ(trans.Progress(), 0);
  trans.SetProgress(50);
  EXPECT_EQ(FrameGrey(), 150);
  EXPECT_EQ(PresentedGrey(50, 50), 150);
  EXPECT_EQ(log.size(), 1u);  // raised at once, not posted
  trans.SetProgress(200);
  EXPECT_EQ(trans.Progress(), 100);
  EXPECT_EQ(FrameGrey(), 100);
  EXPECT_TRUE(trans.Busy());  // under way until Manual goes off

  trans.SetProgress(50);
  trans.SetStyle(5);  // "Reveal from left" recomposes the frame at once
  EXPECT_EQ(gui::Red(trans.ScreenCopy().Pixel(10, 50)), 100);
  EXPECT_EQ(gui::Red(trans.ScreenCopy().Pixel(90, 50)), 200);

  log.clear();
  trans.SetManual(false);  // the timer resumes
  EXPECT_EQ(RunToEnd(), 7);
  EXPECT_EQ(log.front().substr(0, 3), "58 ");
  EXPECT_EQ(log.back(), "stop");
}

TEST_F(PictureTransitionTest, ProgressCannotBeSetOutsideManualMode) {
  trans.Execute();
  trans.SetProgress(60);
  EXPECT_EQ(trans.Progress(), 0);
  TPictureTransition idle(&window);
  idle.SetReverse(true);
  idle.SetManual(true);
  EXPECT_EQ(idle.Progress(), 100);
}

TEST_F(PictureTransitionTest, StyleZeroLetsTheApplicationDrawBetweenTheFrameEvents) {
  std::vector<std::string> order;
  trans.SetStyle(0);
  trans.OnBeforeNewFrame = [&](TCustomPictureTransition&, Bitmap&, Bitmap& screen) {
    order.push_back("before " + std::to_string(gui::Red(screen.Pixel(0, 0))));
  };
  trans.OnCustomDraw = [&](TCustomPictureTransition& sender, Bitmap& picture, Bitmap& screen) {
    order.push_back("draw " + std::to_string(sender.Progress()));
    gui::Canvas(screen).Draw({0, 0}, picture, {0, 0, 100, 10});
  };
  trans.OnAfterNewFrame = [&](TCustomPictureTransition&, Bitmap&, Bitmap&) {
    order.push_back("after");
  };
  trans.Execute();
  Period();
  EXPECT_EQ(order, (std::vector<std::string>{"before 200", "draw 8", "after"}));
  EXPECT_EQ(gui::Red(trans.ScreenCopy().Pixel(5, 5)), 100);
  EXPECT_EQ(gui::Red(trans.ScreenCopy().Pixel(5, 50)), 200);
  RunToEnd();
  // At 100 the new image is copied without asking the application.
  EXPECT_EQ(order[order.size() - 2], "before 200");
  EXPECT_EQ(order.back(), "after");
  EXPECT_EQ(FrameGrey(), 100);
}

// ---- geometry and painting ---------------------------------------------------------------

TEST_F(PictureTransitionTest, DisplayRectangleFollowsCenterStretchAndProportional) {
  trans.SetManual(true);
  trans.SetPicture(Solid(50, 20, Grey(100)));
  trans.Execute();
  EXPECT_EQ(trans.DisplayRect(), gui::Rect::XYWH(0, 0, 50, 20));
  trans.SetCenter(true);
  EXPECT_EQ(trans.DisplayRect(), gui::Rect::XYWH(25, 40, 50, 20));
  trans.SetStretch(true);
  EXPECT_EQ(trans.DisplayRect(), gui::Rect::XYWH(0, 0, 100, 100));
  trans.SetProportional(true);
  EXPECT_EQ(trans.DisplayRect(), gui::Rect::XYWH(0, 30, 100, 40));
  trans.SetStretch(false);  // fits already: its own size
  EXPECT_EQ(trans.DisplayRect(), gui::Rect::XYWH(25, 40, 50, 20));
  trans.SetFrameWidth(5);
  EXPECT_EQ(trans.DisplayRect(), gui::Rect::XYWH(25, 40, 50, 20));
  trans.SetCenter(false);
  EXPECT_EQ(trans.DisplayRect(), gui::Rect::XYWH(5, 5, 50, 20));
  trans.SetBounds(10, 10, 40, 40);  // smaller than the picture: scaled down to fit
  EXPECT_EQ(trans.DisplayRect(), gui::Rect::XYWH(5, 5, 30, 12));
}

TEST_F(PictureTransitionTest, TheFrameIsDrawnAroundThePictureOverTheBackground) {
  trans.SetPicture(Solid(50, 20, Grey(100)));
  trans.SetFrameWidth(2);
  trans.SetFrameColor(gui::Rgb(255, 0, 0));
  trans.SetCenter(true);
  trans.Execute();
  RunToEnd();
  EXPECT_EQ(trans.DisplayRect(), gui::Rect::XYWH(25, 40, 50, 20));
  trans.Invalidate();
  window.Update();
  auto& native = dynamic_cast<platform::HeadlessWindow&>(window.Native());
  const auto at = [&](int x, int y) { return native.Pixel(10 + x, 10 + y); };
  EXPECT_EQ(at(23, 38), gui::Rgb(255, 0, 0));
  EXPECT_EQ(at(24, 50), gui::Rgb(255, 0, 0));
  EXPECT_EQ(at(76, 61), gui::Rgb(255, 0, 0));
  EXPECT_EQ(at(25, 40), Grey(100));
  EXPECT_EQ(at(22, 50), Grey(200));
  EXPECT_EQ(at(77, 61), Grey(200));
  EXPECT_EQ(at(0, 0), Grey(200));
}

class PictureTransitionBackgroundTest : public PictureTransitionTest {
 protected:
  void SetUp() override {
    PictureTransitionTest::SetUp();
    Bitmap pattern(3, 2, Bitmap::Format::Bgr24);
    for (int y = 0; y < 2; ++y) {
      for (int x = 0; x < 3; ++x)
        pattern.SetPixel(x, y, gui::Rgb(uint8_t(10 * (3 * y + x + 1)), 0, 0));
    }
    gui::Picture picture;
    picture.Assign(std::move(pattern));
    trans.SetBgPicture(picture);
    trans.SetColor(gui::Rgb(7, 7, 7));
  }
  gui::Color At(int x, int y) {
    trans.Invalidate();
    window.Update();
    return window.Surface().Pixel(10 + x, 10 + y);
  }
  static gui::Color Tile(int x, int y) { return gui::Rgb(uint8_t(10 * (3 * y + x + 1)), 0, 0); }
};

TEST_F(PictureTransitionBackgroundTest, TiledRepeatsFromTheTopLeft) {
  EXPECT_EQ(At(0, 0), Tile(0, 0));
  EXPECT_EQ(At(4, 3), Tile(1, 1));
  EXPECT_EQ(At(98, 99), Tile(2, 1));
}

TEST_F(PictureTransitionBackgroundTest, StretchedFillsTheClientArea) {
  trans.SetBgMode(TBackgroundMode::bmStretched);
  EXPECT_EQ(At(0, 0), Tile(0, 0));
  EXPECT_EQ(At(50, 20), Tile(1, 0));
  EXPECT_EQ(At(99, 99), Tile(2, 1));
}

TEST_F(PictureTransitionBackgroundTest, CenteredLeavesTheColourAround) {
  trans.SetBgMode(TBackgroundMode::bmCentered);
  EXPECT_EQ(At(48, 49), Tile(0, 0));
  EXPECT_EQ(At(50, 50), Tile(2, 1));
  EXPECT_EQ(At(47, 49), gui::Rgb(7, 7, 7));
  EXPECT_EQ(At(0, 0), gui::Rgb(7, 7, 7));
}

TEST_F(PictureTransitionBackgroundTest, NoneAndAnEmptyPictureFillWithTheColour) {
  trans.SetBgMode(TBackgroundMode::bmNone);
  EXPECT_EQ(At(1, 1), gui::Rgb(7, 7, 7));
  trans.SetBgMode(TBackgroundMode::bmTiled);
  trans.BgPicture().Clear();
  EXPECT_EQ(At(1, 1), gui::Rgb(7, 7, 7));
}

TEST_F(PictureTransitionBackgroundTest, ANewBackgroundIsRecapturedWhileFadingFromIt) {
  trans.SetManual(true);
  trans.Execute();
  trans.SetProgress(50);
  EXPECT_EQ(trans.ScreenCopy().Pixel(0, 0), gui::Rgb(55, 50, 50));  // 10 toward 100
  trans.SetBgPicture(Solid(4, 4, Grey(200)));
  EXPECT_EQ(FrameGrey(), 150);
}

// The page change as the main window does it: a picture of the page is the background,
// faded to the blank page. The frame half-way is written out to look at.
TEST_F(PictureTransitionTest, WritesAMidFadeFrameOfThePageArea) {
  window.SetBounds(0, 0, 670, 240);
  trans.SetBounds(10, 10, 650, 220);
  Bitmap page(650, 220, Bitmap::Format::Bgr24);
  {
    gui::Canvas canvas(page);
    canvas.FillRect({0, 0, 650, 220}, 0x00302D28);
    for (int i = 0; i < 8; ++i) {
      canvas.brush.color = gui::Rgb(uint8_t(40 + 25 * i), uint8_t(200 - 20 * i), 60);
      canvas.pen.color = gui::Rgb(255, 255, 255);
      canvas.Ellipse(gui::Rect::XYWH(20 + 78 * i, 40, 70, 140));
    }
  }
  gui::Picture captured;
  captured.Assign(std::move(page));
  Bitmap blank(650, 220, Bitmap::Format::Bgr24);
  for (int y = 0; y < 220; ++y) {
    for (int x = 0; x < 650; ++x) blank.SetPixel(x, y, gui::Rgb(uint8_t(x * 255 / 649), 90, 160));
  }
  gui::Picture blankPicture;
  blankPicture.Assign(std::move(blank));

  trans.Clear();
  trans.SetPicture(blankPicture);
  trans.SetBgPicture(captured);
  trans.Execute();
  for (int i = 0; i < 6; ++i) Period();
  EXPECT_EQ(trans.Progress(), 48);
  const Bitmap shown = window.CaptureArea(trans.WindowRect());
  const Bitmap frame = trans.ScreenCopy();
  for (const auto& [x, y] : {std::pair{0, 0}, std::pair{649, 219}, std::pair{55, 110}}) {
    EXPECT_EQ(shown.Pixel(x, y), frame.Pixel(x, y)) << x << "," << y;
  }
  // The page's 0x00302D28 toward the blank page's (0, 90, 160) with a = 123.
  EXPECT_EQ(frame.Pixel(0, 0), gui::Rgb(20, 66, 101));
  EXPECT_TRUE(gui::WritePng(shown, "picture-transition-mid-fade.png"));
}

}  // namespace
}  // namespace controls
