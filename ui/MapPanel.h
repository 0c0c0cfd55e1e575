// The world ranking map of the online scores page, pnlMap: a panel over the instruments
// of the top area with its title strip, the world map, the footer link, the eight
// continent overlays, the "Top Countries" box, the status box and the hidden
// connection-error panel. It slides up over the gauges, lights the continents one by one
// and slides down again at the next page switch, all on high-resolution timers whose
// loops run inside the calls that enable them.
#pragma once

#include <array>
#include <functional>
#include <string_view>

#include "controls/HighResTimer.h"
#include "gui/Control.h"
#include "widgets/GlowButton.h"
#include "widgets/Image.h"
#include "widgets/Label.h"
#include "widgets/Panel.h"
#include "widgets/Rule.h"

namespace ui {

// An 11 x 11 rounded square with a silver outline: a row's colour in "Top Countries".
class CountrySwatch : public gui::Control {
 public:
  CountrySwatch(gui::Control* parent, gui::Color fill);

  gui::Color Fill() const { return fill_; }

 protected:
  void Paint(gui::Canvas& canvas) override;

 private:
  gui::Color fill_;
};

class MapPanel {
 public:
  static constexpr int kWidth = 465;
  static constexpr int kHeight = 301;
  // Below the top area (its height) the map is out of sight; it rests at 1.
  static constexpr int kHiddenTop = 312;
  static constexpr int kSlideInFrom = 240;
  static constexpr int kRestingTop = 1;
  static constexpr int kSlideInStep = 16;
  static constexpr int kSlideOutStep = 36;
  static constexpr uint32_t kSlideIntervalMs = 30;
  static constexpr uint32_t kContinentIntervalMs = 100;
  static constexpr int kContinentCount = 8;
  // The reveal's last step: the first tick shows nothing, the next eight one continent each.
  static constexpr int kLastContinentStep = kContinentCount + 1;

  static constexpr std::string_view kConnectingText = "connecting to server, please wait...";
  static constexpr std::string_view kRevealedText = "move mouse over map node for more info";

  // Builds the panel on the top area's right part, hidden below it.
  explicit MapPanel(gui::Control* topArea);
  MapPanel(const MapPanel&) = delete;
  MapPanel& operator=(const MapPanel&) = delete;

  // At window creation: below the top area, hidden.
  void PutAway();
  void SlideMapIn();
  // At every page switch: a resting map slides out before this returns; a map still
  // sliding in turns round at its next tick and this returns at once.
  void SlideMapOut();
  void StartContinents();
  void tmrMapTimer(controls::THighResTimer& sender);
  void tmrContinentsTimer(controls::THighResTimer& sender);

  // The continent overlays in the order the reveal shows them.
  const std::array<widgets::Image*, kContinentCount>& RevealOrder() const { return reveal_; }

  // Raised once the last continent is shown and tmrContinents is off: the status line
  // and the rankings step are the page's.
  std::function<void()> OnContinentsRevealed;

  bool mapSlidingIn = false;
  int continentStep = 0;

  widgets::Panel pnlMap;
  widgets::Panel pnlMapTitle;
  widgets::Label lblMapTitle;
  widgets::GlowButton lblMapProductName;
  widgets::Rule ruleMapTitle;
  widgets::Image imgMap;
  widgets::Panel pnlMapFooter;
  widgets::Label lblViewRankOnline;  // "Click here to view online"

  widgets::Image imgNorthAmerica;
  widgets::Image imgAsia;
  widgets::Image imgOceana;
  widgets::Image imgEurope;
  widgets::Image imgAfrica;
  widgets::Image imgMidEast;
  widgets::Image imgSouthAmerica;
  widgets::Image imgGreenland;

  widgets::Panel pnlCountries;
  widgets::Label lblTopCountries;
  std::array<CountrySwatch, 5> shpCountries;
  std::array<widgets::Label, 5> lblCountries;  // lbl1 to lbl5: "1. <load>" to "5. <load>"

  widgets::Panel pnlServerStatus;
  widgets::Label lblServerStatus;

  widgets::Panel pnlServerConnectError;
  widgets::Label lblServerConnectError;
  widgets::Label lblViewResultsOnline;  // "Click here to view online "

  controls::THighResTimer tmrMap;
  controls::THighResTimer tmrContinents;

 private:
  void HideContinents();

  std::array<widgets::Image*, kContinentCount> reveal_;
};

}  // namespace ui
