// The top area's right part: the dial artwork with the program's name, the copyright,
// the compatibility line and lblVersionMain, and the two instruments with their digit
// boxes. They stay visible on every page.
#pragma once

#include "controls/AnalogGauge.h"
#include "controls/SegmentDisplay.h"
#include "widgets/GlowButton.h"
#include "widgets/Image.h"
#include "widgets/Label.h"
#include "widgets/Panel.h"

namespace ui {

class TopArea {
 public:
  // The right part's place in the top area, and its size.
  static constexpr int kLeft = 198;
  static constexpr int kWidth = 472;
  static constexpr int kHeight = 312;

  explicit TopArea(gui::Control* topArea);

  widgets::Image pnlInstruments;  // the right part, with the dial artwork
  widgets::GlowButton lblProductName;
  widgets::Label lblCopyrightMain;
  widgets::Label lblCompatible;
  widgets::Label lblVersionMain;
  controls::TAnalogGauge gaugePercent;
  controls::TAnalogGauge gaugeMhz1;
  widgets::Panel pnlPercent;
  widgets::Panel pnlMhz;
  controls::TSegmentDisplay ledPercent;
  controls::TSegmentDisplay ledMhz;
  widgets::Label lblPercentCaption;
  widgets::Label lblMhzCaption;
};

}  // namespace ui
