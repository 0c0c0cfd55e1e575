// The top area's instruments as the program builds them (ui::TopArea, with the real
// artwork), driven by a test run through the test page at four moments of a run, side by
// side in one window. The needles must stand where the scale rule puts them and be drawn
// there, the digits must show the counters, and the sheet is written to the test's
// temporary folder for a look.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "gui/Application.h"
#include "gui/PngWriter.h"
#include "gui/Window.h"
#include "platform/headless/HeadlessBackend.h"
#include "speedtest/TestRun.h"
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

// A top area of its own, with the test page that drives it (the page itself hidden).
struct Cluster {
  gui::Control host;
  gui::Control sheet;
  TopArea top;
  TestPage page;
  speedtest::TestRun run;

  Cluster(gui::Control* window, int left)
      : host(window), sheet(window), top(&host), page(&sheet, top), run(page) {
    // The top area places its instruments kLeft into its parent.
    host.SetBounds(left - TopArea::kLeft, 0, TopArea::kLeft + TopArea::kWidth, TopArea::kHeight);
    sheet.Hide();
  }
  void Show(const Moment& moment) {
    run.PercentValue = moment.percent;
    run.ShowPercent();
    run.MhzValue = moment.mhz;
    run.ShowMhz();
  }
};

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
  platform::HeadlessBackend backend;
  gui::Application app{backend};
  gui::Window window;
  window.SetBounds(0, 0, int(kMoments.size()) * TopArea::kWidth, TopArea::kHeight);
  window.SetBackgroundColor(gui::palette::kBlack);
  window.Show();

  std::vector<std::unique_ptr<Cluster>> clusters;
  for (size_t i = 0; i < kMoments.size(); ++i) {
    clusters.push_back(std::make_unique<Cluster>(&window, int(i) * TopArea::kWidth));
    clusters.back()->Show(kMoments[i]);
  }
  app.ProcessMessages();
  const gui::Bitmap sheet = window.CaptureArea(window.ClientRect());

  for (size_t i = 0; i < kMoments.size(); ++i) {
    const Moment& m = kMoments[i];
    TopArea& top = clusters[i]->top;
    SCOPED_TRACE(std::to_string(m.percent) + " %, " + std::to_string(m.mhz) + " MHz");
    EXPECT_EQ(top.gaugePercent.Position(), m.percentPosition);
    EXPECT_EQ(top.gaugeMhz1.Position(), m.mhzPosition);
    for (TAnalogGauge* gauge : {&top.gaugePercent, &top.gaugeMhz1}) {
      const gui::Point tip = Tip(*gauge);
      EXPECT_TRUE(Reddish(sheet.Pixel(tip.x, tip.y))) << "tip " << tip.x << "," << tip.y;
    }
    EXPECT_EQ(top.ledPercent.Value(), m.percentDigits);
    EXPECT_EQ(top.ledMhz.Value(), m.mhzDigits);
    EXPECT_GT(LitPixels(sheet, top.ledPercent), 30);
    EXPECT_GT(LitPixels(sheet, top.ledMhz), 40);
  }

  const std::filesystem::path file =
      std::filesystem::path(::testing::TempDir()) / "instruments.png";
  ASSERT_TRUE(gui::WritePng(sheet, file.string()));
  std::printf("instruments: %s\n", file.string().c_str());
}

}  // namespace
}  // namespace ui
