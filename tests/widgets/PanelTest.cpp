// Panels and rules: colour, frames of any width, rules along edges with their corners,
// the inner area, and ruling lines.
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/gui/GuiTestSupport.h"
#include "widgets/Panel.h"
#include "widgets/Rule.h"

namespace widgets::testing {
namespace {

using gui::testing::HeadlessApp;

constexpr gui::Color kBackground = 0x00302D28;
constexpr gui::Color kTopRule = 0x000000A6;
constexpr gui::Color kSideRule = 0x009E988D;

TEST(PanelPaint, OneAndFourPixelFramesInsideTheBounds) {
  HeadlessApp h;
  Panel box(&h.window);
  box.SetBounds(10, 10, 50, 40);
  box.SetBorder(1, 0x004D4C49);
  Panel thick(&h.window);
  thick.SetBounds(100, 10, 60, 60);
  thick.SetBorder(4, 0x00112233);
  thick.SetColor(0x00445566);

  EXPECT_EQ(h.Pixel(10, 10), 0x004D4C49u);
  EXPECT_EQ(h.Pixel(59, 49), 0x004D4C49u);
  EXPECT_EQ(h.Pixel(11, 11), 0x00000000u);
  EXPECT_EQ(h.Pixel(103, 30), 0x00112233u);
  EXPECT_EQ(h.Pixel(104, 30), 0x00445566u);
  EXPECT_EQ(h.Pixel(159, 69), 0x00112233u);
  EXPECT_EQ(thick.InnerRect(), (gui::Rect{4, 4, 56, 56}));
}

TEST(PanelPaint, RulesAlongTheEdgesAndTheTopRuleOwnsTheCorners) {
  HeadlessApp h;
  Panel main(&h.window);
  main.SetBounds(0, 21, 200, 100);
  main.SetColor(kBackground);
  main.SetRule(Edge::Top, 3, kTopRule);
  main.SetRule(Edge::Left, 3, kSideRule);
  main.SetRule(Edge::Right, 3, kSideRule);
  main.SetRule(Edge::Bottom, 3, kSideRule);

  EXPECT_EQ(h.Pixel(0, 21), kTopRule);    // top-left corner
  EXPECT_EQ(h.Pixel(199, 23), kTopRule);  // top-right corner, third row
  EXPECT_EQ(h.Pixel(100, 23), kTopRule);
  EXPECT_EQ(h.Pixel(100, 24), kBackground);
  EXPECT_EQ(h.Pixel(2, 60), kSideRule);
  EXPECT_EQ(h.Pixel(3, 60), kBackground);
  EXPECT_EQ(h.Pixel(197, 60), kSideRule);
  EXPECT_EQ(h.Pixel(196, 60), kBackground);
  EXPECT_EQ(h.Pixel(100, 118), kSideRule);
  EXPECT_EQ(h.Pixel(100, 117), kBackground);
  EXPECT_EQ(main.InnerRect(), (gui::Rect{3, 3, 197, 97}));
}

TEST(PanelPaint, CaptionIsCentredInTheInnerArea) {
  HeadlessApp h;
  Panel strip(&h.window);
  strip.SetBounds(0, 0, 200, 20);
  strip.SetColor(0x004D4C49);
  strip.SetCaption("IIII");
  strip.SetFont({"Tahoma", 13, 0x00FFFFFF});
  h.Pump();
  int minX = 200, maxX = -1;
  for (int y = 0; y < 20; ++y) {
    for (int x = 0; x < 200; ++x) {
      if (h.Native().Pixel(x, y) == 0x00FFFFFFu) {
        minX = std::min(minX, x);
        maxX = std::max(maxX, x);
      }
    }
  }
  ASSERT_LE(minX, maxX);
  EXPECT_NEAR((minX + maxX) / 2.0, 100, 3);
}

TEST(RulePaint, OnePixelLinesOfTheirColour) {
  HeadlessApp h;
  Rule across(&h.window, gui::Rect::XYWH(7, 88, 238, 1), 0x005B5655);
  Rule down(&h.window, gui::Rect::XYWH(125, 101, 1, 83), 0x005B5655);
  EXPECT_EQ(h.Pixel(7, 88), 0x005B5655u);
  EXPECT_EQ(h.Pixel(244, 88), 0x005B5655u);
  EXPECT_EQ(h.Pixel(245, 88), 0x00000000u);
  EXPECT_EQ(h.Pixel(7, 89), 0x00000000u);
  EXPECT_EQ(h.Pixel(125, 183), 0x005B5655u);
  EXPECT_EQ(h.Pixel(126, 150), 0x00000000u);
  down.SetColor(0x00FFFFFF);
  EXPECT_EQ(h.Pixel(125, 150), 0x00FFFFFFu);
}

}  // namespace
}  // namespace widgets::testing
