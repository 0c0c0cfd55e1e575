// The CPU details page (tabCPUDetails): the machine facts as a two-column table in one
// ruled panel, the instruction-set flags and the vendor badge beside it, and a link that
// starts a test run. Every entry gathers the facts afresh.
#pragma once

#include <array>

#include "speedtest/MachineFacts.h"
#include "ui/MainWindowPage.h"
#include "widgets/Image.h"
#include "widgets/Label.h"
#include "widgets/Panel.h"
#include "widgets/Rule.h"

namespace ui {

class DetailsPage : public MainWindowPage {
 public:
  // The panel's size, at (12, 6) of the sheet.
  static constexpr gui::Rect kPanelRect = gui::Rect::XYWH(12, 6, 611, 193);
  static constexpr int kRuleCount = 12;
  static constexpr int kCaptionCount = 9;

  explicit DetailsPage(MainHost& host);

  // Entering the page: gathers every fact (about 200 ms, the library measures the
  // processor's speed) and shows them.
  void Enter() override { GatherMachineFacts(); }
  void GatherMachineFacts();
  // Puts gathered facts on the page; an empty memory text keeps the memory label as it was.
  void ShowFacts(const speedtest::MachineFacts& facts);

  // "(click here to test)": a new run on the test page.
  void lblRetestClick() { Host().lblTestAgainClick(); }

  widgets::Panel pnlDetails;
  widgets::Label lblHeadingRed;    // "Your"
  widgets::Label lblHeadingWhite;  // "CPU and machine details"
  std::array<widgets::Label, kCaptionCount> captions;
  widgets::Label lblCPUDesc;
  widgets::Label lblVendor;
  widgets::Label lblFamily;
  widgets::Label lblPubSpeed;
  widgets::Label lblActualSpeed;
  widgets::Label lblRetest;
  widgets::Label lblOS;
  widgets::Label lblMemory;
  widgets::Label lblMMX;
  widgets::Label lblSSESSE2;
  widgets::Image imgLogoIntel;
  widgets::Image imgLogoAMD;
  std::array<widgets::Rule, kRuleCount> ruling;
};

}  // namespace ui
