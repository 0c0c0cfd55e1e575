// The main window's frame: the bands in their colours, the welcome page's texts on
// screen, dragging only from the caption's centre image, the hand over links and buttons.
#include <gtest/gtest.h>

#include "UiTestSupport.h"

namespace ui::testing {
namespace {

gui::Color At(const gui::Bitmap& b, int x, int y) {
  return b.Pixel(x, y) & 0x00FFFFFF;
}

// Pixels of a colour (within a small tolerance per channel) inside a window rectangle.
int CountNear(const gui::Bitmap& b, const gui::Rect& r, gui::Color c, int tolerance = 40) {
  int n = 0;
  for (int y = r.top; y < r.bottom; ++y) {
    for (int x = r.left; x < r.right; ++x) {
      const gui::Color p = b.Pixel(x, y);
      if (std::abs(gui::Red(p) - gui::Red(c)) <= tolerance &&
          std::abs(gui::Green(p) - gui::Green(c)) <= tolerance &&
          std::abs(gui::Blue(p) - gui::Blue(c)) <= tolerance) {
        ++n;
      }
    }
  }
  return n;
}

int CountNear(const gui::Bitmap& b, const gui::Control& control, gui::Color c) {
  return CountNear(b, control.WindowRect(), c);
}

TEST(MainFrameTest, TheWelcomePageAndTheBands) {
  UiHarness h;
  h.Start();
  TfmMain& f = *h.form;
  const gui::Bitmap shot = Snapshot(f, "welcome-page");
  EXPECT_EQ(At(shot, 3, 200), 0x00302D28u);    // top area, left column
  EXPECT_EQ(At(shot, 600, 340), 0x004D4C49u);  // heading bar
  EXPECT_EQ(At(shot, 600, 600), 0x004D4C49u);  // bottom bar
  EXPECT_EQ(At(shot, 5, 450), 0u);             // page area
  EXPECT_EQ(At(shot, 660, 60), 0u);            // right part, black over the artwork
  // The texts are drawn: silver heading, white and red name, the links.
  EXPECT_GT(CountNear(shot, f.lblCurrentTab, 0x00C0C0C0), 20);
  EXPECT_GT(CountNear(shot, h.Welcome().lblWelcomeName, 0x000000FF), 20);
  EXPECT_GT(CountNear(shot, h.Welcome().lblWelcomeName, 0x00FFFFFF), 20);
  EXPECT_GT(CountNear(shot, f.top_area.lblProductName, 0x000000FF), 20);
  EXPECT_GT(CountNear(shot, h.Welcome().lblIntroduction, 0x00C0C0C0), 100);
  EXPECT_GT(CountNear(shot, h.Welcome().lblURLCPURank, 0x00FFFFFF), 20);
  EXPECT_GT(CountNear(shot, h.Welcome().lblNoSpyware, 0x000000FF), 10);
  EXPECT_GT(CountNear(shot, h.Welcome().lblRankGlobal, 0x00F7D155), 10);
  EXPECT_GT(CountNear(shot, h.Welcome().lblRankCountry, 0x000000FF), 10);
  EXPECT_GT(CountNear(shot, f.lblCopyright, 0x00FFFFFF), 20);
  EXPECT_GT(CountNear(shot, f.top_area.lblVersionMain, 0x00C0C0C0), 10);
  EXPECT_GT(CountNear(shot, f.btnTestCPU, 0x0000FFFF), 10);
  // The instruments at rest: 000 and 0000 in red segments.
  EXPECT_GT(CountNear(shot, f.top_area.ledPercent, 0x000000FF), 10);
  EXPECT_GT(CountNear(shot, f.top_area.ledMhz, 0x000000FF), 10);
}

// The dial artwork keeps its numerals two pixels clear of the digit boxes over it.
TEST(MainFrameTest, TheDialNumeralsStayClearOfTheDigitBoxes) {
  UiHarness h;
  h.Start();
  const gui::Bitmap shot = h.form->CaptureArea(h.form->ClientRect());
  for (const gui::Control* box : {&h.form->top_area.pnlPercent, &h.form->top_area.pnlMhz}) {
    const gui::Rect inner = box->WindowRect();
    const gui::Rect outer = inner.Inflate(2);
    int bright = 0;
    for (int y = outer.top; y < outer.bottom; ++y) {
      for (int x = outer.left; x < outer.right; ++x) {
        const gui::Color p = shot.Pixel(x, y);
        if (!inner.Contains(gui::Point{x, y}) && gui::Red(p) > 120 && gui::Green(p) > 120 &&
            gui::Blue(p) > 120) {
          ++bright;
        }
      }
    }
    EXPECT_EQ(bright, 0) << "around the box at " << inner.left << ", " << inner.top;
  }
}

TEST(MainFrameTest, TheWelcomePagesTexts) {
  UiHarness h;
  h.Start();
  const WelcomePage& w = h.Welcome();
  EXPECT_EQ(w.lblWelcomeName.Caption(), "Tachora");
  EXPECT_EQ(w.lblWelcomeLine.Caption(), "Test the REAL speed of your CPU");
  EXPECT_EQ(w.lblIntroduction.Caption(),
            "If you've ever wondered exactly how fast your CPU is running, this great little "
            "application will tell you.  Simply click the 'Test CPU Speed' button above and "
            "see Tachora go to work.");
  EXPECT_EQ(w.lblSecure.Caption(), "Secure Software");
  EXPECT_EQ(w.lblGuaranteed.Caption(), "Guaranteed");
  EXPECT_EQ(w.lblNoSpyware.Caption(), "NO Spyware!");
  EXPECT_EQ(w.lblURLCPURank.Caption(), "Visit the Tachora Website");
  EXPECT_EQ(w.lblScoresHeading.Caption(), "View Global CPU Rankings Online:");
  EXPECT_EQ(w.lblGlobalCaption.Caption(), "Your GLOBAL CPU Score");
  EXPECT_EQ(w.lblCountryCaption.Caption(), "Your Country CPU Score");
  EXPECT_EQ(w.lblRankGlobal.Caption(), "0%");
  EXPECT_EQ(w.lblRankCountry.Caption(), "0%");
  EXPECT_EQ(w.lblGetScoreGlobal.Caption(), "get my score");
  EXPECT_EQ(w.lblGetScoreCountry.Caption(), "get my score");
  EXPECT_EQ(h.form->top_area.lblCompatible.Caption(), "Compatible with all Intel and AMD CPUs");
}

TEST(MainFrameTest, DraggingOnlyFromTheCaptionCentre) {
  UiHarness h;
  h.Start();
  TfmMain& f = *h.form;
  platform::HeadlessWindow& native = h.Native(f);
  EXPECT_TRUE(native.IsDragPoint(300, 10));
  const gui::Point elsewhere[] = {
      {2, 10},     // left cap
      {650, 10},   // right cap
      {658, 10},   // "X"
      {50, 100},   // a navigation button
      {3, 300},    // the top area
      {400, 60},   // the dial artwork
      {30, 390},   // a label of the page
      {100, 600},  // the bottom bar
  };
  for (const gui::Point p : elsewhere)
    EXPECT_FALSE(native.IsDragPoint(p.x, p.y)) << p.x << "," << p.y;

  const int x = native.X(), y = native.Y();
  h.MoveTo(f, 300, 10);
  h.backend.PressMouse();
  h.MoveTo(f, 260, 50);
  h.backend.ReleaseMouse();
  h.app.ProcessMessages();
  EXPECT_EQ(native.X(), x - 40);
  EXPECT_EQ(native.Y(), y + 40);

  const int x2 = native.X(), y2 = native.Y();
  h.MoveTo(f, 3, 300);
  h.backend.PressMouse();
  h.backend.MoveMouse(native.X() + 60, native.Y() + 330);
  h.backend.ReleaseMouse();
  h.app.ProcessMessages();
  EXPECT_EQ(native.X(), x2);
  EXPECT_EQ(native.Y(), y2);
}

TEST(MainFrameTest, TheHandOverLinksAndButtons) {
  UiHarness h;
  h.Start();
  TfmMain& f = *h.form;
  platform::HeadlessWindow& native = h.Native(f);
  gui::Control* hands[] = {&f.btnWelcome,
                           &f.btnTestCPU,
                           &f.btnCPUDetails,
                           &f.btnGetRanking,
                           &f.btnAbout,
                           &f.btnOnline,
                           &f.btnExit1,
                           &f.btnClose,
                           &f.caption_bar.imgCaptionCentre,
                           &f.lblCopyright,
                           &h.Welcome().lblURLCPURank,
                           &h.Welcome().lblGetScoreGlobal,
                           &h.Welcome().lblGetScoreCountry};
  for (gui::Control* control : hands) {
    h.Hover(h.Welcome().lblIntroduction);
    h.app.ProcessMessages();
    EXPECT_EQ(native.CurrentCursor(), platform::Cursor::Arrow);
    h.Hover(*control);
    h.app.ProcessMessages();
    EXPECT_EQ(native.CurrentCursor(), platform::Cursor::Hand);
  }
  h.Hover(f.top_area.lblCompatible);
  h.app.ProcessMessages();
  EXPECT_EQ(native.CurrentCursor(), platform::Cursor::Arrow);
  EXPECT_EQ(h.TestCpu().lblTestAgain.GetCursor(), platform::Cursor::Hand);
}

}  // namespace
}  // namespace ui::testing
