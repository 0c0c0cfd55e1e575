// The online scores page: the status line through a visit, the rankings step's pause and
// its error state, entering twice, the three links and the identity in their address,
// the placeholder chart, the program's own main window carrying the page, and pictures
// of the page before the map arrives, with every continent lit and in the error state.
#include <gtest/gtest.h>

#include "RankPageTestSupport.h"
#include "online/WebAddresses.h"

namespace ui::testing {
namespace {

constexpr const char* kConnecting = "connecting to server, please wait...";
constexpr const char* kRevealed = "move mouse over map node for more info";
constexpr const char* kUnable = "unable to connect to server";

class RankPageTest : public ::testing::Test {
 protected:
  RankPageHarness r;
  UiHarness& h = r.h;
  RankPage& page = *r.page;
  MapPanel& map = *r.map;

  // The status line as the pumped loops see it, each change once.
  std::vector<std::string> statuses;
  void WatchStatus() {
    h.onWatch = [this] {
      const std::string& now = map.lblServerStatus.Caption();
      if (statuses.empty() || statuses.back() != now) statuses.push_back(now);
    };
  }
  std::string RankingsPage(const std::string& identity) {
    return online::ProductAddress("/ranking.php?v=app&m4=") + identity;
  }
};

TEST_F(RankPageTest, StatusLineReadsConnectingThroughTheAnimationThenUnableToConnect) {
  WatchStatus();
  r.EnterRankPage();
  h.RunFor(100);
  EXPECT_EQ(statuses, (std::vector<std::string>{kConnecting, kUnable}));
  // Set just before the pause, replaced before anything could show it.
  EXPECT_EQ(r.pauses, (std::vector<std::string>{kRevealed}));
  EXPECT_TRUE(map.pnlServerConnectError.Visible());
  EXPECT_TRUE(map.pnlMap.Visible());
  EXPECT_EQ(map.lblServerStatus.Caption(), kUnable);
}

TEST_F(RankPageTest, ThePauseComesAfterTheLastContinentAndLastsASecond) {
  double pausedFor = 0;
  std::vector<uint32_t> asked;
  bool greenlandShown = false;
  r.onPause = [&] { greenlandShown = map.imgGreenland.Visible(); };
  auto pause = page.pause;
  page.pause = [&, pause](uint32_t ms) {
    asked.push_back(ms);
    const double before = h.backend.Time().NowMs();
    pause(ms);
    pausedFor = h.backend.Time().NowMs() - before;
  };
  r.EnterRankPage();
  EXPECT_TRUE(greenlandShown);
  EXPECT_EQ(asked, (std::vector<uint32_t>{1000}));
  // The virtual clock moves only by the pause, and by a tiny step for each reading.
  EXPECT_GE(pausedFor, 1000.0);
  EXPECT_LT(pausedFor, 1001.0);
  EXPECT_FALSE(map.tmrContinents.Enabled());
}

TEST_F(RankPageTest, EnteringTwiceSlidesOutThenPausesAndShowsTheErrorAgain) {
  r.EnterRankPage();
  WatchStatus();
  bool errorShownDuringSecondSlide = false;
  auto watchStatus = h.onWatch;
  h.onWatch = [&, watchStatus] {
    watchStatus();
    if (map.tmrMap.Enabled() && map.pnlServerConnectError.Visible()) {
      errorShownDuringSecondSlide = true;
    }
  };
  r.mapTops.clear();
  r.EnterRankPage();
  EXPECT_EQ(r.pauses.size(), 2u);
  EXPECT_EQ(statuses, (std::vector<std::string>{kUnable, kConnecting, kUnable}));
  EXPECT_FALSE(errorShownDuringSecondSlide);
  // Nine ticks out, then fifteen in.
  ASSERT_EQ(r.mapTops.size(), 24u);
  EXPECT_EQ(r.mapTops[8], 325);
  EXPECT_EQ(r.mapTops.back(), 1);
  EXPECT_TRUE(map.pnlServerConnectError.Visible());
  EXPECT_EQ(h.transitionsCompleted, 2);
}

TEST_F(RankPageTest, TheThreeLinksOpenTheRankingsPageForThisMachine) {
  r.EnterRankPage();
  for (widgets::Label* link :
       {&page.lblViewRankOnline1, &map.lblViewRankOnline, &map.lblViewResultsOnline}) {
    h.Hover(*link);
    h.app.ProcessMessages();
    EXPECT_EQ(h.Native(*h.form).CurrentCursor(), platform::Cursor::Hand);
    h.Click(*link);
    h.RunFor(50);
  }
  EXPECT_EQ(h.recorder.opened, std::vector<std::string>(3, RankingsPage(kFakeIdentity)));
  EXPECT_EQ(h.form->CurrentPage, TMainPage::kRank);
  h.Hover(page.imgGlobe);
  h.app.ProcessMessages();
  EXPECT_EQ(h.Native(*h.form).CurrentCursor(), platform::Cursor::Arrow);
}

TEST_F(RankPageTest, LinksFollowTheIdentityAndAnEmptyOneEndsTheAddressInM4) {
  r.EnterRankPage();
  h.form->SetMachineIdentity("");
  h.Click(page.lblViewRankOnline1);
  h.RunFor(50);
  h.form->SetMachineIdentity("00E018AB12CD");
  h.Click(map.lblViewResultsOnline);
  h.RunFor(50);
  ASSERT_EQ(h.recorder.opened.size(), 2u);
  EXPECT_TRUE(h.recorder.opened[0].ends_with("/ranking.php?v=app&m4="));
  EXPECT_EQ(h.recorder.opened[1], RankingsPage("00E018AB12CD"));
}

TEST_F(RankPageTest, TheRankBoxesDoNothingWhenClicked) {
  r.EnterRankPage();
  h.Click(page.lblRankGlobalA);
  h.Click(h.Welcome().lblRankGlobal);
  h.RunFor(200);
  EXPECT_TRUE(h.recorder.opened.empty());
  EXPECT_FALSE(h.form->transFadeOut.Busy());
  EXPECT_EQ(page.lblRankGlobalA.Caption(), "0%");
  EXPECT_EQ(page.lblRankCountryA.Caption(), "0%");
}

TEST_F(RankPageTest, EachVisitRefillsTheChartWithTheSamePlaceholderBars) {
  r.EnterRankPage();
  r.EnterRankPage();
  const double values[] = {200, 2000, 2500, 3000, 4000};
  ASSERT_EQ(page.chartGlobal.Count(), 5);
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(page.chartGlobal.At(i).value, values[i]);
    EXPECT_EQ(page.chartGlobal.At(i).color, i == 0 ? 0x000000FFu : 0x00D98110u);
    EXPECT_TRUE(page.chartGlobal.At(i).label.empty());
  }
}

// The map and its boxes in window coordinates, with the map resting at top 1.
constexpr gui::Point kMapOrigin{198, 22};
gui::Rect OnMap(const gui::Rect& box) {
  return box.Offset(kMapOrigin.x, kMapOrigin.y);
}

int CountPixels(const gui::Bitmap& picture, const gui::Rect& area,
                const std::function<bool(uint8_t red, uint8_t green, uint8_t blue)>& test) {
  int count = 0;
  for (int y = area.top; y < area.bottom; ++y) {
    for (int x = area.left; x < area.right; ++x) {
      const gui::Color c = picture.Pixel(x, y);
      if (test(uint8_t(c), uint8_t(c >> 8), uint8_t(c >> 16))) ++count;
    }
  }
  return count;
}
bool Lit(uint8_t red, uint8_t green, uint8_t blue) {
  return blue > 200 && green > 150 && red < 160;
}
bool Reddish(uint8_t red, uint8_t green, uint8_t blue) {
  return red > 180 && green < 80 && blue < 80;
}
bool Yellow(uint8_t red, uint8_t green, uint8_t blue) {
  return red > 200 && green > 200 && blue < 80;
}

TEST_F(RankPageTest, PicturesBeforeTheMapWithTheContinentsAndInTheErrorState) {
  gui::Bitmap arriving, unlit, lit;
  h.onWatch = [&] {
    if (arriving.Empty() && map.tmrMap.Enabled() && map.pnlMap.Top() <= 208) {
      arriving = Snapshot(*h.form, "rank-map-arriving");
    }
    if (unlit.Empty() && map.continentStep == 2) unlit = h.form->CaptureArea(h.form->ClientRect());
  };
  r.onPause = [&] { lit = Snapshot(*h.form, "rank-map-continents"); };
  r.EnterRankPage();
  h.RunFor(100);
  const gui::Bitmap error = Snapshot(*h.form, "rank-error");
  ASSERT_FALSE(arriving.Empty());
  ASSERT_FALSE(unlit.Empty());
  ASSERT_FALSE(lit.Empty());

  // The page: its rules, and the red bar of "YOU" in the chart.
  EXPECT_EQ(arriving.Pixel(13 + 100, 367 + 88), 0x005B5655u);
  EXPECT_EQ(arriving.Pixel(13 + 125, 367 + 140), 0x005B5655u);
  EXPECT_GT(CountPixels(arriving, gui::Rect::XYWH(13 + 274, 367 + 23, 110, 182), Reddish), 40);
  // The map coming up over the instruments: its title strip at 208, instruments above.
  EXPECT_EQ(arriving.Pixel(198 + 200, 21 + 208 + 10), 0x004D4C49u);
  EXPECT_NE(arriving.Pixel(198 + 200, 21 + 190), 0x004D4C49u);

  // Every continent brighter once lit, against the same map with none shown.
  for (widgets::Image* continent : map.RevealOrder()) {
    const gui::Rect box = OnMap(continent->BoundsRect());
    EXPECT_GT(CountPixels(lit, box, Lit), CountPixels(unlit, box, Lit) + 20)
        << "overlay at " << continent->Left() << ", " << continent->Top();
  }
  EXPECT_EQ(lit.Pixel(kMapOrigin.x + 10, kMapOrigin.y + 290), 0x002A2D2Bu);  // footer
  EXPECT_EQ(CountPixels(lit, OnMap(gui::Rect::XYWH(137, 103, 185, 70)),
                        [](uint8_t red, uint8_t green, uint8_t blue) {
                          return red == 0x89 && green == 0x89 && blue == 0x89;
                        }),
            0);

  // The error panel over the map, the status line in yellow.
  EXPECT_EQ(error.Pixel(kMapOrigin.x + 137 + 3, kMapOrigin.y + 103 + 3), 0x00898989u);
  EXPECT_GT(CountPixels(error, OnMap(gui::Rect::XYWH(189, 253, 204, 21)), Yellow), 30);
  EXPECT_GT(CountPixels(error, OnMap(gui::Rect::XYWH(137, 103, 185, 70)), Yellow), 30);
}

TEST(RankPageWiringTest, TheProgramsMainWindowCarriesTheOnlinePage) {
  UiHarness h;
  std::unique_ptr<TfmMain> form = CreateMainWindow(FakeServices(h.recorder));
  h.app.SetMainWindow(form.get());
  h.recorder.form = form.get();
  h.app.ProcessMessages();
  form->Show();
  h.Click(form->btnGetRanking);
  h.RunUntil([&] { return !form->transFadeOut.Busy(); });
  gui::Control* map = form->top_area.pnlInstruments.Children().back();
  EXPECT_TRUE(map->Visible());
  EXPECT_EQ(map->Top(), 1);
  EXPECT_TRUE(map->Children().back()->Visible());  // the connection-error panel
  h.app.SetMainWindow(h.form.get());
}

}  // namespace
}  // namespace ui::testing
