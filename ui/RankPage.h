// The online scores page, tabRank: the heading and the link to the web rankings, the
// global and country rank boxes, the "GLOBAL Top 4 and YOU" chart with its axis strip,
// and the world ranking map that slides over the instruments when the page is entered.
// Once the continents are shown the rankings step runs; it ends in the connection-error
// state, which offers the web rankings page.
#pragma once

#include <array>

#include "online/Rankings.h"
#include "ui/MainWindowPage.h"
#include "ui/MapPanel.h"
#include "widgets/BarChart3D.h"
#include "widgets/GlowButton.h"
#include "widgets/Image.h"
#include "widgets/Label.h"
#include "widgets/Panel.h"
#include "widgets/Rule.h"

namespace ui {

class RankPage : public MainWindowPage, private online::RankingsView {
 public:
  explicit RankPage(MainHost& host);

  // MainWindowPage
  void FormCreate() override { map.PutAway(); }
  void Enter() override { EnterRankPage(); }
  void PageSwitchStarting() override { map.SlideMapOut(); }

  void EnterRankPage();
  void ResetRankChart();
  // The rankings step; the result is false, as no rankings are ever received.
  bool FetchRankings();
  // The three "view online" links: the web rankings page for this machine.
  void lblViewRankOnlineClick();

  // The rankings step's pause; it pumps nothing. Tests wrap it to look at the page then.
  online::PauseFunction pause;

  widgets::Label lblViewOnline;
  widgets::Label lblCPUScores;
  widgets::Label lblRankIntroduction;
  widgets::Label lblViewRankOnline1;  // "Click Here to View Your rank online"
  widgets::Rule ruleRankTop;
  widgets::Rule ruleRankMiddle;
  widgets::Image imgGlobe;
  widgets::Image imgCountry;
  widgets::GlowButton lblRankGlobalA;
  widgets::GlowButton lblRankCountryA;
  widgets::Label lblGlobalScore;
  widgets::Label lblCountryScore;
  widgets::GlowButton lblGlobalTop4;
  widgets::GlowButton lblAndYou;

  widgets::BarChart3D chartGlobal;
  widgets::Label lblChartOne;
  widgets::Rule ruleChart;
  widgets::Label lblChartMhz;

  widgets::Panel pnlAxis;
  widgets::Label lblGraphYou;                   // the red "1" under the first bar
  std::array<widgets::Label, 4> lblGraphRanks;  // "4", "3", "2", "1"
  widgets::Label lblGraphRank;                  // "Rank"

  MapPanel map;

 private:
  // RankingsView
  void SetServerStatus(std::string_view caption) override;
  void ShowServerConnectError() override;
};

}  // namespace ui
