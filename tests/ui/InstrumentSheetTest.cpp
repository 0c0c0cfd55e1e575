// The top area's instruments as the program builds them (the main window's ui::TopArea,
// with the real artwork), driven by the test page's run at four moments, put side by side
// in one picture. The needles must stand where the scale rule puts them and be drawn
// there, the digits must show the counters, and the sheet is written to the test's
// temporary folder for a look.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <string>

#include "UiTestSupport.h"
#include "gui/PngWriter.h"
#include "speedtest/TestRun.h"
#include "ui/MainWindow.h"
#include "ui/TestPage.h"
#include "ui/TopArea.h"

namespace ui {
namespace {

using controls::TAnalogGauge;
using controls::TSegmentDisplay;

// One moment of a run: the counters, and where the scale rule puts the needles (the
// percentage times 1.4 plus 110, the MHz times 0.0431 plus 73, both truncated).
struct Moment {
  int32_t percent;
  int32_t mhz;
  float percentPosition;
  float mhzPosition;
  const char* percentDigits;
  const char* mhzDigits;
};
constexpr std::array<Moment, 4> kMoments = {{
    {0, 0, 110, 73, "000", "0000"},
    {50, 1500, 180, 137, "050", "1500"},
    {85, 2992, 229, 201, "085", "2992"},
    {100, 3000, 250, 202, "100", "3000"},
}};

// Red dominates: the needle (or its smoothed edge) rather than the dial's white marks.
bool Reddish(gui::Color c) {
  return gui::Red(c) > 120 && gui::Red(c) > 2 * gui::Green(c) && gui::Red(c) > 2 * gui::Blue(c);
}

// The needle's tip at the gauge's position, in the window's client coordinates.
gui::Point Tip(TAnalogGauge& gauge) {
  const gui::Bitmap& work = gauge.WorkBitmap();
  const int k = gauge.Factor();
  const controls::TNeedleGeometry g = gauge.NeedleGeometry(work.Width(), work.Height(), k);
  const gui::Point end = gauge.NeedleEnd(g, gauge.Position());
  const gui::Point origin = gauge.WindowOrigin();
  return {origin.x + end.x / k, origin.y + end.y / k};
}

// The lit segments of a display on the sheet.
int LitPixels(const gui::Bitmap& sheet, TSegmentDisplay& led) {
  const gui::Rect r = led.WindowRect();
  int lit = 0;
  for (int y = r.top; y < r.bottom; ++y) {
    for (int x = r.left; x < r.right; ++x) lit += sheet.Pixel(x, y) == led.OnColor();
  }
  return lit;
}

TEST(InstrumentSheetTest, TheTopAreaShowsTheCountersWhereTheScaleRulePutsThem) {
  testing::UiHarness h;
  h.Start();
  TfmMain& f = *h.form;
  TopArea& top = f.top_area;
  speedtest::TestRun& run = h.TestCpu().test_run;
  const gui::Rect area = top.pnlInstruments.WindowRect();
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;
  gui::Bitmap sheet(int(kMoments.size()) * width, height);

  for (size_t i = 0; i < kMoments.size(); ++i) {
    const Moment& m = kMoments[i];
    SCOPED_TRACE(std::to_string(m.percent) + " %, " + std::to_string(m.mhz) + " MHz");
    run.PercentValue = m.percent;
    run.ShowPercent();
    run.MhzValue = m.mhz;
    run.ShowMhz();
    h.app.ProcessMessages();
    const gui::Bitmap frame = f.CaptureArea(f.ClientRect());

    EXPECT_EQ(top.gaugePercent.Position(), m.percentPosition);
    EXPECT_EQ(top.gaugeMhz1.Position(), m.mhzPosition);
    for (TAnalogGauge* gauge : {&top.gaugePercent, &top.gaugeMhz1}) {
      const gui::Point tip = Tip(*gauge);
      EXPECT_TRUE(Reddish(frame.Pixel(tip.x, tip.y))) << "tip " << tip.x << "," << tip.y;
    }
    EXPECT_EQ(top.ledPercent.Value(), m.percentDigits);
    EXPECT_EQ(top.ledMhz.Value(), m.mhzDigits);
    EXPECT_GT(LitPixels(frame, top.ledPercent), 30);
    EXPECT_GT(LitPixels(frame, top.ledMhz), 40);

    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        sheet.SetPixel(int(i) * width + x, y, frame.Pixel(area.left + x, area.top + y));
      }
    }
  }

  const std::filesystem::path file =
      std::filesystem::path(::testing::TempDir()) / "instruments.png";
  ASSERT_TRUE(gui::WritePng(sheet, file.string()));
  std::printf("instruments: %s\n", file.string().c_str());
}

}  // namespace
}  // namespace ui
