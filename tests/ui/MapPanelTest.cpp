// The world ranking map on virtual time: where it rests before the first visit, the
// slide in and out tick by tick, the continents one per tick after an empty first one,
// leaving during the slide-in and during the reveal, and switches with the map away.
#include <gtest/gtest.h>

#include <algorithm>

#include "RankPageTestSupport.h"

namespace ui::testing {
namespace {

class MapPanelTest : public ::testing::Test {
 protected:
  RankPageHarness r;
  UiHarness& h = r.h;
  MapPanel& map = *r.map;
};

std::vector<int> SlideInTops() {
  std::vector<int> tops;
  for (int top = MapPanel::kSlideInFrom - 16; top > 0; top -= 16) tops.push_back(top);
  tops.push_back(1);
  return tops;
}

TEST_F(MapPanelTest, WaitsBelowTheTopAreaHiddenUntilTheFirstVisit) {
  EXPECT_FALSE(map.pnlMap.Visible());
  EXPECT_EQ(map.pnlMap.Top(), 312);
  EXPECT_EQ(map.pnlMap.Parent(), &h.form->top_area.pnlInstruments);
  EXPECT_EQ(map.pnlMap.BoundsRect(), gui::Rect::XYWH(0, 312, 465, 301));
  // Over the gauges: the topmost child of the top area's right part.
  EXPECT_EQ(h.form->top_area.pnlInstruments.Children().back(), &map.pnlMap);
  for (widgets::Image* continent : map.RevealOrder()) EXPECT_FALSE(continent->Visible());
  EXPECT_FALSE(map.pnlServerConnectError.Visible());
  EXPECT_FALSE(map.tmrMap.Enabled());
  EXPECT_FALSE(map.tmrContinents.Enabled());
}

// The map at rest leaves a strip of the top area below it: no text may peek out there.
TEST_F(MapPanelTest, TheMapAtRestHidesEveryLabelOfTheTopArea) {
  const int strip = MapPanel::kRestingTop + MapPanel::kHeight;
  const TopArea& top = h.form->top_area;
  for (const widgets::Label* label :
       {&top.lblCopyrightMain, &top.lblCompatible, &top.lblVersionMain}) {
    EXPECT_LE(label->BoundsRect().bottom, strip) << label->Caption();
  }
}

TEST_F(MapPanelTest, SlidesInFrom240ToRestAt1InFifteenTicks) {
  int firstTickFrom = 0;
  map.tmrMap.SetOnTimer([&](controls::THighResTimer& sender) {
    if (r.mapTops.empty()) firstTickFrom = map.pnlMap.Top();
    map.tmrMapTimer(sender);
    r.mapTops.push_back(map.pnlMap.Top());
  });
  r.EnterRankPage();
  EXPECT_EQ(firstTickFrom, 240);
  EXPECT_EQ(r.mapTops, SlideInTops());
  EXPECT_EQ(r.mapTops.size(), 15u);
  EXPECT_TRUE(map.pnlMap.Visible());
  EXPECT_EQ(map.pnlMap.Top(), 1);
  EXPECT_FALSE(map.tmrMap.Enabled());
}

TEST_F(MapPanelTest, SlidesOutFrom1InNineTicksBeforeTheTransitionStarts) {
  r.EnterRankPage();
  r.mapTops.clear();
  bool mapGoneWhenFadeStarted = false;
  h.Click(h.form->btnWelcome);
  h.app.ProcessMessages();
  mapGoneWhenFadeStarted = !map.pnlMap.Visible() && h.form->transFadeOut.Busy();
  EXPECT_EQ(r.mapTops, (std::vector<int>{37, 73, 109, 145, 181, 217, 253, 289, 325}));
  EXPECT_TRUE(mapGoneWhenFadeStarted);
  for (widgets::Image* continent : map.RevealOrder()) EXPECT_FALSE(continent->Visible());
  EXPECT_FALSE(map.pnlServerConnectError.Visible());
  EXPECT_FALSE(map.tmrMap.Enabled());
  h.FinishTransition();
  EXPECT_EQ(h.form->pgControlMain.ActivePage(), &h.Sheet(TMainPage::kWelcome));
}

TEST_F(MapPanelTest, ShowsNothingOnTheFirstTickThenOneContinentATick) {
  r.EnterRankPage();
  const std::vector<widgets::Image*> order = {
      &map.imgNorthAmerica, &map.imgAsia,    &map.imgOceana,       &map.imgEurope,
      &map.imgAfrica,       &map.imgMidEast, &map.imgSouthAmerica, &map.imgGreenland};
  ASSERT_EQ(r.shown.size(), 9u);
  for (size_t tick = 0; tick < r.shown.size(); ++tick) {
    const std::vector<widgets::Image*> expected(order.begin(), order.begin() + long(tick));
    EXPECT_EQ(r.shown[tick], expected) << "tick " << tick + 1;
  }
  EXPECT_EQ(map.continentStep, 10);
  EXPECT_FALSE(map.tmrContinents.Enabled());
}

TEST_F(MapPanelTest, EveryOverlayFitsItsPlaceOverTheMap) {
  const gui::Rect mapArea = map.imgMap.BoundsRect();
  EXPECT_EQ(mapArea, gui::Rect::XYWH(0, 23, 465, 256));
  for (widgets::Image* continent : map.RevealOrder()) {
    EXPECT_EQ(continent->Picture().Width(), continent->Width());
    EXPECT_EQ(continent->Picture().Height(), continent->Height());
    EXPECT_TRUE(continent->Picture().Transparent());
    EXPECT_EQ(mapArea.Intersect(continent->BoundsRect()), continent->BoundsRect());
  }
  EXPECT_EQ(map.imgGreenland.BoundsRect(), gui::Rect::XYWH(145, 39, 51, 56));
  EXPECT_EQ(map.imgOceana.BoundsRect(), gui::Rect::XYWH(371, 189, 84, 59));
}

TEST_F(MapPanelTest, LeavingDuringTheSlideInTurnsTheSlideRound) {
  bool clicked = false;
  bool fadingWhileMapSlides = false;
  h.onWatch = [&] {
    if (!clicked && map.tmrMap.Enabled() && map.pnlMap.Top() <= 144) {
      h.Click(h.form->btnWelcome);
      clicked = true;
    } else if (clicked && map.pnlMap.Visible() && h.form->transFadeOut.Busy()) {
      fadingWhileMapSlides = true;
    }
  };
  r.EnterRankPage();
  h.onWatch = nullptr;
  h.FinishTransition();
  ASSERT_TRUE(clicked);
  // Up by 16 to where the press came, then down by 36 from there until out of sight.
  const auto rise =
      std::adjacent_find(r.mapTops.begin(), r.mapTops.end(), [](int a, int b) { return b > a; });
  ASSERT_NE(rise, r.mapTops.end());
  const auto turn = rise + 1;
  for (auto it = r.mapTops.begin() + 1; it != turn; ++it) EXPECT_EQ(*it, *(it - 1) - 16);
  for (auto it = turn; it != r.mapTops.end(); ++it) EXPECT_EQ(*it, *(it - 1) + 36);
  EXPECT_GE(r.mapTops.back(), 312);
  EXPECT_TRUE(fadingWhileMapSlides);
  EXPECT_FALSE(map.pnlMap.Visible());
  EXPECT_TRUE(r.shown.empty());
  EXPECT_TRUE(r.pauses.empty());
  EXPECT_EQ(h.form->pgControlMain.ActivePage(), &h.Sheet(TMainPage::kWelcome));
}

TEST_F(MapPanelTest, LeavingDuringTheRevealLetsTheRevealAndTheRankingsStepFinish) {
  bool clicked = false;
  h.onWatch = [&] {
    if (!clicked && map.continentStep == 4) {
      h.Click(h.form->btnCPUDetails);
      clicked = true;
    }
  };
  r.EnterRankPage();
  h.onWatch = nullptr;
  h.FinishTransition();
  ASSERT_TRUE(clicked);
  // The slide-out ran inside the reveal; the reveal went on over the hidden map.
  EXPECT_EQ(r.mapTops.size(), 15u + 9u);
  EXPECT_FALSE(map.pnlMap.Visible());
  EXPECT_EQ(r.shown.size(), 9u);
  // The two shown before the map left were hidden with it; the other six came after.
  const auto& order = map.RevealOrder();
  EXPECT_EQ(r.ShownContinents(), std::vector<widgets::Image*>(order.begin() + 2, order.end()));
  EXPECT_EQ(r.pauses.size(), 1u);
  EXPECT_TRUE(map.pnlServerConnectError.Visible());
  EXPECT_EQ(map.lblServerStatus.Caption(), "unable to connect to server");
  EXPECT_EQ(h.form->CurrentPage, TMainPage::kCPUDetails);
  EXPECT_EQ(h.form->pgControlMain.ActivePage(), &h.Sheet(TMainPage::kCPUDetails));
}

TEST_F(MapPanelTest, TheNextVisitRevealsTheContinentsAgain) {
  r.EnterRankPage();
  r.Go(h.form->btnAbout);
  for (widgets::Image* continent : map.RevealOrder()) EXPECT_FALSE(continent->Visible());
  r.shown.clear();
  r.EnterRankPage();
  ASSERT_EQ(r.shown.size(), 9u);
  EXPECT_TRUE(r.shown.front().empty());
  EXPECT_EQ(r.ShownContinents().size(), 8u);
}

TEST_F(MapPanelTest, SwitchingPagesWithTheMapAwayLeavesTmrMapOff) {
  r.Go(h.form->btnCPUDetails);
  r.Go(h.form->btnAbout);
  EXPECT_TRUE(r.mapTops.empty());
  EXPECT_FALSE(map.pnlMap.Visible());
  EXPECT_EQ(map.pnlMap.Top(), 312);
}

}  // namespace
}  // namespace ui::testing
