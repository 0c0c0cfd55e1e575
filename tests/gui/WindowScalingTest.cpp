// Windows on denser screens: the design frame enlarged (each pixel repeated at whole
// factors, blended by area at fractional ones), pointer positions mapped back to the
// design, and a move to a screen of another density resizing the window.
#include <gtest/gtest.h>

#include "GuiTestSupport.h"
#include "gui/FrameScaler.h"

namespace gui::testing {
namespace {

constexpr Color kRed = 0x000000FF;
constexpr Color kBlue = 0x00FF0000;
constexpr Color kWhite = 0x00FFFFFF;

// A window on a screen of this scale, with a red and a blue box and a clickable box.
class ScaledWindow : public ::testing::Test {
 protected:
  explicit ScaledWindow(int scale = 200) {
    backend.SetScale(scale);
    window = std::make_unique<Window>();
    window->SetBounds(100, 50, 60, 40);
    window->SetBackgroundColor(kWhite);
    red = std::make_unique<ColorBox>(window.get(), Rect{10, 10, 20, 20}, kRed);
    blue = std::make_unique<ColorBox>(window.get(), Rect{30, 10, 37, 25}, kBlue);
    blue->OnClick = [this](Control&) { ++clicks; };
    window->Show();
    app.ProcessMessages();
  }
  platform::HeadlessWindow& Native() {
    return static_cast<platform::HeadlessWindow&>(window->Native());
  }

  platform::HeadlessBackend backend;
  Application app{backend};
  std::unique_ptr<Window> window;
  std::unique_ptr<ColorBox> red;
  std::unique_ptr<ColorBox> blue;
  int clicks = 0;
};

TEST_F(ScaledWindow, AtTwiceTheDensityEveryDesignPixelBecomesTwoByTwo) {
  EXPECT_EQ(window->Width(), 60);
  EXPECT_EQ(Native().Width(), 120);
  EXPECT_EQ(Native().Height(), 80);
  const Bitmap& design = window->Surface();
  for (int y = 0; y < 80; ++y) {
    for (int x = 0; x < 120; ++x) {
      ASSERT_EQ(Native().Pixel(x, y), design.Pixel(x / 2, y / 2) & 0xFFFFFF) << x << "," << y;
    }
  }
  EXPECT_EQ(Native().Pixel(20, 20), kRed);
  EXPECT_EQ(Native().Pixel(39, 39), kRed);
  EXPECT_EQ(Native().Pixel(40, 40), kWhite);
}

TEST_F(ScaledWindow, AClickAtScreenPixelsReachesTheControlOfTheDesign) {
  // The blue box is 30..36 by 10..24 in the design: 60..73 by 20..49 on the screen.
  backend.Click(Native().X() + 72, Native().Y() + 48);
  app.ProcessMessages();
  EXPECT_EQ(clicks, 1);
  backend.Click(Native().X() + 74, Native().Y() + 48);  // design x 37: outside
  app.ProcessMessages();
  EXPECT_EQ(clicks, 1);
}

TEST_F(ScaledWindow, ARepaintOfOneControlReachesTheScreenEnlarged) {
  red->SetColor(kBlue);
  app.ProcessMessages();
  EXPECT_EQ(Native().Pixel(20, 20), kBlue);
  EXPECT_EQ(Native().Pixel(39, 39), kBlue);
  EXPECT_EQ(Native().Pixel(41, 41), kWhite);
  for (const platform::Rect& r : Native().LastPresented()) {
    EXPECT_LE(r.right - r.left, 20);  // only the box, in screen pixels
  }
}

TEST_F(ScaledWindow, CentringUsesTheSizeOnTheScreen) {
  window->Center();
  EXPECT_EQ(Native().X(), (1280 - 120) / 2);
  EXPECT_EQ(Native().Y(), (1024 - 80) / 2);
}

TEST_F(ScaledWindow, AMoveToAScreenOfAnotherDensityResizesTheWindow) {
  backend.MoveToScreen(window->Native(), 100, 300, 200);
  app.ProcessMessages();
  EXPECT_EQ(window->Scale(), 100);
  EXPECT_EQ(Native().Width(), 60);
  EXPECT_EQ(Native().Height(), 40);
  EXPECT_EQ(Native().X(), 300);
  EXPECT_EQ(Native().Y(), 200);
  EXPECT_EQ(Native().Pixel(10, 10), kRed);
  EXPECT_EQ(Native().Pixel(20, 20), kWhite);
  backend.MoveToScreen(window->Native(), 150, 310, 210);
  app.ProcessMessages();
  EXPECT_EQ(Native().Width(), 90);
  EXPECT_EQ(Native().Height(), 60);
  EXPECT_EQ(Native().Pixel(16, 16), kRed);
}

class FractionalWindow : public ScaledWindow {
 protected:
  FractionalWindow() : ScaledWindow(150) {}
};

TEST_F(FractionalWindow, EdgesBlendByTheAreaTheyCover) {
  EXPECT_EQ(Native().Width(), 90);
  // The red box's left edge, design column 10, falls on screen column 15: no blend.
  EXPECT_EQ(Native().Pixel(15, 20), kRed);
  EXPECT_EQ(Native().Pixel(14, 20), kWhite);
  // The blue box ends after design column 36, at screen 55.5: screen column 55 covers
  // design 36.67..37.33, half blue and half white.
  EXPECT_EQ(Native().Pixel(54, 30), kBlue);
  EXPECT_EQ(Native().Pixel(56, 30), kWhite);
  const Color edge = Native().Pixel(55, 30);
  EXPECT_EQ(edge >> 16, 0xFFu);  // blue stays full
  EXPECT_NEAR(int(edge & 0xFF), 128, 2);
  EXPECT_NEAR(int((edge >> 8) & 0xFF), 128, 2);
}

TEST_F(FractionalWindow, PointerPositionsMapBackToTheDesign) {
  // The blue box's right edge: design column 36 is screen 54..55.
  backend.Click(Native().X() + 55, Native().Y() + 30);
  app.ProcessMessages();
  EXPECT_EQ(clicks, 1);
  backend.Click(Native().X() + 56, Native().Y() + 30);  // design 37.3: outside
  app.ProcessMessages();
  EXPECT_EQ(clicks, 1);
}

TEST(FrameScalerTest, LengthsRectanglesAndCoordinates) {
  EXPECT_EQ(ScaledLength(670, 200), 1340);
  EXPECT_EQ(ScaledLength(611, 200), 1222);
  EXPECT_EQ(ScaledLength(611, 150), 917);
  EXPECT_EQ(DesignCoordinate(1339, 200), 669);
  EXPECT_EQ(DesignCoordinate(-1, 200), -1);
  EXPECT_EQ(ScaledRect({10, 10, 20, 20}, 200), (Rect{20, 20, 40, 40}));
  const Rect fractional = ScaledRect({10, 10, 20, 20}, 150);
  EXPECT_LE(fractional.left, 14);
  EXPECT_GE(fractional.right, 30);
}

}  // namespace
}  // namespace gui::testing
