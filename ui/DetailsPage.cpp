#include "ui/DetailsPage.h"

#include <iterator>
#include <string>
#include <utility>

#include "assets/Assets.h"
#include "ui/CaptionBar.h"
#include "ui/Theme.h"

namespace ui {
namespace {

// The table's columns, in panel coordinates.
constexpr int kCaptionX = 6;
constexpr int kValueX = 118;
constexpr int kRightCaptionX = 375;
constexpr int kRightValueX = 464;
constexpr int kLeftValueWidth = 369 - kValueX - 2;

// The captions of the table and of the right-hand block.
struct CaptionPlace {
  const char* text;
  int x;
  int y;
};
constexpr CaptionPlace kCaptions[] = {
    // text, x, y
    {"Description", kCaptionX, 28},    {"Vendor", kCaptionX, 52},
    {"Family", kCaptionX, 76},         {"Published Speed", kCaptionX, 99},
    {"Actual Speed", kCaptionX, 124},  {"Operating System", kCaptionX, 148},
    {"System Memory", kCaptionX, 172}, {"MMX support", kRightCaptionX, 29},
    {"SSE, SSE2", kRightCaptionX, 51},
};
static_assert(std::size(kCaptions) == DetailsPage::kCaptionCount);

// Every ruling line of the panel, one pixel wide or high.
constexpr gui::Rect kRuling[] = {
    gui::Rect::XYWH(0, 24, 611, 1),  // under the heading
    gui::Rect::XYWH(0, 47, 369, 1),  // between the rows of the left block
    gui::Rect::XYWH(0, 71, 369, 1),
    gui::Rect::XYWH(0, 95, 369, 1),
    gui::Rect::XYWH(0, 119, 369, 1),
    gui::Rect::XYWH(0, 143, 369, 1),
    gui::Rect::XYWH(0, 167, 369, 1),
    gui::Rect::XYWH(111, 24, 1, 171),  // captions | values
    gui::Rect::XYWH(369, 24, 1, 171),  // before the right-hand block
    gui::Rect::XYWH(369, 47, 242, 1),  // the right-hand block's two rows
    gui::Rect::XYWH(369, 71, 242, 1),
    gui::Rect::XYWH(457, 24, 1, 48),  // flag captions | flag values
};
static_assert(std::size(kRuling) == DetailsPage::kRuleCount);

template <size_t... I>
std::array<widgets::Label, sizeof...(I)> MakeCaptions(gui::Control* panel,
                                                      std::index_sequence<I...>) {
  return {widgets::Label(panel, kCaptions[I].text)...};
}

template <size_t... I>
std::array<widgets::Rule, sizeof...(I)> MakeRuling(gui::Control* panel, std::index_sequence<I...>) {
  return {widgets::Rule(panel, kRuling[I], theme::kRuling)...};
}

// A value element with its design text, white unless said otherwise.
void PlaceValue(widgets::Label& label, int x, int y, std::string designText,
                gui::Color color = theme::kWhite) {
  label.SetFont(theme::Tahoma(11, color));
  label.SetCaption(std::move(designText));
  label.SetLeft(x);
  label.SetTop(y);
}

// The left block's values end at its ruling line: a longer text is cut there rather
// than running into the flags.
void FixValueWidth(widgets::Label& label) {
  label.SetAutoSize(false);
  label.SetBounds(label.Left(), label.Top(), kLeftValueWidth, label.TextHeight(kLeftValueWidth));
}

}  // namespace

DetailsPage::DetailsPage(MainHost& host)
    : MainWindowPage(host),
      pnlDetails(&Sheet()),
      lblHeadingRed(&pnlDetails, "Your"),
      lblHeadingWhite(&pnlDetails, "CPU and machine details"),
      captions(MakeCaptions(&pnlDetails, std::make_index_sequence<kCaptionCount>())),
      lblCPUDesc(&pnlDetails),
      lblVendor(&pnlDetails),
      lblFamily(&pnlDetails),
      lblPubSpeed(&pnlDetails),
      lblActualSpeed(&pnlDetails),
      lblRetest(&pnlDetails),
      lblOS(&pnlDetails),
      lblMemory(&pnlDetails),
      lblMMX(&pnlDetails),
      lblSSESSE2(&pnlDetails),
      imgLogoIntel(&pnlDetails),
      imgLogoAMD(&pnlDetails),
      ruling(MakeRuling(&pnlDetails, std::make_index_sequence<kRuleCount>())) {
  pnlDetails.SetBounds(kPanelRect);
  pnlDetails.SetColor(theme::kDarkPanel);
  pnlDetails.SetBorder(1, theme::kRuling);

  lblHeadingRed.SetFont(theme::Arial(16, theme::kRed, true));
  lblHeadingRed.SetLeft(kCaptionX);
  lblHeadingRed.SetTop(4);
  lblHeadingWhite.SetFont(theme::Arial(16, theme::kWhite, true));
  lblHeadingWhite.SetLeft(48);
  lblHeadingWhite.SetTop(4);

  for (size_t i = 0; i < captions.size(); ++i) {
    captions[i].SetFont(theme::Tahoma(11, theme::kSilver));
    captions[i].SetLeft(kCaptions[i].x);
    captions[i].SetTop(kCaptions[i].y);
  }

  PlaceValue(lblCPUDesc, kValueX, 28, "Description");
  PlaceValue(lblVendor, kValueX, 52, "Vendor");
  PlaceValue(lblFamily, kValueX, 76, "Family");
  PlaceValue(lblPubSpeed, kValueX, 99, "Published Speed");
  PlaceValue(lblActualSpeed, kValueX, 124, "Actual Speed", theme::kRed);
  PlaceValue(lblOS, kValueX, 148, "Operating System");
  PlaceValue(lblMemory, kValueX, 172, "Memory");
  for (widgets::Label* value :
       {&lblCPUDesc, &lblVendor, &lblFamily, &lblPubSpeed, &lblOS, &lblMemory}) {
    FixValueWidth(*value);
  }
  PlaceValue(lblMMX, kRightValueX, 29, "MMX No");
  PlaceValue(lblSSESSE2, kRightValueX, 51, "SSE, SSE2");

  lblRetest.SetFont(theme::Tahoma(11, theme::kWhite, false, true));
  lblRetest.SetCaption("(click here to test)");
  lblRetest.SetLeft(187);
  lblRetest.SetTop(124);
  lblRetest.SetLink(true);
  lblRetest.OnClick = [this](gui::Control&) { lblRetestClick(); };

  // The badges blend over the panel; the Intel one stays hidden until a fill picks it.
  imgLogoIntel.SetAutoSize(true);
  imgLogoIntel.SetTransparent(true);
  imgLogoIntel.SetBounds(414, 74, 152, 56);
  LoadAsset(imgLogoIntel.Picture(), assets::LogoIntel());
  imgLogoIntel.Hide();
  imgLogoAMD.SetAutoSize(true);
  imgLogoAMD.SetTransparent(true);
  imgLogoAMD.SetBounds(417, 97, 146, 56);
  LoadAsset(imgLogoAMD.Picture(), assets::LogoAmd());
}

void DetailsPage::GatherMachineFacts() {
  const speedtest::MachineFacts facts = speedtest::GatherMachineFacts(Host().State().MeasuredMhz);
  Host().SetMachineIdentity(facts.MachineIdentity);
  ShowFacts(facts);
}

void DetailsPage::ShowFacts(const speedtest::MachineFacts& facts) {
  lblCPUDesc.SetCaption(facts.Processor.CpuDescription);
  lblVendor.SetCaption(facts.Processor.CpuVendor);
  lblFamily.SetCaption(facts.Processor.CpuFamily);
  lblPubSpeed.SetCaption(facts.Processor.CpuPublishedSpeed);
  lblActualSpeed.SetCaption(facts.ActualSpeed);
  lblOS.SetCaption(facts.OsName);
  if (!facts.MemoryMb.empty()) lblMemory.SetCaption(speedtest::MemoryLabelText(facts.MemoryMb));
  const bool intel = facts.Logo == speedtest::VendorLogo::kIntel;
  imgLogoIntel.SetVisible(intel);
  imgLogoAMD.SetVisible(!intel);
  lblMMX.SetCaption(facts.MmxText);
  lblSSESSE2.SetCaption(facts.SseSse2Text);
}

}  // namespace ui
