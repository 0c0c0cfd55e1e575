// The analog gauge: its properties and setter rules, the needle geometry of the three
// styles checked on the work bitmap's pixels, the K x K averaging, the persistent work
// bitmap, the events and the frame timing on virtual time.
#include "controls/AnalogGauge.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "gui/Application.h"
#include "gui/Palette.h"
#include "gui/Window.h"
#include "platform/headless/HeadlessBackend.h"

namespace controls {
namespace {

using gui::palette::kRed;

class CountingGauge : public TAnalogGauge {
 public:
  using TAnalogGauge::TAnalogGauge;
  int paints = 0;

 protected:
  void Paint(gui::Canvas& canvas) override {
    ++paints;
    TAnalogGauge::Paint(canvas);
  }
};

class AnalogGaugeTest : public ::testing::Test {
 protected:
  platform::HeadlessBackend backend;
  gui::Application app{backend};

  // The two instruments of the test page, without their pictures.
  static void SetUpTestPage(TAnalogGauge& gauge, int width, int height, int arrowWidth) {
    gauge.SetBounds(0, 0, width, height);
    gauge.SetAngle(360);
    gauge.SetScale(360);
    gauge.SetCenterRadius(4);
    gauge.SetArrowColor(kRed);
    gauge.SetAntiAliased(TAntialiased::aaBiline);
    gauge.SetIndMaximum(44);
    gauge.SetIndMinimum(1);
    gauge.SetArrowWidth(arrowWidth);
  }
};

// The needle reaches its end pixel, and stops there: a pixel a little further along the
// same direction keeps the background.
void ExpectNeedleEndsAt(const gui::Bitmap& bitmap, gui::Point pivot, gui::Point end, int penWidth,
                        gui::Color color) {
  EXPECT_EQ(bitmap.Pixel(end.x, end.y), color) << "end " << end.x << "," << end.y;
  const double dx = end.x - pivot.x;
  const double dy = end.y - pivot.y;
  const double length = std::hypot(dx, dy);
  const double beyond = penWidth / 2.0 + 2.5;
  const int bx = int(std::lround(end.x + dx / length * beyond));
  const int by = int(std::lround(end.y + dy / length * beyond));
  EXPECT_NE(bitmap.Pixel(bx, by), color) << "beyond " << bx << "," << by;
}

TEST_F(AnalogGaugeTest, ANewGaugeHasTheInitialValues) {
  TAnalogGauge gauge;
  EXPECT_EQ(gauge.Width(), 225);
  EXPECT_EQ(gauge.Height(), 180);
  EXPECT_EQ(gauge.MinColor(), 0x00008000u);
  EXPECT_EQ(gauge.MidColor(), 0x0000FFFFu);
  EXPECT_EQ(gauge.MaxColor(), 0x000000FFu);
  EXPECT_EQ(gauge.FaceColor(), 0xFF00000Fu);
  EXPECT_EQ(gauge.ArrowColor(), 0x00000000u);
  EXPECT_EQ(gauge.CenterColor(), 0x00808080u);
  EXPECT_EQ(gauge.CircleColor(), 0x00FF0000u);
  EXPECT_EQ(gauge.CenterRadius(), 8);
  EXPECT_EQ(gauge.CircleRadius(), 3);
  EXPECT_EQ(gauge.Angle(), 120);
  EXPECT_EQ(gauge.Margin(), 10);
  EXPECT_EQ(gauge.Style(), TStyle::CenterStyle);
  EXPECT_EQ(gauge.ArrowWidth(), 1);
  EXPECT_EQ(gauge.NumberMainTicks(), 7);
  EXPECT_EQ(gauge.LengthMainTicks(), 15);
  EXPECT_EQ(gauge.LengthSubTicks(), 8);
  // ShowMargin, ShowMainTicks, ShowSubTicks, ShowIndicatorMax, ShowValues, ShowCenter,
  // ShowFrame, Show3D and ShowCaption: bits 0, 2, 3, 6, 7, 8, 9, 10, 11.
  EXPECT_EQ(gauge.FaceOptions().Bits(), 0x0FCDu);
  EXPECT_EQ(gauge.Position(), 0.0f);
  EXPECT_EQ(gauge.Scale(), 140);
  EXPECT_EQ(gauge.IndMaximum(), 80);
  EXPECT_EQ(gauge.IndMinimum(), 30);
  EXPECT_EQ(gauge.Caption(), "mV");
  EXPECT_EQ(gauge.AntiAliased(), TAntialiased::aaNone);
  EXPECT_TRUE(gauge.Picture().Empty());
  EXPECT_EQ(gauge.WorkBitmap().Width(), 225);
  EXPECT_EQ(gauge.WorkBitmap().PixelFormat(), gui::Bitmap::Format::Bgra32);
  EXPECT_EQ(gauge.SmoothBitmap(), nullptr);
}

// --- Geometry ---------------------------------------------------------------------------

TEST_F(AnalogGaugeTest, TheInitialSettingsPutThePivotLowInTheControl) {
  TAnalogGauge gauge;
  gauge.SetArrowWidth(3);
  gauge.SetArrowColor(kRed);
  const TNeedleGeometry g = gauge.NeedleGeometry(225, 180, 1);
  EXPECT_EQ(g.cx, 112);
  EXPECT_EQ(g.cy, 149);
  EXPECT_EQ(g.r, 118);
  EXPECT_EQ(g.s, 30);
  EXPECT_EQ(gauge.NeedleEnd(g, 70.0f), (gui::Point{112, 31}));
  EXPECT_EQ(gauge.NeedleEnd(g, 0.0f), (gui::Point{10, 90}));

  gauge.SetPosition(70.0f);
  ExpectNeedleEndsAt(gauge.WorkBitmap(), {112, 149}, {112, 31}, 3, kRed);
  EXPECT_EQ(gauge.WorkBitmap().Pixel(112, 90), kRed);
}

TEST_F(AnalogGaugeTest, AThinNeedleLeavesOutItsEndPixel) {
  TAnalogGauge gauge;
  gauge.SetArrowColor(kRed);
  gauge.SetFaceOptions(gauge.FaceOptions().Without(TFaceOption::ShowCenter));
  gauge.SetPosition(70.0f);
  EXPECT_EQ(gauge.WorkBitmap().Pixel(112, 149), kRed);
  EXPECT_EQ(gauge.WorkBitmap().Pixel(112, 32), kRed);
  EXPECT_NE(gauge.WorkBitmap().Pixel(112, 31), kRed);
}

TEST_F(AnalogGaugeTest, TheMhzGaugeAtFactorTwo) {
  TAnalogGauge gauge;
  SetUpTestPage(gauge, 188, 178, 1);
  ASSERT_EQ(gauge.WorkBitmap().Width(), 376);
  ASSERT_EQ(gauge.WorkBitmap().Height(), 356);
  const TNeedleGeometry g = gauge.NeedleGeometry(376, 356, 2);
  EXPECT_EQ(g.cx, 188);
  EXPECT_EQ(g.cy, 178);
  EXPECT_EQ(g.r, 168);
  EXPECT_EQ(g.s, -90);

  gauge.SetPosition(73.0f);
  ExpectNeedleEndsAt(gauge.WorkBitmap(), {188, 178}, {27, 227}, 2, kRed);
  gauge.SetPosition(245.0f);
  ExpectNeedleEndsAt(gauge.WorkBitmap(), {188, 178}, {340, 107}, 2, kRed);
}

TEST_F(AnalogGaugeTest, ThePercentGaugeAtFactorTwo) {
  TAnalogGauge gauge;
  SetUpTestPage(gauge, 119, 122, 1);
  const TNeedleGeometry g = gauge.NeedleGeometry(238, 244, 2);
  EXPECT_EQ(g.cx, 119);
  EXPECT_EQ(g.cy, 122);
  EXPECT_EQ(g.r, 99);

  gauge.SetPosition(110.0f);
  ExpectNeedleEndsAt(gauge.WorkBitmap(), {119, 122}, {26, 88}, 2, kRed);
  gauge.SetPosition(250.0f);
  ExpectNeedleEndsAt(gauge.WorkBitmap(), {119, 122}, {212, 88}, 2, kRed);
}

TEST_F(AnalogGaugeTest, PositionOneEightyPointsStraightUp) {
  TAnalogGauge gauge;
  SetUpTestPage(gauge, 188, 178, 1);
  const TNeedleGeometry g = gauge.NeedleGeometry(376, 356, 2);
  EXPECT_EQ(gauge.NeedleEnd(g, 180.0f), (gui::Point{188, 10}));
  EXPECT_EQ(gauge.NeedleEnd(g, 90.0f), (gui::Point{20, 178}));
}

TEST_F(AnalogGaugeTest, CornerStylesPivotAtTheLowerCornersAndSweepAQuarterAtMost) {
  TAnalogGauge gauge;
  gauge.SetStyle(TStyle::LeftStyle);
  EXPECT_EQ(gauge.Angle(), 90);  // corrected while composing, and kept
  TNeedleGeometry g = gauge.NeedleGeometry(225, 180, 1);
  EXPECT_EQ(g.cx, 10);
  EXPECT_EQ(g.cy, 170);
  EXPECT_EQ(g.r, 205);
  EXPECT_EQ(g.s, 90);
  // Position 0 points straight up from the pivot.
  EXPECT_EQ(gauge.NeedleEnd(g, 0.0f), (gui::Point{10, -35}));

  gauge.SetStyle(TStyle::RightStyle);
  g = gauge.NeedleGeometry(225, 180, 1);
  EXPECT_EQ(g.cx, 215);
  EXPECT_EQ(g.cy, 170);
  EXPECT_EQ(g.s, 0);
  EXPECT_EQ(gauge.NeedleEnd(g, 0.0f), (gui::Point{10, 170}));  // a = 0 points left
}

TEST_F(AnalogGaugeTest, AShallowCentreDialIsLimitedByTheHeight) {
  TAnalogGauge gauge;
  gauge.SetAngle(20);  // s = 80: the radius from the width would be far too long
  const TNeedleGeometry g = gauge.NeedleGeometry(225, 180, 1);
  EXPECT_EQ(g.r, 160);
  EXPECT_EQ(g.cy, (180 - 160) / 2 + 160);
}

TEST_F(AnalogGaugeTest, TheHubCoversThePivotInTheCentreColourInsideARedRing) {
  TAnalogGauge gauge;
  SetUpTestPage(gauge, 188, 178, 5);
  gauge.SetPosition(200.0f);  // the needle points up and right, clear of the hub's left
  // R = 4 x 2 with the 10-pixel needle pen centred on the outline: the ring reaches 5
  // pixels outside the hub's box and 5 inside, and the centre keeps the fill colour.
  const gui::Bitmap& work = gauge.WorkBitmap();
  EXPECT_EQ(work.Pixel(188, 178), 0x00808080u);
  EXPECT_EQ(work.Pixel(188 - 8, 178), kRed);            // the hub's box edge
  EXPECT_EQ(work.Pixel(188 - 8 - 5, 178), kRed);        // half the pen outside it
  EXPECT_NE(work.Pixel(188 - 8 - 6, 178), kRed);        // and no further
  EXPECT_EQ(work.Pixel(188, 178 + 8 + 3), kRed);        // below, the ring is as wide
  EXPECT_EQ(gauge.Shown().Pixel(93, 88), 0x00808080u);  // seen on the control too
  gauge.SetFaceOptions(gauge.FaceOptions().Without(TFaceOption::ShowCenter));
  gauge.SetPosition(201.0f);
  EXPECT_EQ(work.Pixel(188, 178), kRed);
}

// --- Setter rules -----------------------------------------------------------------------

TEST_F(AnalogGaugeTest, AStricterScalePullsTheLimitsInside) {
  TAnalogGauge gauge;
  gauge.SetScale(50);
  EXPECT_EQ(gauge.Scale(), 50);
  EXPECT_EQ(gauge.IndMaximum(), 49);
  EXPECT_EQ(gauge.IndMinimum(), 1);
}

TEST_F(AnalogGaugeTest, OutOfRangeValuesAreIgnored) {
  TAnalogGauge gauge;
  gauge.SetScale(1);
  EXPECT_EQ(gauge.Scale(), 140);
  gauge.SetAngle(10);
  gauge.SetAngle(361);
  EXPECT_EQ(gauge.Angle(), 120);
  gauge.SetAngle(11);
  EXPECT_EQ(gauge.Angle(), 11);
  gauge.SetIndMaximum(0);
  gauge.SetIndMaximum(140);
  EXPECT_EQ(gauge.IndMaximum(), 80);
  gauge.SetIndMaximum(139);
  EXPECT_EQ(gauge.IndMaximum(), 139);
  gauge.SetIndMinimum(-3);
  EXPECT_EQ(gauge.IndMinimum(), 30);
  gauge.SetIndMinimum(1);
  EXPECT_EQ(gauge.IndMinimum(), 1);
}

TEST_F(AnalogGaugeTest, TheArrowWidthIsClampedToOneToFive) {
  TAnalogGauge gauge;
  gauge.SetArrowWidth(0);
  EXPECT_EQ(gauge.ArrowWidth(), 1);
  gauge.SetArrowWidth(9);
  EXPECT_EQ(gauge.ArrowWidth(), 5);
  gauge.SetArrowWidth(3);
  EXPECT_EQ(gauge.ArrowWidth(), 3);
}

TEST_F(AnalogGaugeTest, TheControlIsAtLeastSixtyByFifty) {
  TAnalogGauge gauge;
  gauge.SetAntiAliased(TAntialiased::aaQuadral);
  gauge.SetWidth(40);
  EXPECT_EQ(gauge.Width(), 60);
  gauge.SetHeight(10);
  EXPECT_EQ(gauge.Height(), 50);
  EXPECT_EQ(gauge.WorkBitmap().Width(), 240);
  EXPECT_EQ(gauge.WorkBitmap().Height(), 200);
  ASSERT_NE(gauge.SmoothBitmap(), nullptr);
  EXPECT_EQ(gauge.SmoothBitmap()->Width(), 60);
}

TEST_F(AnalogGaugeTest, TheFactorSizesTheBitmaps) {
  TAnalogGauge gauge;
  gauge.SetBounds(0, 0, 100, 80);
  gauge.SetAntiAliased(TAntialiased::aaTriline);
  EXPECT_EQ(gauge.WorkBitmap().Width(), 300);
  EXPECT_EQ(gauge.WorkBitmap().Height(), 240);
  EXPECT_EQ(gauge.WorkBitmap().PixelFormat(), gui::Bitmap::Format::Bgr24);
  ASSERT_NE(gauge.SmoothBitmap(), nullptr);
  EXPECT_EQ(gauge.SmoothBitmap()->Width(), 100);
  EXPECT_EQ(gauge.SmoothBitmap()->PixelFormat(), gui::Bitmap::Format::Bgr24);
  gauge.SetAntiAliased(TAntialiased::aaNone);
  EXPECT_EQ(gauge.SmoothBitmap(), nullptr);
  EXPECT_EQ(gauge.WorkBitmap().Width(), 100);
  EXPECT_EQ(gauge.WorkBitmap().PixelFormat(), gui::Bitmap::Format::Bgra32);
}

TEST_F(AnalogGaugeTest, ThePictureIsWidenedToFourHundredPixels) {
  TAnalogGauge gauge;
  gui::Bitmap narrow(100, 50, gui::Bitmap::Format::Bgr24);
  narrow.Fill(0x00123456);
  gui::Picture picture;
  picture.Assign(narrow);
  gauge.SetPicture(picture);
  EXPECT_EQ(gauge.Picture().Width(), 400);
  EXPECT_EQ(gauge.Picture().Height(), 50);
  EXPECT_EQ(gauge.Picture().Image().Pixel(99, 10), 0x00123456u);
  EXPECT_EQ(gauge.Picture().Image().Pixel(399, 10), 0x00000000u);

  gui::Bitmap wide(600, 20, gui::Bitmap::Format::Bgr24);
  wide.SetPixel(399, 5, 0x00ABCDEF);
  picture.Assign(wide);
  gauge.SetPicture(picture);
  EXPECT_EQ(gauge.Picture().Width(), 400);
  EXPECT_EQ(gauge.Picture().Image().Pixel(399, 5), 0x00ABCDEFu);

  gauge.SetPicture(gui::Picture());
  EXPECT_TRUE(gauge.Picture().Empty());
}

TEST_F(AnalogGaugeTest, ThePictureShowsFromTheNextComposition) {
  TAnalogGauge gauge;
  gui::Bitmap face(225, 180, gui::Bitmap::Format::Bgr24);
  face.Fill(0x00203040);
  gui::Picture picture;
  picture.Assign(face);
  gauge.SetPicture(picture);
  EXPECT_EQ(gauge.WorkBitmap().Pixel(5, 5), 0x00000000u);
  gauge.SetPosition(1.0f);
  EXPECT_EQ(gauge.WorkBitmap().Pixel(5, 5), 0x00203040u);
  EXPECT_EQ(gauge.WorkBitmap().Pixel(224, 179), 0x00203040u);
}

// --- Composition ------------------------------------------------------------------------

TEST_F(AnalogGaugeTest, AveragingTakesEachChannelOfAKByKBlockRoundingDown) {
  TAnalogGauge gauge;
  gauge.SetBounds(0, 0, 60, 50);
  gauge.SetAntiAliased(TAntialiased::aaTriline);
  // The top-left 3 x 3 block and the one right of it, far from needle and hub.
  gui::Bitmap face(400, 150, gui::Bitmap::Format::Bgr24);
  int sumR = 0, sumG = 0, sumB = 0;
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 3; ++x) {
      const int r = 10 * x + y, g = 200 + 5 * y + x, b = (x * 37 + y * 11) % 256;
      face.SetPixel(x, y, gui::Rgb(uint8_t(r), uint8_t(g), uint8_t(b)));
      face.SetPixel(x + 3, y, 0x00FFFFFF);
      sumR += r;
      sumG += g;
      sumB += b;
    }
  }
  face.SetPixel(5, 2, 0x00000000);  // one black pixel: 8 x 255 / 9 = 226.67
  gui::Picture picture;
  picture.Assign(face);
  gauge.SetPicture(picture);
  gauge.SetPosition(100.0f);
  ASSERT_NE(gauge.SmoothBitmap(), nullptr);
  EXPECT_EQ(gauge.SmoothBitmap()->Pixel(0, 0),
            gui::Rgb(uint8_t(sumR / 9), uint8_t(sumG / 9), uint8_t(sumB / 9)));
  EXPECT_EQ(gauge.SmoothBitmap()->Pixel(1, 0), gui::Rgb(226, 226, 226));
}

TEST_F(AnalogGaugeTest, TheWorkBitmapKeepsWhatThePictureDoesNotCover) {
  TAnalogGauge gauge;
  gauge.SetArrowColor(kRed);
  gauge.SetArrowWidth(3);
  gui::Bitmap strip(400, 10, gui::Bitmap::Format::Bgr24);
  strip.Fill(0x00404040);
  gui::Picture picture;
  picture.Assign(strip);
  gauge.SetPicture(picture);
  gauge.SetPosition(0.0f + 1.0f);  // nearly the left end of the scale
  const gui::Point oldMid{(112 + 11) / 2, (149 + 89) / 2};
  ASSERT_EQ(gauge.WorkBitmap().Pixel(oldMid.x, oldMid.y), kRed);
  gauge.SetPosition(70.0f);
  // The old needle stays below the strip the picture repaints.
  EXPECT_EQ(gauge.WorkBitmap().Pixel(oldMid.x, oldMid.y), kRed);
  EXPECT_EQ(gauge.WorkBitmap().Pixel(112, 40), kRed);
  EXPECT_EQ(gauge.WorkBitmap().Pixel(30, 5), 0x00404040u);
}

// --- Events -----------------------------------------------------------------------------

TEST_F(AnalogGaugeTest, TheLimitEventsFireOnEveryChangeBeyondALimit) {
  TAnalogGauge gauge;
  SetUpTestPage(gauge, 188, 178, 5);
  std::vector<std::string> events;
  gauge.OnOverMax = [&](TAnalogGauge& sender) {
    EXPECT_EQ(&sender, &gauge);
    events.push_back("max " + std::to_string(int(sender.Position())));
  };
  gauge.OnOverMin = [&](TAnalogGauge& sender) {
    events.push_back("min " + std::to_string(int(sender.Position() * 10)));
  };
  gauge.SetPosition(44.0f);  // on the limit: not above it
  gauge.SetPosition(73.0f);
  gauge.SetPosition(80.0f);
  gauge.SetPosition(80.0f);  // unchanged: nothing
  gauge.SetPosition(1.0f);
  gauge.SetPosition(0.5f);
  EXPECT_EQ(events, (std::vector<std::string>{"max 73", "max 80", "min 5"}));
}

TEST_F(AnalogGaugeTest, AnUnchangedPositionDoesNotRedraw) {
  gui::Window window;
  window.SetBounds(0, 0, 300, 300);
  window.Show();
  CountingGauge gauge(&window);
  SetUpTestPage(gauge, 188, 178, 5);
  gauge.SetPosition(73.0f);
  app.ProcessMessages();
  const int paints = gauge.paints;
  EXPECT_GE(paints, 1);
  gauge.SetPosition(73.0f);
  app.ProcessMessages();
  EXPECT_EQ(gauge.paints, paints);
  gauge.SetPosition(74.0f);
  app.ProcessMessages();
  EXPECT_EQ(gauge.paints, paints + 1);
}

TEST_F(AnalogGaugeTest, PaintCopiesTheAveragedImageToTheWindow) {
  gui::Window window;
  window.SetBounds(0, 0, 300, 300);
  window.Show();
  TAnalogGauge gauge(&window);
  SetUpTestPage(gauge, 188, 178, 5);
  gauge.SetLeft(20);
  gauge.SetPosition(202.0f);
  app.ProcessMessages();
  auto& native = static_cast<platform::HeadlessWindow&>(window.Native());
  const gui::Bitmap& shown = *gauge.SmoothBitmap();
  for (gui::Point p : {gui::Point{94, 89}, gui::Point{120, 40}, gui::Point{5, 5}}) {
    EXPECT_EQ(native.Pixel(20 + p.x, p.y), shown.Pixel(p.x, p.y)) << p.x << "," << p.y;
  }
}

TEST_F(AnalogGaugeTest, FramesComeFromTheHighResolutionCounter) {
  TAnalogGauge gauge;
  int changes = 0;
  gauge.OnFrames = [&](TAnalogGauge&) { ++changes; };
  // Composing reads the counter twice; each read moves virtual time one step.
  backend.Time().SetReadStepNs(1'000'000);
  gauge.SetPosition(1.0f);
  EXPECT_EQ(gauge.Frames(), 1000);
  EXPECT_EQ(changes, 1);
  gauge.SetPosition(2.0f);
  EXPECT_EQ(changes, 1);  // the same rate raises nothing
  backend.Time().SetReadStepNs(4'000'000);
  gauge.SetPosition(3.0f);
  EXPECT_EQ(gauge.Frames(), 250);
  EXPECT_EQ(changes, 2);
}

// The needle ends of both gauges of the program at every eighth of a degree, at factors 1
// to 3, folded into one FNV-1a hash taken on the Linux build. A build whose floating point
// rounds otherwise (the 32-bit build's x87 unit) moves some end by a pixel and fails.
TEST_F(AnalogGaugeTest, EveryNeedleEndIsTheSameOnEveryBuild) {
  TAnalogGauge gauge;
  gauge.SetStyle(TStyle::CenterStyle);
  gauge.SetAngle(360);
  gauge.SetScale(360);
  gauge.SetMargin(10);
  uint64_t hash = 14695981039346656037ull;
  const auto fold = [&hash](int value) {
    hash = (hash ^ static_cast<uint32_t>(value)) * 1099511628211ull;
  };
  for (const auto& [width, height] : {std::pair{119, 122}, std::pair{188, 178}}) {
    for (int k = 1; k <= 3; ++k) {
      const TNeedleGeometry g = gauge.NeedleGeometry(width * k, height * k, k);
      for (int eighths = 0; eighths <= 360 * 8; ++eighths) {
        const gui::Point end = gauge.NeedleEnd(g, static_cast<float>(eighths) / 8);
        fold(end.x);
        fold(end.y);
      }
    }
  }
  EXPECT_EQ(hash, 1102205986289189491u);
}

}  // namespace
}  // namespace controls
