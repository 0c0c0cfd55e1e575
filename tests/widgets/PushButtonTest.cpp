// Standard push buttons: a raised face that sinks while held, and clicks on release.
#include <gtest/gtest.h>

#include "tests/gui/GuiTestSupport.h"
#include "widgets/PushButton.h"

namespace widgets::testing {
namespace {

using gui::testing::HeadlessApp;

class PushButtonFixture : public ::testing::Test {
 protected:
  HeadlessApp h{500, 300};
  PushButton submit{&h.window, "Submit My Score"};
  int clicks = 0;

  void SetUp() override {
    submit.SetBounds(193, 176, 228, 41);
    submit.SetFont({"Tahoma", 16, 0x00000000, true});
    submit.OnClick = [this](gui::Control&) { ++clicks; };
  }
};

TEST_F(PushButtonFixture, RaisedAtRestSunkenWhileHeld) {
  EXPECT_EQ(h.Pixel(193, 176), 0x00FFFFFFu);  // highlight top-left
  EXPECT_EQ(h.Pixel(420, 216), 0x00696969u);  // dark shadow bottom-right
  EXPECT_EQ(h.Pixel(200, 200), 0x00F0F0F0u);  // face
  EXPECT_EQ(h.CurrentCursor(), platform::Cursor::Arrow);
  h.MoveTo(200, 200);
  EXPECT_EQ(h.CurrentCursor(), platform::Cursor::Arrow);  // no hand for push buttons
  h.Press();
  EXPECT_TRUE(submit.Pressed());
  EXPECT_EQ(h.Pixel(193, 176), 0x00696969u);  // sunken: dark all round
  EXPECT_EQ(h.Pixel(194, 177), 0x00A0A0A0u);
  h.MoveTo(10, 10);
  EXPECT_FALSE(submit.Pressed());
  EXPECT_EQ(h.Pixel(193, 176), 0x00FFFFFFu);
  h.Release();
  EXPECT_EQ(clicks, 0);
}

TEST_F(PushButtonFixture, ClickOnReleaseInsideAndTheCaptionMovesWhenPressed) {
  h.Pump();
  const gui::Bitmap up = h.window.CaptureArea(submit.WindowRect());
  h.MoveTo(300, 190);
  h.Press();
  const gui::Bitmap down = h.window.CaptureArea(submit.WindowRect());
  // The caption's darkest pixel in the middle row moved by one to the right.
  auto firstInk = [](const gui::Bitmap& b) {
    for (int x = 3; x < b.Width(); ++x) {
      for (int y = 3; y < b.Height() - 3; ++y) {
        if ((b.Pixel(x, y) & 0xFF) < 0x40) return x;
      }
    }
    return -1;
  };
  EXPECT_EQ(firstInk(down), firstInk(up) + 1);
  EXPECT_EQ(clicks, 0);
  h.Release();
  EXPECT_EQ(clicks, 1);
  EXPECT_FALSE(submit.Pressed());
}

}  // namespace
}  // namespace widgets::testing
