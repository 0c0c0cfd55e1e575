// Every widget in every state on one page, rendered headless and written to
// widget-gallery.png, then checked at fixed pixels. States that need the pointer (hover,
// pressed) are produced with scripted input and their areas copied into the page.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "gui/Canvas.h"
#include "gui/PngWriter.h"
#include "tests/gui/GuiTestSupport.h"
#include "widgets/BarChart3D.h"
#include "widgets/GlowButton.h"
#include "widgets/Image.h"
#include "widgets/Label.h"
#include "widgets/PageControl.h"
#include "widgets/Panel.h"
#include "widgets/PushButton.h"
#include "widgets/Rule.h"

namespace widgets::testing {
namespace {

using gui::testing::HeadlessApp;

constexpr gui::Color kBackground = 0x00302D28;
constexpr gui::Color kBand = 0x004D4C49;
constexpr gui::Color kRuling = 0x005B5655;
constexpr gui::Color kTopRule = 0x000000A6;
constexpr gui::Color kSideRule = 0x009E988D;
constexpr gui::Color kSilver = 0x00C0C0C0;
constexpr gui::Color kWhite = 0x00FFFFFF;
constexpr gui::Color kRed = 0x000000FF;
constexpr gui::Color kYellow = 0x0000FFFF;
constexpr gui::Color kSky = 0x00F7D155;
constexpr gui::Color kChartBlue = 0x00D98110;

// A round badge on a magenta key colour, drawn here so the gallery needs no artwork.
gui::Bitmap Badge(int size) {
  gui::Bitmap b(size, size, gui::Bitmap::Format::Bgr24);
  b.Fill(0x00FF00FF);
  const double r = size / 2.0;
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      const double d = std::hypot(x + 0.5 - r, y + 0.5 - r) / r;
      if (d > 1) continue;
      const auto level = uint8_t(90 + 150 * (1 - d));
      b.SetPixel(x, y, gui::Rgb(uint8_t(level / 3), uint8_t(level / 2), level));
    }
  }
  return b;
}

gui::Font Arial(int size, gui::Color color, bool bold = false) {
  return {"Arial", size, color, bold};
}
gui::Font Tahoma(int size, gui::Color color, bool bold = false, bool underline = false) {
  return {"Tahoma", size, color, bold, underline};
}

class WidgetGallery : public ::testing::Test {
 protected:
  HeadlessApp h{900, 560};
  std::vector<std::unique_ptr<gui::Control>> owned;

  template <typename T, typename... Args>
  T& Make(Args&&... args) {
    auto control = std::make_unique<T>(std::forward<Args>(args)...);
    T& ref = *control;
    owned.push_back(std::move(control));
    return ref;
  }
  Label& Text(gui::Control* parent, int x, int y, const std::string& caption,
              const gui::Font& font) {
    Label& label = Make<Label>(parent, caption);
    label.SetFont(font);
    label.SetBounds(x, y, 0, 0);
    return label;
  }
  GlowButton& Nav(gui::Control* parent, int y, const std::string& caption) {
    GlowButton& b = Make<GlowButton>(parent, caption);
    b.SetBounds(6, y, 186, 35);
    return b;
  }
  // Copies the window's pixels of a control into the page at the same place.
  static void Patch(gui::Bitmap& page, const gui::Bitmap& part, const gui::Rect& where) {
    gui::Canvas canvas(page);
    canvas.Draw({where.left, where.top}, part);
  }
};

TEST_F(WidgetGallery, EveryWidgetStateRendersAsDesigned) {
  h.window.SetBackgroundColor(0x00000000);

  // The caption bar with the close button at rest and under the pointer.
  Panel& caption = Make<Panel>(&h.window);
  caption.SetBounds(0, 0, 900, 21);
  caption.SetColor(kBand);
  caption.SetCaption("Widget gallery");
  caption.SetFont(Tahoma(13, kSilver, true));
  GlowButton& closeRest = Make<GlowButton>(&caption, "X");
  closeRest.SetShape(GlowShape::Square);
  closeRest.SetFont(Arial(12, kWhite, true));
  closeRest.SetBounds(850, 2, 20, 16);
  GlowButton& closeHover = Make<GlowButton>(&caption, "X");
  closeHover.SetShape(GlowShape::Square);
  closeHover.SetFont(Arial(12, kWhite, true));
  closeHover.SetBounds(876, 2, 20, 16);

  // The navigation column: rest, hover, pressed, lime glow, and the label-only name.
  Panel& nav = Make<Panel>(&h.window);
  nav.SetBounds(0, 21, 198, 330);
  nav.SetColor(kBackground);
  GlowButton& name = Make<GlowButton>(&nav);
  name.SetLabelOnly(true);
  name.SetFont(Arial(26, kWhite, true));
  name.SetCaptionRuns({{"Tacho", kWhite}, {"ra", kRed}});
  name.SetBounds(6, 8, 186, 36);
  GlowButton& welcome = Nav(&nav, 52, "Welcome to Tachora");
  GlowButton& test = Nav(&nav, 92, "Test CPU Speed");
  test.SetFont(Arial(12, kYellow, true));
  GlowButton& details = Nav(&nav, 132, "Show CPU Details");
  Nav(&nav, 172, "View Online CPU Scores");
  Nav(&nav, 212, "About Tachora");
  GlowButton& exitHover = Nav(&nav, 252, "Exit");
  exitHover.SetGlowColor(0x0000FF00);
  GlowButton& exitRest = Nav(&nav, 292, "Exit");
  exitRest.SetGlowColor(0x0000FF00);
  (void)welcome;

  // A dialog-like panel with its rules, labels and the two push buttons.
  Panel& dialog = Make<Panel>(&h.window);
  dialog.SetBounds(206, 29, 464, 245);
  dialog.SetColor(kBackground);
  dialog.SetRule(Edge::Top, 3, kTopRule);
  dialog.SetRule(Edge::Left, 3, kSideRule);
  dialog.SetRule(Edge::Right, 3, kSideRule);
  dialog.SetRule(Edge::Bottom, 3, kSideRule);
  Image& badge = Make<Image>(&dialog);
  badge.SetBounds(24, 28, 136, 132);
  badge.SetStretch(true);
  badge.SetTransparent(true);
  badge.Picture().Assign(Badge(34));
  Text(&dialog, 193, 17, "Your Tachora Score is:", Arial(19, kWhite, true));
  Text(&dialog, 344, 56, " Mhz", Arial(21, kRed, true));
  Label& wrapped = Make<Label>(&dialog);
  wrapped.SetFont(Arial(13, kWhite));
  wrapped.SetWordWrap(true);
  wrapped.SetBounds(193, 100, 247, 48);
  wrapped.SetCaption(
      "Click the \"Submit My Score\" button below to see how your CPU compares in the "
      "worldwide CPU scores table.");
  Label& filled = Text(&dialog, 24, 222, "filled label", Tahoma(11, kYellow));
  filled.SetTransparent(false);
  filled.SetColor(0x00898989);
  Label& link = Text(&dialog, 193, 222, "Click Here to View Your rank online",
                     Tahoma(12, 0x00FF4242, false, true));
  link.SetLink(true);
  PushButton& submit = Make<PushButton>(&dialog, "Submit My Score");
  submit.SetFont(Tahoma(16, 0x00000000, true));
  submit.SetBounds(193, 176, 228, 41);
  PushButton& close = Make<PushButton>(&dialog, "Close");
  close.SetFont(Tahoma(16, 0x00000000));
  close.SetBounds(77, 176, 100, 41);
  submit.BringToFront();

  // A details panel with its ruling, and a page control showing its second sheet.
  Panel& table = Make<Panel>(&h.window);
  table.SetBounds(680, 29, 212, 120);
  table.SetColor(0x002A2D2B);
  table.SetBorder(1, kRuling);
  Text(&table, 6, 4, "Your", Arial(16, kRed, true));
  Text(&table, 48, 4, "CPU details", Arial(16, kWhite, true));
  Make<Rule>(&table, gui::Rect::XYWH(0, 24, 212, 1), kRuling);
  Make<Rule>(&table, gui::Rect::XYWH(0, 47, 212, 1), kRuling);
  Make<Rule>(&table, gui::Rect::XYWH(0, 71, 212, 1), kRuling);
  Make<Rule>(&table, gui::Rect::XYWH(80, 24, 1, 96), kRuling);
  Text(&table, 6, 29, "Vendor", Tahoma(11, kSilver));
  Text(&table, 86, 29, "GenuineIntel", Tahoma(11, kWhite));
  Text(&table, 6, 53, "Actual Speed", Tahoma(11, kSilver));
  Text(&table, 86, 53, "2992 Mhz", Tahoma(11, kRed));
  Text(&table, 86, 77, "(click here to test)", Tahoma(11, kWhite, false, true)).SetLink(true);

  Panel& frame = Make<Panel>(&h.window);
  frame.SetBounds(680, 157, 212, 117);
  frame.SetBorder(4, 0x00000000);
  frame.SetColor(0x00000000);
  PageControl& pages = Make<PageControl>(&frame);
  pages.SetBounds(4, 4, 204, 109);
  TabSheet& first = Make<TabSheet>(&pages);
  first.SetColor(0x000000A6);
  TabSheet& second = Make<TabSheet>(&pages);
  second.SetColor(0x001A1A1A);
  second.SetBorder(1, kBand);
  Text(&second, 8, 6, "Top Countries", Tahoma(11, kWhite, true));
  constexpr gui::Color kSquares[] = {kRed, 0x0024B847, kChartBlue, 0x001070FF, 0x00FFFF00};
  for (int i = 0; i < 5; ++i) {
    Panel& square = Make<Panel>(&second);
    square.SetBounds(10, 24 + 16 * i, 11, 11);
    square.SetColor(kSquares[i]);
    square.SetBorder(1, kSilver);
    Text(&second, 26, 23 + 16 * i, std::to_string(i + 1) + ". <load>", {"Small Fonts", 9, kWhite});
  }
  pages.SetActivePage(&second);

  // The online page's chart with the axis strip under its bars.
  Panel& rank = Make<Panel>(&h.window);
  rank.SetBounds(206, 282, 686, 270);
  rank.SetColor(0x00000000);
  rank.SetBorder(1, kBand);
  Label& heading = Text(&rank, 80, 8, "GLOBAL Top 4 ", Arial(16, kSky, true));
  Text(&rank, heading.BoundsRect().right, 8, "and YOU", Arial(16, kRed, true));
  BarChart3D& chart = Make<BarChart3D>(&rank);
  chart.SetBounds(10, 31, 342, 182);
  chart.Add(200, kRed);
  chart.Add(2000, kChartBlue);
  chart.Add(2500, kChartBlue);
  chart.Add(3000, kChartBlue);
  chart.Add(4000, kChartBlue);
  Text(&rank, 14, 29, "Mhz", {"Small Fonts", 9, kWhite});
  Panel& axis = Make<Panel>(&rank);
  axis.SetBounds(57, 200, 292, 21);
  constexpr int kRankX[] = {24, 74, 124, 175, 226};
  constexpr const char* kRanks[] = {"1", "4", "3", "2", "1"};
  for (int i = 0; i < 5; ++i) {
    Text(&axis, kRankX[i], 3, kRanks[i], Tahoma(11, i == 0 ? kRed : kWhite));
  }
  Text(&axis, 270, 4, "Rank", {"Small Fonts", 9, kWhite});
  GlowButton& percent = Make<GlowButton>(&rank, "0%");
  percent.SetLabelOnly(true);
  percent.SetFont(Arial(24, kSky, true));
  percent.SetBounds(400, 40, 92, 30);
  Label& rankLabel = Text(&rank, 400, 80, "0%", Arial(24, kRed, true));
  rankLabel.SetFont({"Arial", 24, kRed, true, false, true});
  PushButton& disabled = Make<PushButton>(&rank, "Disabled");
  disabled.SetBounds(400, 130, 100, 30);
  disabled.SetEnabled(false);
  GlowButton& wide = Make<GlowButton>(&rank, "View Online CPU Scores");
  wide.SetBounds(400, 180, 186, 35);
  wide.SetAlignment(gui::TextAlign::Left);

  h.Pump();
  gui::Bitmap page = h.window.CaptureArea(h.window.ClientRect());

  // Pointer states, one at a time, copied into the page.
  auto centre = [](const gui::Control& c) {
    const gui::Rect r = c.WindowRect();
    return gui::Point{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  };
  auto capture = [&](const gui::Control& c) {
    Patch(page, h.window.CaptureArea(c.WindowRect()), c.WindowRect());
  };
  for (gui::Control* c :
       std::initializer_list<gui::Control*>{&test, &exitHover, &closeHover, &wide}) {
    h.MoveTo(centre(*c).x, centre(*c).y);
    EXPECT_EQ(static_cast<GlowButton*>(c)->State(), ButtonState::Hover);
    capture(*c);
  }
  h.MoveTo(centre(details).x, centre(details).y);
  h.Press();
  EXPECT_EQ(details.State(), ButtonState::Pressed);
  capture(details);
  h.MoveTo(890, 550);
  h.Release();
  h.MoveTo(centre(submit).x, centre(submit).y);
  h.Press();
  EXPECT_TRUE(submit.Pressed());
  capture(submit);
  h.MoveTo(890, 550);
  h.Release();

  ASSERT_TRUE(gui::WritePng(page, "widget-gallery.png"));

  auto at = [&](const gui::Control& c, int x, int y) {
    const gui::Rect r = c.WindowRect();
    return page.Pixel(r.left + x, r.top + y);
  };
  // Glow buttons: rest black, hover red above and black below, the borders.
  EXPECT_EQ(at(welcome, 93, 12), 0x00000000u);
  EXPECT_EQ(at(welcome, 93, 0), 0x00000000u);
  EXPECT_EQ(at(welcome, 0, 0), kBackground);  // the rounded corner
  const gui::Color glow = at(test, 93, 12);
  EXPECT_GT(gui::Red(glow), 80);
  EXPECT_EQ(gui::Green(glow) | gui::Blue(glow), 0);
  EXPECT_EQ(at(test, 93, 30), 0x00000000u);
  EXPECT_EQ(at(test, 93, 0), 0x0073685Fu);
  EXPECT_EQ(at(details, 93, 0), kRed);
  EXPECT_GT(gui::Red(at(details, 93, 12)), 80);
  EXPECT_GT(gui::Green(at(exitHover, 93, 12)), 80);
  EXPECT_EQ(gui::Red(at(exitHover, 93, 12)), 0);
  EXPECT_EQ(at(exitRest, 93, 12), 0x00000000u);
  // The close button: black at rest, red below and darker above under the pointer.
  EXPECT_EQ(at(closeRest, 2, 2), 0x00000000u);
  EXPECT_EQ(at(closeHover, 2, 13), kRed);
  EXPECT_LT(gui::Red(at(closeHover, 2, 3)), gui::Red(at(closeHover, 2, 7)));
  // The label-only name shows the column behind it.
  EXPECT_EQ(at(name, 1, 1), kBackground);

  // Panels: rules and borders at exact pixels.
  EXPECT_EQ(at(dialog, 0, 0), kTopRule);
  EXPECT_EQ(at(dialog, 200, 2), kTopRule);
  EXPECT_EQ(at(dialog, 1, 100), kSideRule);
  EXPECT_EQ(at(dialog, 463, 100), kSideRule);
  EXPECT_EQ(at(dialog, 200, 244), kSideRule);
  EXPECT_EQ(at(dialog, 200, 3), kBackground);
  EXPECT_EQ(at(table, 0, 60), kRuling);
  EXPECT_EQ(at(table, 150, 47), kRuling);
  EXPECT_EQ(at(table, 80, 100), kRuling);
  EXPECT_EQ(at(table, 150, 100), 0x002A2D2Bu);
  EXPECT_EQ(at(filled, 0, 0), 0x00898989u);

  // Push buttons: raised face, and the pressed one sunken.
  EXPECT_EQ(at(close, 0, 0), 0x00FFFFFFu);
  EXPECT_EQ(at(close, 50, 3), 0x00F0F0F0u);
  EXPECT_EQ(at(close, 99, 40), 0x00696969u);
  EXPECT_EQ(at(submit, 0, 0), 0x00696969u);

  // The page control shows its second sheet only.
  EXPECT_EQ(at(pages, 100, 100), 0x001A1A1Au);
  EXPECT_EQ(at(pages, 0, 0), kBand);

  // The image leaves its key colour out.
  EXPECT_EQ(at(badge, 1, 1), kBackground);
  EXPECT_GT(gui::Blue(at(badge, 68, 66)), 150);

  // The chart: bar colours inside the bars, black chart, white border.
  const gui::Rect red = chart.BarFront(0);
  EXPECT_EQ(at(chart, (red.left + red.right) / 2, red.top + 1), kRed);
  const gui::Rect blue = chart.BarFront(4);
  EXPECT_EQ(at(chart, (blue.left + blue.right) / 2, blue.top + 1), kChartBlue);
  EXPECT_EQ(at(chart, 0, 0), kWhite);
  EXPECT_EQ(at(chart, 3, 100), 0x00000000u);
}

}  // namespace
}  // namespace widgets::testing
