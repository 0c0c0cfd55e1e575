// Styled glow buttons: their states under the pointer, clicks only on a release inside,
// and how each state looks.
#include <gtest/gtest.h>

#include "tests/gui/GuiTestSupport.h"
#include "widgets/GlowButton.h"

namespace widgets::testing {
namespace {

using gui::testing::HeadlessApp;

class GlowButtonFixture : public ::testing::Test {
 protected:
  HeadlessApp h;
  GlowButton button{&h.window, "Test CPU Speed"};
  int clicks = 0;

  void SetUp() override {
    button.SetBounds(6, 10, 186, 35);
    button.OnClick = [this](gui::Control&) { ++clicks; };
    h.Pump();
  }
  gui::Color UpperCentre() { return h.Pixel(6 + 93, 10 + 12); }
  gui::Color LowerCentre() { return h.Pixel(6 + 93, 10 + 30); }
};

TEST_F(GlowButtonFixture, StatesFollowEnterPressAndLeave) {
  EXPECT_EQ(button.State(), ButtonState::Rest);
  h.MoveTo(50, 20);
  EXPECT_EQ(button.State(), ButtonState::Hover);
  EXPECT_EQ(h.CurrentCursor(), platform::Cursor::Hand);
  h.Press();
  EXPECT_EQ(button.State(), ButtonState::Pressed);
  h.MoveTo(300, 200);  // held down but outside: glowing, not pressed
  EXPECT_EQ(button.State(), ButtonState::Hover);
  h.MoveTo(50, 20);
  EXPECT_EQ(button.State(), ButtonState::Pressed);
  h.Release();
  EXPECT_EQ(button.State(), ButtonState::Hover);
  h.MoveTo(300, 200);
  EXPECT_EQ(button.State(), ButtonState::Rest);
  EXPECT_EQ(h.CurrentCursor(), platform::Cursor::Arrow);
}

TEST_F(GlowButtonFixture, ClickOnlyOnAReleaseInside) {
  h.MoveTo(50, 20);
  h.Press();
  EXPECT_EQ(clicks, 0);  // not on the press
  h.Release();
  EXPECT_EQ(clicks, 1);

  h.Press();
  h.MoveTo(300, 200);
  h.Release();
  EXPECT_EQ(clicks, 1);  // released outside
  EXPECT_EQ(button.State(), ButtonState::Rest);
}

TEST_F(GlowButtonFixture, RestIsBlackWithoutAFrame) {
  EXPECT_EQ(UpperCentre(), 0x00000000u);
  EXPECT_EQ(LowerCentre(), 0x00000000u);
  EXPECT_EQ(h.Pixel(6 + 93, 10), 0x00000000u);  // no frame on the top edge
}

TEST_F(GlowButtonFixture, HoverGlowsRedInTheUpperHalfOnlyWithTheRestBorder) {
  h.MoveTo(300, 200);
  h.MoveTo(20, 40);  // the lower left of the button
  const gui::Color upper = UpperCentre();
  EXPECT_GT(gui::Red(upper), 80);
  EXPECT_EQ(gui::Green(upper), 0);
  EXPECT_EQ(gui::Blue(upper), 0);
  // Brighter towards the middle of the button, fading out to the top.
  EXPECT_GT(gui::Red(h.Pixel(6 + 93, 10 + 16)), gui::Red(upper));
  EXPECT_LT(gui::Red(h.Pixel(6 + 93, 10 + 3)), gui::Red(upper));
  EXPECT_EQ(LowerCentre(), 0x00000000u);
  EXPECT_EQ(h.Pixel(6 + 93, 10), 0x0073685Fu);       // frame, top edge
  EXPECT_EQ(h.Pixel(6 + 93, 10 + 34), 0x0073685Fu);  // frame, bottom edge
}

TEST_F(GlowButtonFixture, PressedTurnsTheBorderRed) {
  h.MoveTo(20, 40);
  h.Press();
  EXPECT_EQ(h.Pixel(6 + 93, 10), 0x000000FFu);
  EXPECT_EQ(h.Pixel(6, 10 + 17), 0x000000FFu);  // left edge
  EXPECT_GT(gui::Red(UpperCentre()), 80);
  EXPECT_EQ(LowerCentre(), 0x00000000u);
}

TEST_F(GlowButtonFixture, RoundedCornersLetTheBackgroundShow) {
  h.window.SetBackgroundColor(0x00302D28);
  h.MoveTo(20, 40);
  EXPECT_EQ(h.Pixel(6, 10), 0x00302D28u);
}

TEST_F(GlowButtonFixture, ExitGlowsLime) {
  button.SetGlowColor(0x0000FF00);
  h.MoveTo(20, 40);
  const gui::Color upper = UpperCentre();
  EXPECT_GT(gui::Green(upper), 80);
  EXPECT_EQ(gui::Red(upper), 0);
}

TEST_F(GlowButtonFixture, HidingWhileHeldStartsOverAtRest) {
  h.MoveTo(20, 40);
  h.Press();
  button.Hide();
  h.Release();
  button.Show();
  EXPECT_EQ(button.State(), ButtonState::Rest);
  EXPECT_EQ(clicks, 0);
}

TEST_F(GlowButtonFixture, DisabledButtonsDoNotGlow) {
  button.SetEnabled(false);
  h.MoveTo(20, 40);
  EXPECT_EQ(button.State(), ButtonState::Rest);
  EXPECT_EQ(UpperCentre(), 0x00000000u);
}

TEST(GlowButtonSquare, HoverRunsFromBlackAtTheTopToRedWithTheLowerHalfRed) {
  HeadlessApp h;
  GlowButton close(&h.window, "X");
  close.SetShape(GlowShape::Square);
  close.SetBounds(300, 2, 20, 16);
  EXPECT_EQ(h.Pixel(301, 3), 0x00000000u);  // at rest black
  EXPECT_EQ(h.Pixel(301, 15), 0x00000000u);
  h.MoveTo(310, 14);
  const gui::Color top = h.Pixel(303, 3);
  const gui::Color middle = h.Pixel(303, 8);
  EXPECT_LT(gui::Red(top), gui::Red(middle));
  EXPECT_LT(gui::Red(top), 100);
  EXPECT_EQ(h.Pixel(303, 14), 0x000000FFu);
  EXPECT_EQ(h.Pixel(316, 11), 0x000000FFu);
}

TEST(GlowButtonLabel, LabelOnlyShowsOnlyItsCaptionInEveryState) {
  HeadlessApp h;
  h.window.SetBackgroundColor(0x00302D28);
  GlowButton name(&h.window);
  name.SetLabelOnly(true);
  name.SetCaptionRuns({{"Tacho", 0x00FFFFFF}, {"ra", 0x000000FF}});
  name.SetFont({"Arial", 19, 0x00FFFFFF, true});
  name.SetBounds(10, 10, 120, 30);
  EXPECT_EQ(name.Caption(), "Tachora");
  h.MoveTo(12, 12);
  EXPECT_EQ(h.CurrentCursor(), platform::Cursor::Arrow);
  h.Press();
  // The corners and edges show the window behind; the caption is white and red.
  EXPECT_EQ(h.Pixel(10, 10), 0x00302D28u);
  EXPECT_EQ(h.Pixel(129, 39), 0x00302D28u);
  bool white = false, red = false;
  for (int y = 10; y < 40; ++y) {
    for (int x = 10; x < 130; ++x) {
      white = white || h.Native().Pixel(x, y) == 0x00FFFFFFu;
      red = red || h.Native().Pixel(x, y) == 0x000000FFu;
    }
  }
  EXPECT_TRUE(white);
  EXPECT_TRUE(red);
  h.Release();
}

}  // namespace
}  // namespace widgets::testing
