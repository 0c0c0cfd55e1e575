#include "ui/TestPage.h"

#include "assets/Assets.h"
#include "controls/TransitionStyles.h"
#include "gui/Application.h"
#include "ui/CaptionBar.h"
#include "ui/Placement.h"
#include "ui/Theme.h"

namespace ui {
namespace {

void PlaceStage(widgets::Panel& panel, int left, int width) {
  panel.SetBounds(left, 109, width, 30);
  panel.SetColor(theme::kStageIdle);
}

}  // namespace

TestPage::TestPage(MainHost& host)
    : MainWindowPage(host),
      imgTestPage(&Sheet()),
      lblHeadlineRed(&Sheet()),
      lblHeadlineWhite(&Sheet()),
      lblExplanation(&Sheet()),
      lblTestAgain(&Sheet()),
      pnlRamp(&Sheet()),
      pnlCore(&Sheet()),
      pnlDeep(&Sheet()),
      pnlCool(&Sheet()),
      stageRuling{widgets::Rule(&Sheet(), gui::Rect::XYWH(72, 137, 1, 29), theme::kRuling),
                  widgets::Rule(&Sheet(), gui::Rect::XYWH(176, 137, 1, 29), theme::kRuling),
                  widgets::Rule(&Sheet(), gui::Rect::XYWH(280, 137, 1, 29), theme::kRuling),
                  widgets::Rule(&Sheet(), gui::Rect::XYWH(384, 137, 1, 29), theme::kRuling),
                  widgets::Rule(&Sheet(), gui::Rect::XYWH(488, 137, 1, 29), theme::kRuling),
                  widgets::Rule(&Sheet(), gui::Rect::XYWH(72, 165, 417, 1), theme::kRuling)},
      lblStageRamp(&Sheet()),
      lblStageCore(&Sheet()),
      lblStageDeep(&Sheet()),
      lblStageCool(&Sheet()),
      lblNote(&Sheet()),
      pnlSpeed(&Sheet()),
      lblSpeedHeading(&pnlSpeed),
      lblCPUSpeedMain(&pnlSpeed),
      transMedal(&pnlSpeed),
      test_run(*this, host.State().MeasuredMhz,
               host.Services().randomPercent ? host.Services().randomPercent
                                             : speedtest::ClockSeededRandomPercent),
      top_(host.Instruments()) {
  imgTestPage.SetBounds(6, 0, 96, 104);
  imgTestPage.SetTransparent(true);
  LoadAsset(imgTestPage.Picture(), assets::TestPage());

  Place(lblHeadlineRed, {118, 5}, "Accurate", theme::Arial(19, theme::kRed, true));
  Place(lblHeadlineWhite, {208, 5}, "Speed Testing Ahead", theme::Arial(19, theme::kWhite, true));
  PlaceWrapped(lblExplanation, gui::Rect::XYWH(116, 33, 387, 48),
               "Tachora uses hard core speed algorythms in testing your central processor speed. "
               "For the most accurate result, please make sure all other applications are closed.",
               theme::Tahoma(12, theme::kSilver));
  Place(lblTestAgain, {217, 82}, "Click here to test again",
        theme::Tahoma(12, theme::kYellow, false, true));
  lblTestAgain.SetLink(true);
  lblTestAgain.OnClick = [this](gui::Control&) { Host().lblTestAgainClick(); };
  lblTestAgain.Hide();

  PlaceStage(pnlRamp, 72, 104);
  PlaceStage(pnlCore, 177, 103);
  PlaceStage(pnlDeep, 281, 103);
  PlaceStage(pnlCool, 385, 104);
  Place(lblStageRamp, {102, 145}, "CPU Ramp", theme::SmallFonts(9, theme::kLightBlue));
  Place(lblStageCore, {216, 145}, "Core", theme::SmallFonts(9, theme::kRed));
  Place(lblStageDeep, {315, 145}, "Deep Cycle", theme::SmallFonts(9, theme::kRed));
  Place(lblStageCool, {423, 145}, "Cool Off", theme::SmallFonts(9, theme::kLightBlue));
  PlaceWrapped(lblNote, gui::Rect::XYWH(69, 179, 521, 51),
               "There are four stages to the test. Please wait a few moments whilst the test is "
               "in progress.",
               theme::Tahoma(12, theme::kSilver));

  pnlSpeed.SetBounds(500, 6, 139, 160);
  pnlSpeed.SetColor(theme::kBlack);
  pnlSpeed.SetBorder(1, theme::kBoxBorder);
  Place(lblSpeedHeading, {28, 13}, "CPU Speed", theme::Arial(16, theme::kWhite, true));
  Place(lblCPUSpeedMain, {27, 33}, "0000 Mhz", theme::Arial(19, theme::kRed, true));
  lblCPUSpeedMain.SetTransparent(false);
  lblCPUSpeedMain.SetColor(theme::kBlack);

  transMedal.SetBounds(34, 68, 73, 75);
  transMedal.SetAutoSize(true);
  transMedal.SetStyle(controls::kFadeStyle);
  transMedal.SetStep(8);
  transMedal.SetDelay(25);
  transMedal.SetColor(theme::kBlack);
  LoadAsset(transMedal.BgPicture(), assets::MedalBackground());
  LoadAsset(transMedal.Picture(), assets::Medal());
}

widgets::Panel& TestPage::StagePanel(speedtest::Stage stage) {
  switch (stage) {
    case speedtest::Stage::kRamp:
      return pnlRamp;
    case speedtest::Stage::kCore:
      return pnlCore;
    case speedtest::Stage::kDeep:
      return pnlDeep;
    case speedtest::Stage::kCool:
      break;
  }
  return pnlCool;
}

void TestPage::SetPercentGauge(float position) {
  top_.gaugePercent.SetPosition(position);
}

void TestPage::SetPercentDisplay(const std::string& text) {
  top_.ledPercent.SetValue(text);
}

void TestPage::SetMhzGauge(float position) {
  top_.gaugeMhz1.SetPosition(position);
}

void TestPage::SetMhzDisplay(const std::string& text) {
  top_.ledMhz.SetValue(text);
}

void TestPage::SetStageReached(speedtest::Stage stage, bool reached) {
  StagePanel(stage).SetColor(reached ? theme::kStageReached : theme::kStageIdle);
}

void TestPage::RepaintStage(speedtest::Stage stage) {
  StagePanel(stage).Repaint();
}

void TestPage::SetSpeedCaption(const std::string& caption) {
  lblCPUSpeedMain.SetCaption(caption);
}

bool TestPage::SpeedLit() const {
  return lblCPUSpeedMain.Font().color == theme::kSpeedLit;
}

void TestPage::SetSpeedLit(bool lit) {
  lblCPUSpeedMain.SetFontColor(lit ? theme::kSpeedLit : theme::kSpeedDark);
}

void TestPage::RepaintSpeedLabel() {
  lblCPUSpeedMain.Repaint();
}

void TestPage::StartMedalTransition() {
  transMedal.Execute();
}

void TestPage::ShowTestAgain() {
  lblTestAgain.Show();
}

void TestPage::ShowResultDialog(const std::string& mhzText) {
  Host().ShowResultDialog(mhzText);
}

void TestPage::ProcessMessages() {
  gui::Application::Current().ProcessMessages();
}

}  // namespace ui
