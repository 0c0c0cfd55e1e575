// The test page (tabTestCPU), its test run, and what the run drives: the page's stage
// panels, speed box, medal and "test again" link, and the instruments in the top area.
#pragma once

#include <array>
#include <string>

#include "controls/PictureTransition.h"
#include "speedtest/TestRun.h"
#include "speedtest/TestRunView.h"
#include "ui/MainWindowPage.h"
#include "ui/TopArea.h"
#include "widgets/Image.h"
#include "widgets/Label.h"
#include "widgets/Panel.h"
#include "widgets/Rule.h"

namespace ui {

class TestPage : public MainWindowPage, public speedtest::TestRunView {
 public:
  // Builds the page on its sheet; the run drives the host's instruments too.
  explicit TestPage(MainHost& host);

  // MainWindowPage
  void FormCreate() override { Reset(); }
  void Enter() override { test_run.StartTest(); }
  void Reset() override { test_run.TestRunning = false; }
  void Closing() override { test_run.StopTest(); }

  // speedtest::TestRunView
  void SetPercentGauge(float position) override;
  void SetPercentDisplay(const std::string& text) override;
  void SetMhzGauge(float position) override;
  void SetMhzDisplay(const std::string& text) override;
  void SetStageReached(speedtest::Stage stage, bool reached) override;
  void RepaintStage(speedtest::Stage stage) override;
  void SetSpeedCaption(const std::string& caption) override;
  bool SpeedLit() const override;
  void SetSpeedLit(bool lit) override;
  void RepaintSpeedLabel() override;
  void StartMedalTransition() override;
  void ShowTestAgain() override;
  void ShowResultDialog(const std::string& mhzText) override;
  void ProcessMessages() override;

  widgets::Image imgTestPage;
  widgets::Label lblHeadlineRed;
  widgets::Label lblHeadlineWhite;
  widgets::Label lblExplanation;
  widgets::Label lblTestAgain;
  widgets::Panel pnlRamp;
  widgets::Panel pnlCore;
  widgets::Panel pnlDeep;
  widgets::Panel pnlCool;
  std::array<widgets::Rule, 6> stageRuling;
  widgets::Label lblStageRamp;
  widgets::Label lblStageCore;
  widgets::Label lblStageDeep;
  widgets::Label lblStageCool;
  widgets::Label lblNote;
  widgets::Panel pnlSpeed;
  widgets::Label lblSpeedHeading;
  widgets::Label lblCPUSpeedMain;
  controls::TPictureTransition transMedal;

  speedtest::TestRun test_run;

 private:
  widgets::Panel& StagePanel(speedtest::Stage stage);

  TopArea& top_;
};

}  // namespace ui
