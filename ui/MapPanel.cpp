#include "ui/MapPanel.h"

#include <string>

#include "assets/Assets.h"
#include "gui/Canvas.h"
#include "ui/CaptionBar.h"
#include "ui/Placement.h"
#include "ui/ProductTexts.h"
#include "ui/Theme.h"

namespace ui {
namespace {

constexpr int kTitleHeight = 20;
constexpr int kTitleRuleHeight = 3;
constexpr int kMapTop = kTitleHeight + kTitleRuleHeight;
constexpr int kMapHeight = 256;
constexpr int kFooterHeight = 22;

// Each overlay lights its continent's dots of the world map from its fixed place.
struct ContinentPlace {
  widgets::Image MapPanel::*image;
  assets::Asset (*picture)();
  gui::Rect bounds;
};

// In reveal order.
constexpr std::array<ContinentPlace, MapPanel::kContinentCount> kContinents = {{
    {&MapPanel::imgNorthAmerica, assets::MapNorthAmerica, gui::Rect::XYWH(18, 43, 146, 134)},
    {&MapPanel::imgAsia, assets::MapAsia, gui::Rect::XYWH(248, 50, 194, 148)},
    {&MapPanel::imgOceana, assets::MapOceania, gui::Rect::XYWH(371, 189, 84, 59)},
    {&MapPanel::imgEurope, assets::MapEurope, gui::Rect::XYWH(186, 43, 80, 88)},
    {&MapPanel::imgAfrica, assets::MapAfrica, gui::Rect::XYWH(196, 127, 93, 94)},
    {&MapPanel::imgMidEast, assets::MapMidEast, gui::Rect::XYWH(246, 99, 75, 63)},
    {&MapPanel::imgSouthAmerica, assets::MapSouthAmerica, gui::Rect::XYWH(119, 175, 61, 94)},
    {&MapPanel::imgGreenland, assets::MapGreenland, gui::Rect::XYWH(145, 39, 51, 56)},
}};

// The "Top Countries" rows: their top and their square's colour.
struct CountryRow {
  int top;
  gui::Color fill;
};
constexpr std::array<CountryRow, 5> kCountryRows = {{
    {21, theme::kRed},
    {38, theme::kCountryGreen},
    {55, theme::kScoreBar},
    {72, theme::kCountryOrange},
    {89, theme::kAqua},
}};

// Centres an auto-sized label across its parent's width.
void CentreAcross(widgets::Label& label, int parentWidth) {
  label.SetLeft((parentWidth - label.Width()) / 2);
}

void SetUpBox(widgets::Panel& box, const gui::Rect& bounds, gui::Color color) {
  box.SetBounds(bounds);
  box.SetColor(color);
}

}  // namespace

CountrySwatch::CountrySwatch(gui::Control* parent, gui::Color fill)
    : gui::Control(parent), fill_(fill) {
  SetBounds(0, 0, 11, 11);
}

void CountrySwatch::Paint(gui::Canvas& canvas) {
  // A square with its corner pixels cut: rounded at this size.
  const int w = Width();
  const int h = Height();
  canvas.FillRect({1, 1, w - 1, h - 1}, fill_);
  canvas.FillRect({1, 0, w - 1, 1}, theme::kSilver);
  canvas.FillRect({1, h - 1, w - 1, h}, theme::kSilver);
  canvas.FillRect({0, 1, 1, h - 1}, theme::kSilver);
  canvas.FillRect({w - 1, 1, w, h - 1}, theme::kSilver);
}

MapPanel::MapPanel(gui::Control* topArea)
    : pnlMap(topArea),
      pnlMapTitle(&pnlMap),
      lblMapTitle(&pnlMapTitle),
      lblMapProductName(&pnlMapTitle),
      ruleMapTitle(&pnlMap, gui::Rect::XYWH(0, kTitleHeight, kWidth, kTitleRuleHeight),
                   theme::kRuling),
      imgMap(&pnlMap),
      pnlMapFooter(&pnlMap),
      lblViewRankOnline(&pnlMapFooter),
      imgNorthAmerica(&pnlMap),
      imgAsia(&pnlMap),
      imgOceana(&pnlMap),
      imgEurope(&pnlMap),
      imgAfrica(&pnlMap),
      imgMidEast(&pnlMap),
      imgSouthAmerica(&pnlMap),
      imgGreenland(&pnlMap),
      pnlCountries(&pnlMap),
      lblTopCountries(&pnlCountries),
      shpCountries{CountrySwatch(&pnlCountries, kCountryRows[0].fill),
                   CountrySwatch(&pnlCountries, kCountryRows[1].fill),
                   CountrySwatch(&pnlCountries, kCountryRows[2].fill),
                   CountrySwatch(&pnlCountries, kCountryRows[3].fill),
                   CountrySwatch(&pnlCountries, kCountryRows[4].fill)},
      lblCountries{widgets::Label(&pnlCountries), widgets::Label(&pnlCountries),
                   widgets::Label(&pnlCountries), widgets::Label(&pnlCountries),
                   widgets::Label(&pnlCountries)},
      pnlServerStatus(&pnlMap),
      lblServerStatus(&pnlServerStatus),
      pnlServerConnectError(&pnlMap),
      lblServerConnectError(&pnlServerConnectError),
      lblViewResultsOnline(&pnlServerConnectError) {
  pnlMap.SetBounds(0, kHiddenTop, kWidth, kHeight);
  pnlMap.SetColor(theme::kBlack);

  SetUpBox(pnlMapTitle, gui::Rect::XYWH(0, 0, kWidth, kTitleHeight), theme::kBar);
  Place(lblMapTitle, {6, 2}, "World Ranking Map", theme::Tahoma(13, theme::kWhite));
  lblMapProductName.SetLabelOnly(true);
  lblMapProductName.SetAlignment(gui::TextAlign::Right);
  lblMapProductName.SetFont(theme::Arial(19, theme::kWhite, true));
  lblMapProductName.SetCaptionRuns(
      {{std::string(kNameWhitePart), theme::kWhite}, {std::string(kNameRedPart), theme::kRed}});
  lblMapProductName.SetBounds(kWidth - 106, 0, 100, kTitleHeight);

  imgMap.SetBounds(0, kMapTop, kWidth, kMapHeight);
  LoadAsset(imgMap.Picture(), assets::WorldMap());

  SetUpBox(pnlMapFooter, gui::Rect::XYWH(0, kMapTop + kMapHeight, kWidth, kFooterHeight),
           theme::kDarkPanel);
  Place(lblViewRankOnline, {6, 4}, "Click here to view online",
        theme::Tahoma(11, theme::kWhite, false, true));
  lblViewRankOnline.SetLink(true);

  for (size_t i = 0; i < kContinents.size(); ++i) {
    widgets::Image& image = this->*kContinents[i].image;
    image.SetBounds(kContinents[i].bounds);
    LoadAsset(image.Picture(), kContinents[i].picture());
    image.Hide();
    reveal_[i] = &image;
  }
  imgOceana.SetTransparent(true);

  SetUpBox(pnlCountries, gui::Rect::XYWH(8, 165, 90, 109), theme::kBlack);
  pnlCountries.SetBorder(1, theme::kBoxBorder);
  Place(lblTopCountries, {6, 4}, "Top Countries", theme::Tahoma(11, theme::kWhite, true));
  for (size_t i = 0; i < kCountryRows.size(); ++i) {
    shpCountries[i].SetLeft(6);
    shpCountries[i].SetTop(kCountryRows[i].top);
    Place(lblCountries[i], {21, kCountryRows[i].top}, std::to_string(i + 1) + ". <load>",
          theme::SmallFonts(9, theme::kWhite));
  }

  SetUpBox(pnlServerStatus, gui::Rect::XYWH(189, 253, 204, 21), theme::kBlack);
  pnlServerStatus.SetBorder(1, theme::kBoxBorder);
  Place(lblServerStatus, {6, 5}, kConnectingText, theme::SmallFonts(9, theme::kYellow));

  SetUpBox(pnlServerConnectError, gui::Rect::XYWH(137, 103, 185, 70), theme::kErrorPanel);
  Place(lblServerConnectError, {0, 14}, "Unable to connect to the server",
        theme::SmallFonts(9, theme::kYellow));
  CentreAcross(lblServerConnectError, pnlServerConnectError.Width());
  Place(lblViewResultsOnline, {0, 36}, "Click here to view online ",
        theme::Arial(13, theme::kBlue, true, true));
  CentreAcross(lblViewResultsOnline, pnlServerConnectError.Width());
  lblViewResultsOnline.SetLink(true);
  pnlServerConnectError.Hide();

  // Every timer is stored disabled with the interval it is used with.
  for (controls::THighResTimer* timer : {&tmrMap, &tmrContinents}) timer->SetEnabled(false);
  tmrMap.SetInterval(kSlideIntervalMs);
  tmrContinents.SetInterval(kContinentIntervalMs);
  tmrMap.SetOnTimer([this](controls::THighResTimer& sender) { tmrMapTimer(sender); });
  tmrContinents.SetOnTimer([this](controls::THighResTimer& sender) { tmrContinentsTimer(sender); });

  PutAway();
}

void MapPanel::PutAway() {
  pnlMap.SetTop(kHiddenTop);
  pnlMap.Hide();
}

void MapPanel::SlideMapIn() {
  mapSlidingIn = true;
  tmrMap.SetInterval(kSlideIntervalMs);
  pnlMap.SetTop(kSlideInFrom);
  pnlMap.Show();
  tmrMap.SetEnabled(true);
}

void MapPanel::SlideMapOut() {
  if (!pnlMap.Visible()) return;
  mapSlidingIn = false;
  pnlServerConnectError.Hide();
  tmrMap.SetInterval(kSlideIntervalMs);
  pnlMap.Show();
  // Runs the whole slide when the map is at rest; while it is still sliding in the timer
  // is already on, and the slide turns round at its next tick.
  tmrMap.SetEnabled(true);
}

void MapPanel::tmrMapTimer(controls::THighResTimer& sender) {
  if (mapSlidingIn) {
    const int top = pnlMap.Top() - kSlideInStep;
    if (top > 0) {
      pnlMap.SetTop(top);
      return;
    }
    pnlMap.SetTop(kRestingTop);
    sender.SetEnabled(false);
    StartContinents();
    return;
  }
  const int top = pnlMap.Top() + kSlideOutStep;
  pnlMap.SetTop(top);
  if (top < kHiddenTop) return;
  sender.SetEnabled(false);
  pnlMap.Hide();
  HideContinents();
}

void MapPanel::StartContinents() {
  continentStep = 1;
  tmrContinents.SetInterval(kContinentIntervalMs);
  tmrContinents.SetEnabled(true);
}

void MapPanel::tmrContinentsTimer(controls::THighResTimer& sender) {
  // Step 1 shows nothing; steps 2 to 9 show the continents in reveal order.
  if (continentStep >= 2 && continentStep <= kLastContinentStep) {
    reveal_[size_t(continentStep - 2)]->Show();
  }
  ++continentStep;
  if (continentStep <= kLastContinentStep) return;
  sender.SetEnabled(false);
  if (OnContinentsRevealed) OnContinentsRevealed();
}

void MapPanel::HideContinents() {
  for (widgets::Image* image : reveal_) image->Hide();
}

}  // namespace ui
