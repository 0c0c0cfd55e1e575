// The 3-D bar chart: clearing and adding bars, where bars stand and how high, their
// colours, the fixed axis and the value marks.
#include <gtest/gtest.h>

#include "tests/gui/GuiTestSupport.h"
#include "widgets/BarChart3D.h"

namespace widgets::testing {
namespace {

using gui::testing::HeadlessApp;

constexpr gui::Color kRed = 0x000000FF;
constexpr gui::Color kBlue = 0x00D98110;

class BarChartFixture : public ::testing::Test {
 protected:
  HeadlessApp h{400, 240};
  BarChart3D chart{&h.window};

  void SetUp() override { chart.SetBounds(10, 20, 342, 182); }
  void AddTopFive() {
    chart.Add(200, kRed);
    chart.Add(2000, kBlue);
    chart.Add(2500, kBlue);
    chart.Add(3000, kBlue);
    chart.Add(4000, kBlue);
  }
  gui::Color InsideBar(int i) {
    const gui::Rect f = chart.BarFront(i);
    return h.Pixel(10 + (f.left + f.right) / 2, 20 + f.top + 1);  // under the outline
  }
};

TEST_F(BarChartFixture, ClearEmptiesAndAddAppendsInOrder) {
  AddTopFive();
  ASSERT_EQ(chart.Count(), 5);
  EXPECT_EQ(chart.At(0).value, 200);
  EXPECT_EQ(chart.At(4).color, kBlue);
  chart.Clear();
  EXPECT_EQ(chart.Count(), 0);
  EXPECT_TRUE(chart.BarFront(0).Empty());
  AddTopFive();
  EXPECT_EQ(chart.Count(), 5);
}

TEST_F(BarChartFixture, BarsStandSideBySideAndRiseWithTheirValues) {
  AddTopFive();
  for (int i = 0; i < 5; ++i) {
    const gui::Rect f = chart.BarFront(i);
    ASSERT_FALSE(f.Empty()) << i;
    if (i > 0) {
      EXPECT_GT(f.left, chart.BarFront(i - 1).right) << "a gap between bars " << i;
      EXPECT_LT(f.top, chart.BarFront(i - 1).top) << "higher value, higher bar " << i;
      EXPECT_EQ(f.bottom, chart.BarFront(i - 1).bottom) << "one floor " << i;
    }
  }
  // Heights are proportional on the fixed 0 to 6000 axis.
  const gui::Rect low = chart.BarFront(1);
  const gui::Rect high = chart.BarFront(4);
  EXPECT_NEAR(double(high.Height()) / low.Height(), 2.0, 0.05);
  EXPECT_EQ(chart.ValueY(6000), chart.Layout().plot.top);
  EXPECT_EQ(chart.ValueY(0), chart.Layout().plot.bottom);
}

TEST_F(BarChartFixture, BarsSitOverTheRankColumnsOfTheAxisStrip) {
  // The page's strip under the chart labels the bars at these centres (chart coordinates).
  constexpr int kCentres[] = {74, 124, 174, 225, 276};
  AddTopFive();
  for (int i = 0; i < 5; ++i) {
    const gui::Rect f = chart.BarFront(i);
    EXPECT_NEAR((f.left + f.right) / 2.0, kCentres[i], 3) << i;
  }
  // And the floor stays above the strip, which starts 169 pixels down.
  EXPECT_LE(chart.Layout().plot.bottom, 169);
}

TEST_F(BarChartFixture, ValuesOutsideTheAxisAreClamped) {
  chart.Add(-50, kRed);
  chart.Add(9000, kBlue);
  EXPECT_TRUE(chart.BarFront(0).Empty());
  EXPECT_EQ(chart.BarFront(1).top,
            chart.ValueY(6000) - (chart.Layout().plot.bottom - chart.BarFront(1).bottom));
}

TEST_F(BarChartFixture, BarFrontsShowTheirColourFadingDownwards) {
  AddTopFive();
  EXPECT_EQ(InsideBar(0), kRed);
  const gui::Color blueTop = InsideBar(3);
  EXPECT_NEAR(gui::Red(blueTop), 0x10, 6);
  EXPECT_NEAR(gui::Green(blueTop), 0x81, 6);
  EXPECT_NEAR(gui::Blue(blueTop), 0xD9, 6);
  const gui::Rect f = chart.BarFront(3);
  const gui::Color foot = h.Pixel(10 + (f.left + f.right) / 2, 20 + f.bottom - 2);
  EXPECT_LT(gui::Blue(foot), gui::Blue(blueTop) / 2);
  EXPECT_GT(gui::Blue(foot), 0);
}

TEST_F(BarChartFixture, ChartIsBlackWithAWhiteBorderAndTheWallColours) {
  AddTopFive();
  const BarChartLayout layout = chart.Layout();
  EXPECT_EQ(h.Pixel(10, 20), 0x00FFFFFFu);
  EXPECT_EQ(h.Pixel(10 + 341, 20 + 181), 0x00FFFFFFu);
  EXPECT_EQ(h.Pixel(10 + 3, 20 + 3), 0x00000000u);
  // The back wall just right of the last bar's side, and the floor in front of a gap.
  const gui::Rect last = chart.BarFront(4);
  EXPECT_EQ(h.Pixel(10 + layout.plot.right + layout.dx - 2, 20 + last.top - layout.dy - 4),
            0x00232323u);
  const int gap = (chart.BarFront(0).right + chart.BarFront(1).left) / 2;
  EXPECT_EQ(h.Pixel(10 + gap, 20 + layout.plot.bottom - 1), 0x003F3F3Fu);
}

TEST_F(BarChartFixture, AxisLabelsAndMarksAreWhiteText) {
  AddTopFive();
  h.Pump();
  const BarChartLayout layout = chart.Layout();
  auto whiteIn = [&](const gui::Rect& r) {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y) {
      for (int x = r.left; x < r.right; ++x) n += h.Native().Pixel(10 + x, 20 + y) == 0x00FFFFFFu;
    }
    return n;
  };
  EXPECT_GT(whiteIn({2, layout.plot.top - 8, layout.plot.left - 4, layout.plot.bottom + 8}), 40);
  const gui::Rect bar = chart.BarFront(4);
  EXPECT_GT(whiteIn({bar.left, bar.top - 40, bar.right + layout.dx, bar.top - 6}), 10);
  // Empty labels leave the space under the bars black; a label is drawn there.
  const gui::Rect under{bar.left, layout.plot.bottom + 1, bar.right, 182 - 1};
  EXPECT_EQ(whiteIn(under), 0);
  chart.Clear();
  AddTopFive();
  chart.Add(1000, kRed, "You");
  h.Pump();
  const gui::Rect you = chart.BarFront(5);
  EXPECT_GT(whiteIn({you.left, layout.plot.bottom + 1, you.right, 182 - 1}), 5);
  EXPECT_EQ(BarChart3D::FormatValue(4000), "4000");
  EXPECT_EQ(BarChart3D::FormatValue(12.5), "12.5");
}

}  // namespace
}  // namespace widgets::testing
