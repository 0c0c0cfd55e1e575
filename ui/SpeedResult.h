// The result dialog TfmSpeedResult: the measured clock rate on its own digits, and the
// submission of the score through the browser. Created once, when the first run ends.
// Return presses the focused push button ("Submit My Score" when it shows), Tab moves the
// focus, Escape closes as "Close" does.
#pragma once

#include <string>

#include "controls/SegmentDisplay.h"
#include "gui/Window.h"
#include "ui/CaptionBar.h"
#include "ui/DialogButton.h"
#include "ui/DialogKeys.h"
#include "ui/MainServices.h"
#include "ui/ProgramState.h"
#include "widgets/GlowButton.h"
#include "widgets/Image.h"
#include "widgets/Label.h"
#include "widgets/Panel.h"

namespace ui {

class TfmSpeedResult : public gui::Window {
 public:
  static constexpr int kClientWidth = 464;
  static constexpr int kClientHeight = 266;

  // Takes the machine identity and the four processor texts once (the published speed
  // runs the library's speed measurement, so this takes about 200 ms). A submission
  // sends the state's MeasuredMhz and sets its scoreSubmitted. The owner is the main
  // window.
  TfmSpeedResult(const MainServices& services, ProgramState& state, gui::Window* owner = nullptr);

  // "Submit My Score": opens the add-score address, sets scoreSubmitted, closes.
  void btnSubmitClick();
  // "Close": closes with the result OK.
  void btnClose1Click();
  void btnCloseClick();

  // The address a submission opens now.
  std::string SubmissionAddress() const;

  std::string MachineIdentity;
  speedtest::ProcessorTexts Texts;

  CaptionBar caption_bar;
  widgets::Panel pnlMain;
  widgets::Image imgResult;
  widgets::Label lblScoreHeading;
  controls::TSegmentDisplay ledMhz;
  widgets::Label lblMhz;
  widgets::Label lblSubmitText;
  DialogButton btnSubmitScore1;
  DialogButton btnClose1;
  widgets::GlowButton btnSubmit;
  widgets::GlowButton btnClose;
  DialogKeys keys;

 private:
  const MainServices& services_;
  ProgramState& state_;
};

}  // namespace ui
