#include "ui/TopArea.h"

#include <string>

#include "assets/Assets.h"
#include "ui/CaptionBar.h"
#include "ui/ProductTexts.h"
#include "ui/Theme.h"

namespace ui {
namespace {

using controls::TAnalogGauge;
using controls::TSegmentDisplay;

// The settings both gauges share; they differ in place, needle width, start and face.
void SetUpGauge(TAnalogGauge& gauge, const gui::Rect& bounds, int arrowWidth, float position,
                const assets::Asset& face) {
  gauge.SetBounds(bounds);
  gauge.SetStyle(controls::TStyle::CenterStyle);
  gauge.SetAngle(360);
  gauge.SetScale(360);
  gauge.SetMargin(10);
  gauge.SetCenterRadius(4);
  gauge.SetArrowColor(theme::kRed);
  gauge.SetCenterColor(theme::kGray);
  gauge.SetAntiAliased(controls::TAntialiased::aaBiline);
  gauge.SetIndMaximum(44);
  gauge.SetIndMinimum(1);
  gauge.SetArrowWidth(arrowWidth);
  gui::Picture picture;
  LoadAsset(picture, face);
  gauge.SetPicture(picture);
  gauge.SetPosition(position);
}

void SetUpDisplay(TSegmentDisplay& led, const gui::Rect& bounds, int digits,
                  controls::TSegmentAnimation animation, const std::string& value) {
  led.SetBounds(bounds);
  led.SetDigitNum(digits);
  led.SetDigitSpacing(3);
  led.SetDotSpacing(4);
  led.SetGapX(1);
  led.SetGapY(1);
  led.SetSegmentSize(1);
  led.SetDotDisplay(false);
  led.SetDoubleBuffer(true);
  led.SetAnimation(animation);
  led.SetAnimationDelay(5);
  led.SetColor(theme::kBlack);
  led.SetOffColor(theme::kBlack);
  led.SetOnColor(theme::kRed);
  led.SetValue(value);
}

void SetUpBox(widgets::Panel& box, const gui::Rect& bounds) {
  box.SetBounds(bounds);
  box.SetColor(theme::kBlack);
  box.SetBorder(1, theme::kBoxBorder);
}

void SetUpLabel(widgets::Label& label, gui::Point at, std::string_view caption,
                const gui::Font& font) {
  label.SetFont(font);
  label.SetCaption(std::string(caption));
  label.SetLeft(at.x);
  label.SetTop(at.y);
}

}  // namespace

TopArea::TopArea(gui::Control* topArea)
    : pnlInstruments(topArea),
      lblProductName(&pnlInstruments),
      lblCopyrightMain(&pnlInstruments),
      lblCompatible(&pnlInstruments),
      lblVersionMain(&pnlInstruments),
      gaugePercent(&pnlInstruments),
      gaugeMhz1(&pnlInstruments),
      pnlPercent(&pnlInstruments),
      pnlMhz(&pnlInstruments),
      ledPercent(&pnlPercent),
      ledMhz(&pnlMhz),
      lblPercentCaption(&pnlInstruments),
      lblMhzCaption(&pnlInstruments) {
  pnlInstruments.SetBounds(kLeft, 0, kWidth, kHeight);
  pnlInstruments.SetOpaque(true);
  LoadAsset(pnlInstruments.Picture(), assets::DialPanel());

  // The name sits in the free band above the dials, the small print below the red trim.
  lblProductName.SetLabelOnly(true);
  lblProductName.SetFont(theme::Arial(30, theme::kWhite, true));
  lblProductName.SetAlignment(gui::TextAlign::Left);
  lblProductName.SetCaptionRuns(
      {{std::string(kNameWhitePart), theme::kWhite}, {std::string(kNameRedPart), theme::kRed}});
  lblProductName.SetBounds(22, 8, 160, 36);
  // All three end above the strip the online page's map leaves free when it rests.
  SetUpLabel(lblCopyrightMain, {24, 254}, kMakerCopyright, theme::Tahoma(11, theme::kSilver));
  SetUpLabel(lblCompatible, {24, 271}, "Compatible with all Intel and AMD CPUs",
             theme::Tahoma(11, theme::kWhite, true));
  SetUpLabel(lblVersionMain, {24, 288}, "version", theme::Tahoma(11, theme::kSilver));

  SetUpGauge(gaugePercent, gui::Rect::XYWH(43, 91, 119, 122), 3, 110.0f, assets::DialPercent());
  SetUpGauge(gaugeMhz1, gui::Rect::XYWH(210, 56, 188, 178), 5, 73.0f, assets::DialMhz());
  SetUpBox(pnlPercent, gui::Rect::XYWH(79, 173, 47, 21));
  SetUpBox(pnlMhz, gui::Rect::XYWH(277, 173, 55, 21));
  SetUpDisplay(ledPercent, gui::Rect::XYWH(3, 4, 41, 14), 3, controls::TSegmentAnimation::anNone,
               "000");
  SetUpDisplay(ledMhz, gui::Rect::XYWH(1, 4, 53, 14), 4, controls::TSegmentAnimation::anRandom,
               "0000");

  // Placed where the dial faces leave pure black; sized to their text so that the
  // small captions are never clipped.
  for (widgets::Label* caption : {&lblPercentCaption, &lblMhzCaption}) {
    caption->SetTransparent(false);
    caption->SetColor(theme::kBlack);
  }
  SetUpLabel(lblPercentCaption, {83, 159}, "% CPU", theme::Tahoma(11, theme::kWhite));
  SetUpLabel(lblMhzCaption, {292, 157}, "Mhz", theme::Tahoma(11, theme::kWhite));
}

}  // namespace ui
