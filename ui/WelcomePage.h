// The welcome page (tabWelcome): the program's name and line, the introduction, the
// three reassurance lines, the web site link and the score box with its "get my score"
// links to the online page.
#pragma once

#include <array>

#include "ui/MainWindowPage.h"
#include "widgets/GlowButton.h"
#include "widgets/Image.h"
#include "widgets/Label.h"
#include "widgets/Panel.h"
#include "widgets/Rule.h"

namespace ui {

class WelcomePage : public MainWindowPage {
 public:
  explicit WelcomePage(MainHost& host);

  void lblURLCPURankClick();
  void lblGetScoreGlobalClick();
  void lblGetScoreCountryClick();

  widgets::GlowButton lblWelcomeName;
  widgets::Label lblWelcomeLine;
  widgets::Label lblIntroduction;
  std::array<widgets::Image, 3> imgReassurance;
  widgets::Label lblSecure;
  widgets::Label lblGuaranteed;
  widgets::Label lblNoSpyware;
  widgets::Label lblURLCPURank;  // "Visit the Tachora Website"
  widgets::Image imgWelcomeCpu;

  widgets::Panel pnlScores;
  widgets::Label lblScoresHeading;
  widgets::Rule ruleScores;
  widgets::Label lblGlobalCaption;
  widgets::GlowButton lblRankGlobal;
  widgets::Label lblGetScoreGlobal;
  widgets::Label lblCountryCaption;
  widgets::GlowButton lblRankCountry;
  widgets::Label lblGetScoreCountry;
};

}  // namespace ui
