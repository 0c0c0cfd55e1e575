#include "ui/WelcomePage.h"

#include <string>

#include "assets/Assets.h"
#include "online/WebAddresses.h"
#include "ui/CaptionBar.h"
#include "ui/Placement.h"
#include "ui/ProductTexts.h"
#include "ui/Theme.h"

namespace ui {
namespace {

// The percentage boxes are styled buttons used as labels: only the caption shows.
void PlaceRankBox(widgets::GlowButton& box, const gui::Rect& bounds, gui::Color color) {
  box.SetLabelOnly(true);
  box.SetFont(theme::Arial(24, color, true));
  box.SetCaption("0%");
  box.SetBounds(bounds);
}

}  // namespace

WelcomePage::WelcomePage(MainHost& host)
    : MainWindowPage(host),
      lblWelcomeName(&Sheet()),
      lblWelcomeLine(&Sheet()),
      lblIntroduction(&Sheet()),
      imgReassurance{widgets::Image(&Sheet()), widgets::Image(&Sheet()), widgets::Image(&Sheet())},
      lblSecure(&Sheet()),
      lblGuaranteed(&Sheet()),
      lblNoSpyware(&Sheet()),
      lblURLCPURank(&Sheet()),
      imgWelcomeCpu(&Sheet()),
      pnlScores(&Sheet()),
      lblScoresHeading(&pnlScores),
      ruleScores(&pnlScores, gui::Rect::XYWH(8, 26, 232, 1), theme::kRuling),
      lblGlobalCaption(&pnlScores),
      lblRankGlobal(&pnlScores),
      lblGetScoreGlobal(&pnlScores),
      lblCountryCaption(&pnlScores),
      lblRankCountry(&pnlScores),
      lblGetScoreCountry(&pnlScores) {
  lblWelcomeName.SetLabelOnly(true);
  lblWelcomeName.SetAlignment(gui::TextAlign::Left);
  lblWelcomeName.SetFont(theme::Arial(26, theme::kWhite, true));
  lblWelcomeName.SetCaptionRuns(
      {{std::string(kNameWhitePart), theme::kWhite}, {std::string(kNameRedPart), theme::kRed}});
  lblWelcomeName.SetBounds(8, 2, 140, 32);
  Place(lblWelcomeLine, {12, 34}, "Test the REAL speed of your CPU",
        theme::Arial(13, theme::kYellow, true));

  PlaceWrapped(lblIntroduction, gui::Rect::XYWH(12, 56, 250, 75),
               "If you've ever wondered exactly how fast your CPU is running, this great little "
               "application will tell you.  Simply click the 'Test CPU Speed' button above and see "
               "Tachora go to work.",
               theme::Tahoma(12, theme::kSilver));

  const assets::Asset icons[] = {assets::IconSecure(), assets::IconGuaranteed(),
                                 assets::IconNoSpyware()};
  for (size_t i = 0; i < imgReassurance.size(); ++i) {
    imgReassurance[i].SetBounds(12, 136 + int(i) * 20, 16, 16);
    LoadAsset(imgReassurance[i].Picture(), icons[i]);
  }
  Place(lblSecure, {34, 137}, "Secure Software", theme::Tahoma(11, theme::kWhite, true));
  Place(lblGuaranteed, {34, 157}, "Guaranteed", theme::Tahoma(11, theme::kWhite, true));
  Place(lblNoSpyware, {34, 177}, "NO Spyware!", theme::Tahoma(11, theme::kRed, true));
  Place(lblURLCPURank, {12, 200}, "Visit the Tachora Website",
        theme::Tahoma(11, theme::kWhite, false, true));
  lblURLCPURank.SetLink(true);

  imgWelcomeCpu.SetBounds(268, 70, 120, 120);
  LoadAsset(imgWelcomeCpu.Picture(), assets::WelcomeCpu());

  pnlScores.SetBounds(396, 8, 248, 204);
  pnlScores.SetColor(theme::kBlack);
  pnlScores.SetBorder(1, theme::kBoxBorder);
  Place(lblScoresHeading, {8, 6},
        "View Global CPU Rankings Online:", theme::Tahoma(12, theme::kWhite, true));
  Place(lblGlobalCaption, {10, 36}, "Your GLOBAL CPU Score", theme::Tahoma(11, theme::kSilver));
  PlaceRankBox(lblRankGlobal, gui::Rect::XYWH(8, 54, 92, 30), theme::kLightBlue);
  Place(lblGetScoreGlobal, {150, 64}, "get my score",
        theme::Tahoma(11, theme::kWhite, false, true));
  Place(lblCountryCaption, {10, 116}, "Your Country CPU Score", theme::Tahoma(11, theme::kSilver));
  PlaceRankBox(lblRankCountry, gui::Rect::XYWH(8, 134, 92, 30), theme::kRed);
  Place(lblGetScoreCountry, {150, 144}, "get my score",
        theme::Tahoma(11, theme::kWhite, false, true));
  lblGetScoreGlobal.SetLink(true);
  lblGetScoreCountry.SetLink(true);

  lblURLCPURank.OnClick = [this](gui::Control&) { lblURLCPURankClick(); };
  lblGetScoreGlobal.OnClick = [this](gui::Control&) { lblGetScoreGlobalClick(); };
  lblGetScoreCountry.OnClick = [this](gui::Control&) { lblGetScoreCountryClick(); };
}

void WelcomePage::lblURLCPURankClick() {
  Host().OpenInBrowser(online::ProductAddress(online::kHomePath));
}

void WelcomePage::lblGetScoreGlobalClick() {
  Host().ShowPage(TMainPage::kRank);
}

void WelcomePage::lblGetScoreCountryClick() {
  Host().ShowPage(TMainPage::kRank);
}

}  // namespace ui
