#include "ui/SpeedResult.h"

#include "assets/Assets.h"
#include "online/ScoreSubmission.h"
#include "ui/Placement.h"
#include "ui/Theme.h"

namespace ui {
TfmSpeedResult::TfmSpeedResult(const MainServices& services, ProgramState& state,
                               gui::Window* owner)
    : gui::Window(owner),
      caption_bar(this, kClientWidth),
      pnlMain(this),
      imgResult(&pnlMain),
      lblScoreHeading(&pnlMain),
      ledMhz(&pnlMain),
      lblMhz(&pnlMain),
      lblSubmitText(&pnlMain),
      btnSubmitScore1(&pnlMain, "Submit My Score"),
      btnClose1(&pnlMain, "Close"),
      btnSubmit(&pnlMain, "Submit My Score"),
      btnClose(&pnlMain, "Close"),
      keys(*this, {&btnSubmitScore1, &btnClose1}, btnSubmitScore1, [this] { btnClose1Click(); }),
      services_(services),
      state_(state) {
  SetCaption("Your Tachora Score");
  SetBackgroundColor(theme::kTopArea);
  SetBounds(0, 0, kClientWidth, kClientHeight);
  Center();
  caption_bar.MakeDragHandle();

  if (services_.machineIdentity) MachineIdentity = services_.machineIdentity();
  if (services_.processorTexts) Texts = services_.processorTexts();

  FrameDialogPanel(pnlMain, kClientWidth, kClientHeight);

  imgResult.SetBounds(24, 28, 136, 132);
  imgResult.SetTransparent(true);
  LoadAsset(imgResult.Picture(), assets::Result());
  Place(lblScoreHeading, {193, 17},
        "Your Tachora Score is:", theme::Arial(19, theme::kWhite, true));

  ledMhz.SetBounds(245, 56, 96, 29);
  ledMhz.SetDigitNum(4);
  ledMhz.SetDigitSpacing(3);
  ledMhz.SetDotSpacing(4);
  ledMhz.SetGapX(1);
  ledMhz.SetGapY(1);
  ledMhz.SetSegmentSize(3);
  ledMhz.SetDotDisplay(false);
  ledMhz.SetDoubleBuffer(true);
  ledMhz.SetAnimation(controls::TSegmentAnimation::anRandom);
  ledMhz.SetAnimationDelay(5);
  ledMhz.SetColor(theme::kTopArea);
  ledMhz.SetOffColor(theme::kTopArea);
  ledMhz.SetOnColor(theme::kRed);
  ledMhz.SetValue("0000");

  Place(lblMhz, {344, 66}, " Mhz", theme::Arial(21, theme::kRed, true));
  PlaceWrapped(lblSubmitText, gui::Rect::XYWH(193, 100, 247, 48),
               "Click the \"Submit My Score\" button below to see how your CPU compares in the "
               "worldwide CPU scores table.",
               theme::Arial(13, theme::kWhite));

  btnSubmitScore1.SetFont(theme::Tahoma(16, theme::kBlack, true));
  btnSubmitScore1.SetBounds(193, 176, 228, 41);
  btnClose1.SetFont(theme::Tahoma(16, theme::kBlack));
  btnClose1.SetBounds(77, 176, 100, 41);
  // Styled twins of the two buttons, never shown.
  btnSubmit.SetBounds(-7, 45, 186, 35);
  btnClose.SetBounds(12, 104, 186, 35);
  btnSubmit.Hide();
  btnClose.Hide();

  btnSubmitScore1.OnClick = [this](gui::Control&) { btnSubmitClick(); };
  btnSubmit.OnClick = [this](gui::Control&) { btnSubmitClick(); };
  btnClose1.OnClick = [this](gui::Control&) { btnClose1Click(); };
  btnClose.OnClick = [this](gui::Control&) { btnCloseClick(); };
}

std::string TfmSpeedResult::SubmissionAddress() const {
  online::ScoreSubmission score;
  score.MachineIdentity = MachineIdentity;
  score.MeasuredMhz = state_.MeasuredMhz;
  score.Processor = Texts;
  return online::ScoreSubmissionAddress(score);
}

void TfmSpeedResult::btnSubmitClick() {
  MachineIdentity = services_.machineIdentity ? services_.machineIdentity() : std::string();
  const std::string address = SubmissionAddress();
  if (services_.openInBrowser) services_.openInBrowser(address);
  state_.scoreSubmitted = true;
  SetModalResult(gui::kModalOk);
}

void TfmSpeedResult::btnClose1Click() {
  SetModalResult(gui::kModalOk);
}

void TfmSpeedResult::btnCloseClick() {
  SetModalResult(gui::kModalOk);
}

}  // namespace ui
