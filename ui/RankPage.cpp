#include "ui/RankPage.h"

#include <string>

#include "assets/Assets.h"
#include "gui/Application.h"
#include "online/WebAddresses.h"
#include "ui/CaptionBar.h"
#include "ui/Placement.h"
#include "ui/Theme.h"
#include "ui/TopArea.h"

namespace ui {
namespace {

// The placeholder chart: "YOU" in red, then the global top four.
struct ChartBar {
  double value;
  gui::Color color;
};
constexpr std::array<ChartBar, 5> kPlaceholderBars = {{
    {200, theme::kRed},
    {2000, theme::kScoreBar},
    {2500, theme::kScoreBar},
    {3000, theme::kScoreBar},
    {4000, theme::kScoreBar},
}};

// The axis strip's ranks under the bars, after the red "1" of "YOU".
constexpr std::array<int, 5> kAxisColumns = {24, 74, 124, 175, 226};
constexpr std::array<const char*, 4> kAxisRanks = {"4", "3", "2", "1"};

void PlaceCaption(widgets::GlowButton& box, const gui::Rect& bounds, std::string_view caption,
                  const gui::Font& font) {
  box.SetLabelOnly(true);
  box.SetAlignment(gui::TextAlign::Left);
  box.SetFont(font);
  box.SetCaption(std::string(caption));
  box.SetBounds(bounds);
}

widgets::BarChartStyle ChartStyle() {
  widgets::BarChartStyle style;
  style.depthPercent = 80;
  style.angle = 40;
  style.chartColor = theme::kBlack;
  style.borderColor = theme::kWhite;
  style.backWall = theme::kChartWall;
  style.leftWall = theme::kChartWall;
  style.bottomWall = theme::kChartFloor;
  style.axisMin = 0;
  style.axisMax = 6000;
  style.axisLabelColor = theme::kWhite;
  style.labelSeparation = 20;
  style.barOutline = theme::kChartBarOutline;
  style.marksVisible = true;
  style.markBrush = theme::kBlack;
  style.barWidthPercent = 85;
  style.barDepthPercent = 90;
  return style;
}

}  // namespace

RankPage::RankPage(MainHost& host)
    : MainWindowPage(host),
      pause(
          [](uint32_t milliseconds) { gui::Application::Current().Clock().SleepMs(milliseconds); }),
      lblViewOnline(&Sheet()),
      lblCPUScores(&Sheet()),
      lblRankIntroduction(&Sheet()),
      lblViewRankOnline1(&Sheet()),
      ruleRankTop(&Sheet(), gui::Rect::XYWH(7, 88, 238, 1), theme::kRuling),
      ruleRankMiddle(&Sheet(), gui::Rect::XYWH(125, 101, 1, 83), theme::kRuling),
      imgGlobe(&Sheet()),
      imgCountry(&Sheet()),
      lblRankGlobalA(&Sheet()),
      lblRankCountryA(&Sheet()),
      lblGlobalScore(&Sheet()),
      lblCountryScore(&Sheet()),
      lblGlobalTop4(&Sheet()),
      lblAndYou(&Sheet()),
      chartGlobal(&Sheet()),
      lblChartOne(&chartGlobal),
      ruleChart(&chartGlobal, gui::Rect::XYWH(340, 23, 1, 117), theme::kRuling),
      lblChartMhz(&chartGlobal),
      pnlAxis(&Sheet()),
      lblGraphYou(&pnlAxis),
      lblGraphRanks{widgets::Label(&pnlAxis), widgets::Label(&pnlAxis), widgets::Label(&pnlAxis),
                    widgets::Label(&pnlAxis)},
      lblGraphRank(&pnlAxis),
      map(&host.Instruments().pnlInstruments) {
  Place(lblViewOnline, {10, 1}, "View Online", theme::Arial(16, theme::kRed, true));
  Place(lblCPUScores, {105, 1}, "CPU Scores", theme::Arial(16, theme::kWhite, true));
  PlaceWrapped(lblRankIntroduction, gui::Rect::XYWH(10, 22, 233, 44),
               "The map displays the top online CPU scores. Click the link below to view your CPU "
               "score online. ",
               theme::Tahoma(12, theme::kSilver));
  Place(lblViewRankOnline1, {11, 67}, "Click Here to View Your rank online",
        theme::Tahoma(12, theme::kRankLink, false, true));

  imgGlobe.SetBounds(29, 93, 72, 70);
  LoadAsset(imgGlobe.Picture(), assets::Globe());
  imgCountry.SetBounds(157, 97, 62, 64);
  LoadAsset(imgCountry.Picture(), assets::Country());

  gui::Font globalFont = theme::Arial(24, theme::kLightBlue, true);
  globalFont.antialias = true;
  PlaceCaption(lblRankGlobalA, gui::Rect::XYWH(33, 161, 72, 24), "0%", globalFont);
  PlaceCaption(lblRankCountryA, gui::Rect::XYWH(146, 162, 92, 24), "0%",
               theme::Arial(24, theme::kRed, true));
  Place(lblGlobalScore, {41, 191}, "global score", theme::Tahoma(11, theme::kWhite));
  Place(lblCountryScore, {164, 191}, "country score", theme::Tahoma(11, theme::kWhite));

  PlaceCaption(lblGlobalTop4, gui::Rect::XYWH(348, 0, 130, 21), "GLOBAL Top 4 ",
               theme::Arial(16, theme::kLightBlue, true));
  PlaceCaption(lblAndYou, gui::Rect::XYWH(479, 0, 90, 21), "and YOU",
               theme::Arial(16, theme::kRed, true));

  chartGlobal.SetBounds(274, 23, 342, 182);
  chartGlobal.SetStyle(ChartStyle());
  Place(lblChartOne, {264, 177}, "1", theme::Tahoma(11, theme::kWhite));
  Place(lblChartMhz, {4, 21}, "Mhz", theme::SmallFonts(9, theme::kWhite));

  pnlAxis.SetBounds(321, 192, 292, 21);
  pnlAxis.SetColor(theme::kBlack);
  Place(lblGraphYou, {kAxisColumns[0], 3}, "1", theme::Tahoma(11, theme::kRed));
  for (size_t i = 0; i < lblGraphRanks.size(); ++i) {
    Place(lblGraphRanks[i], {kAxisColumns[i + 1], 3}, kAxisRanks[i],
          theme::Tahoma(11, theme::kWhite));
  }
  Place(lblGraphRank, {270, 5}, "Rank", theme::SmallFonts(9, theme::kWhite));

  for (widgets::Label* link :
       {&lblViewRankOnline1, &map.lblViewRankOnline, &map.lblViewResultsOnline}) {
    link->SetLink(true);
    link->OnClick = [this](gui::Control&) { lblViewRankOnlineClick(); };
  }
  map.OnContinentsRevealed = [this] {
    map.lblServerStatus.SetCaption(std::string(MapPanel::kRevealedText));
    FetchRankings();
  };
  ResetRankChart();
}

void RankPage::EnterRankPage() {
  map.lblServerStatus.SetCaption(std::string(MapPanel::kConnectingText));
  ResetRankChart();
  map.SlideMapIn();
}

void RankPage::ResetRankChart() {
  chartGlobal.Clear();
  for (const ChartBar& bar : kPlaceholderBars) chartGlobal.Add(bar.value, bar.color);
}

bool RankPage::FetchRankings() {
  return online::FetchRankings(*this, pause);
}

void RankPage::lblViewRankOnlineClick() {
  Host().OpenInBrowser(online::RankingsAddress(Host().CurrentMachineIdentity()));
}

void RankPage::SetServerStatus(std::string_view caption) {
  map.lblServerStatus.SetCaption(std::string(caption));
}

void RankPage::ShowServerConnectError() {
  map.pnlServerConnectError.Show();
}

}  // namespace ui
