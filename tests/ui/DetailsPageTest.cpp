// The CPU details page: its texts on recorded processors and on this machine, the vendor
// badge rule, the actual speed, the memory text kept when the system reports none, the
// identity computed afresh, every entry filling the page again, the retest link, and a
// snapshot of the page checked by pixel probes.
#include <gtest/gtest.h>

#include <string>

#include "PagesTestSupport.h"
#include "cpuinfo/CpuidDump.h"
#include "cpuinfo/Facts.h"
#include "platform/System.h"
#include "speedtest/MachineIdentity.h"
#include "speedtest/OperatingSystem.h"
#include "ui/DetailsPage.h"

namespace ui::testing {
namespace {

std::string DumpPath(const std::string& name) {
  return std::string(TACHORA_SOURCE_DIR) + "/tests/data/cpuid-dumps/" + name + ".cpuid";
}

class DetailsPageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    page_ = &h.PageAs<DetailsPage>(TMainPage::kCPUDetails);
    h.Start();
  }

  // "Show CPU Details" and the fade; the page is filled when the fade completes.
  void Enter() {
    h.form->btnCPUDetailsClick();
    h.FinishTransition();
  }

  UiHarness h;
  DetailsPage* page_ = nullptr;
};

TEST_F(DetailsPageTest, DesignTextsBeforeTheFirstEntry) {
  EXPECT_EQ(page_->lblCPUDesc.Caption(), "Description");
  EXPECT_EQ(page_->lblMemory.Caption(), "Memory");
  EXPECT_EQ(page_->lblMMX.Caption(), "MMX No");
  EXPECT_EQ(page_->lblSSESSE2.Caption(), "SSE, SSE2");
  EXPECT_FALSE(page_->imgLogoIntel.Visible());
  EXPECT_TRUE(page_->imgLogoAMD.Visible());
}

struct RecordedProcessor {
  const char* dump;
  const char* description;
  const char* vendor;
  const char* family;
  const char* mmx;
  const char* sseSse2;
  bool intelBadge;
};

constexpr RecordedProcessor kRecorded[] = {
    // dump, description, vendor, family, MMX, SSE/SSE2, Intel badge
    {"intel-p3-katmai-0673", "Intel Pentium III", "Intel Corporation",
     "x86 Family 6 Model 7 Stepping 3", "MMX Yes", "SSE Yes, SSE2 No", true},
    {"amd-athlon64-venice-20ff0", "AMD Athlon(tm) 64 Processor 3200+", "Advanced Micro Devices",
     "x86 Family 15 Model 17 Stepping 0", "MMX Yes", "SSE Yes, SSE2 Yes", false},
    {"centaur-c3-samuel2-0673", "VIA Samuel 2", "Via Technologies Inc",
     "x86 Family 6 Model 7 Stepping 3", "MMX Yes", "SSE No, SSE2 No", false},
};

TEST_F(DetailsPageTest, RecordedProcessorsShowTheirTexts) {
  for (const RecordedProcessor& recorded : kRecorded) {
    SCOPED_TRACE(recorded.dump);
    cpuinfo::ReplayCpuidSource source(cpuinfo::LoadCpuidDump(DumpPath(recorded.dump)));
    cpuinfo::ScopedCpuidSource installed(source);
    Enter();
    EXPECT_EQ(page_->lblCPUDesc.Caption(), recorded.description);
    EXPECT_EQ(page_->lblVendor.Caption(), recorded.vendor);
    EXPECT_EQ(page_->lblFamily.Caption(), recorded.family);
    EXPECT_EQ(page_->lblMMX.Caption(), recorded.mmx);
    EXPECT_EQ(page_->lblSSESSE2.Caption(), recorded.sseSse2);
    // Exactly one badge; every vendor that is not Intel, Via included, gets the AMD one.
    EXPECT_EQ(page_->imgLogoIntel.Visible(), recorded.intelBadge);
    EXPECT_NE(page_->imgLogoAMD.Visible(), recorded.intelBadge);
    EXPECT_TRUE(page_->lblPubSpeed.Caption().ends_with("hz")) << page_->lblPubSpeed.Caption();
  }
}

TEST_F(DetailsPageTest, ThisMachineShowsItsOwnFacts) {
  Enter();
  EXPECT_EQ(page_->lblCPUDesc.Caption(), cpuinfo::ReadCpuDescription());
  EXPECT_EQ(page_->lblVendor.Caption(), cpuinfo::ReadCpuVendor());
  EXPECT_EQ(page_->lblFamily.Caption(), cpuinfo::ReadCpuFamily());
  EXPECT_EQ(page_->lblOS.Caption(), speedtest::OperatingSystemName());
  EXPECT_FALSE(page_->lblOS.Caption().empty());
  const uint64_t bytes = platform::TotalPhysicalMemory();
  ASSERT_NE(bytes, 0u);
  EXPECT_EQ(page_->lblMemory.Caption(), std::to_string(bytes / 1024 / 1024) + " MB");
  const cpuinfo::InstructionSetFlags flags = cpuinfo::ReadInstructionSetFlags();
  EXPECT_EQ(page_->lblMMX.Caption(), flags.mmx ? "MMX Yes" : "MMX No");
  const bool intel =
      speedtest::ChooseVendorLogo(cpuinfo::ReadCpuVendor()) == speedtest::VendorLogo::kIntel;
  EXPECT_EQ(page_->imgLogoIntel.Visible(), intel);
  EXPECT_EQ(page_->imgLogoAMD.Visible(), !intel);
}

TEST_F(DetailsPageTest, ActualSpeedIsTheMeasuredRateInFourDigits) {
  Enter();
  EXPECT_EQ(page_->lblActualSpeed.Caption(), "2992 Mhz");  // the fake measurement
  h.State().MeasuredMhz = 850;
  Enter();
  EXPECT_EQ(page_->lblActualSpeed.Caption(), "0850 Mhz");
  h.State().MeasuredMhz = 0;
  Enter();
  EXPECT_EQ(page_->lblActualSpeed.Caption(), "0000 Mhz");
}

TEST_F(DetailsPageTest, NoMemorySizeKeepsTheMemoryText) {
  speedtest::MachineFacts facts;
  facts.MemoryMb = "2048";
  page_->ShowFacts(facts);
  EXPECT_EQ(page_->lblMemory.Caption(), "2048 MB");
  facts.MemoryMb.clear();
  facts.OsName = "Windows XP";
  page_->ShowFacts(facts);
  EXPECT_EQ(page_->lblMemory.Caption(), "2048 MB");
  EXPECT_EQ(page_->lblOS.Caption(), "Windows XP");
}

TEST_F(DetailsPageTest, EveryEntryComputesTheIdentityAndTheTextsAgain) {
  h.form->SetMachineIdentity("STALE");
  Enter();
  EXPECT_EQ(h.form->CurrentMachineIdentity(), speedtest::GetMachineIdentity());
  // Entered again from itself: the texts are replaced once more.
  page_->lblCPUDesc.SetCaption("old");
  page_->lblActualSpeed.SetCaption("old");
  h.form->SetMachineIdentity("STALE");
  Enter();
  EXPECT_EQ(page_->lblCPUDesc.Caption(), cpuinfo::ReadCpuDescription());
  EXPECT_EQ(page_->lblActualSpeed.Caption(), "2992 Mhz");
  EXPECT_EQ(h.form->CurrentMachineIdentity(), speedtest::GetMachineIdentity());
}

TEST_F(DetailsPageTest, RetestLinkStartsARunOnTheTestPage) {
  Enter();
  h.Hover(page_->lblRetest);
  h.app.ProcessMessages();
  EXPECT_EQ(h.Native(*h.form).CurrentCursor(), gui::Cursor::Hand);
  h.Click(page_->lblRetest);
  h.app.ProcessMessages();
  EXPECT_EQ(h.form->CurrentPage, TMainPage::kTestCPU);
  EXPECT_TRUE(h.form->transFadeOut.Busy());
}

TEST_F(DetailsPageTest, LongTextsStopAtTheRightHandBlock) {
  speedtest::MachineFacts facts;
  facts.Processor.CpuDescription = std::string(200, 'W');
  page_->ShowFacts(facts);
  EXPECT_LE(page_->lblCPUDesc.BoundsRect().right, 369);
}

// The program's own window on the details page, on a recorded Pentium III.
TEST(DetailsPageSnapshot, PanelRulesTextsAndBadge) {
  UiHarness h;
  h.Start();
  cpuinfo::ReplayCpuidSource source(cpuinfo::LoadCpuidDump(DumpPath("intel-p3-katmai-0673")));
  cpuinfo::ScopedCpuidSource installed(source);
  h.form->btnCPUDetailsClick();
  h.FinishTransition();
  h.RunFor(50);
  Snapshot(*h.form, "details-page");

  const gui::Control& sheet = h.Sheet(TMainPage::kCPUDetails);
  auto panel = [&](int x, int y) { return PixelOf(h, sheet, 12 + x, 6 + y); };
  EXPECT_EQ(PixelOf(h, sheet, 4, 100), 0x000000u);  // the black page around the panel
  EXPECT_EQ(panel(0, 100), 0x5B5655u);              // the panel's border
  EXPECT_EQ(panel(300, 36), 0x2A2D2Bu);             // the panel itself
  EXPECT_EQ(panel(300, 24), 0x5B5655u);             // under the heading, across
  EXPECT_EQ(panel(600, 24), 0x5B5655u);
  for (int y : {47, 71, 95, 119, 143, 167}) EXPECT_EQ(panel(200, y), 0x5B5655u) << y;
  EXPECT_EQ(panel(380, 95), 0x2A2D2Bu);  // the left block's rows stop at x 369
  EXPECT_EQ(panel(111, 185), 0x5B5655u);
  EXPECT_EQ(panel(369, 185), 0x5B5655u);
  EXPECT_EQ(panel(457, 60), 0x5B5655u);
  EXPECT_EQ(panel(457, 73), 0x2A2D2Bu);  // the flags' divider is 48 high
  EXPECT_EQ(panel(500, 47), 0x5B5655u);
  EXPECT_EQ(panel(500, 71), 0x5B5655u);

  // Some red in the heading's "Your" and in the actual speed, white in the values,
  // silver in the captions.
  auto countColour = [&](gui::Rect area, auto test) {
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y)
      for (int x = area.left; x < area.right; ++x) count += test(panel(x, y)) ? 1 : 0;
    return count;
  };
  auto red = [](uint32_t c) { return (c & 0xFF) > 0xC0 && ((c >> 8) & 0xFF) < 0x40; };
  auto white = [](uint32_t c) { return c == 0xFFFFFFu; };
  auto silver = [](uint32_t c) { return c == 0xC0C0C0u; };
  EXPECT_GT(countColour(gui::Rect::XYWH(6, 4, 40, 18), red), 10);
  EXPECT_GT(countColour(gui::Rect::XYWH(48, 4, 200, 18), white), 10);
  EXPECT_GT(countColour(gui::Rect::XYWH(118, 124, 66, 14), red), 10);
  EXPECT_GT(countColour(gui::Rect::XYWH(118, 28, 200, 14), white), 10);
  EXPECT_GT(countColour(gui::Rect::XYWH(6, 28, 100, 14), silver), 10);
  EXPECT_GT(countColour(gui::Rect::XYWH(187, 124, 100, 14), white), 10);  // the link
  // The Intel badge (blue) shows, and nothing of the AMD one below it.
  auto blue = [](uint32_t c) { return ((c >> 16) & 0xFF) > (c & 0xFF) + 40; };
  EXPECT_GT(countColour(gui::Rect::XYWH(414, 74, 152, 56), blue), 500);
  EXPECT_EQ(countColour(gui::Rect::XYWH(417, 131, 146, 22), red), 0);
}

}  // namespace
}  // namespace ui::testing
