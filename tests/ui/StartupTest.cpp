// Start-up: FormCreate's settings, the identity before the measurement, the measurement
// handled by the one pump before the window first shows, and only once.
#include <gtest/gtest.h>

#include "UiTestSupport.h"
#include "generated/Version.h"
#include "ui/PageList.h"

namespace ui::testing {
namespace {

TEST(StartupTest, IdentityThenMeasurementBeforeTheWindowFirstShows) {
  UiHarness h;
  h.Create();
  EXPECT_EQ(h.recorder.events, (std::vector<std::string>{"identity"}));
  EXPECT_EQ(h.form->MachineIdentity, kFakeIdentity);
  // Posted, not yet handled: every reader still sees 0.
  EXPECT_EQ(h.State().MeasuredMhz, 0);
  EXPECT_EQ(h.recorder.measurements, 0);

  h.app.ProcessMessages();
  EXPECT_EQ(h.recorder.events, (std::vector<std::string>{"identity", "measure (window hidden)"}));
  EXPECT_EQ(h.State().MeasuredMhz, 2992);
  EXPECT_FALSE(h.Native(*h.form).Visible());

  h.form->Show();
  h.RunFor(2000);
  EXPECT_EQ(h.recorder.measurements, 1);
  EXPECT_TRUE(h.Native(*h.form).Visible());
}

TEST(StartupTest, TheMeasurementIsTruncatedNotRounded) {
  UiHarness h;
  h.recorder.mhz = 2999.999998;
  h.Start();
  EXPECT_EQ(h.State().MeasuredMhz, 2999);
}

TEST(StartupTest, TheWindowIsBorderlessCentredAndShowsTheWelcomePage) {
  UiHarness h;
  h.Start();
  TfmMain& f = *h.form;
  EXPECT_EQ(f.Width(), 670);
  EXPECT_EQ(f.Height(), 611);
  EXPECT_TRUE(f.Borderless());
  // The headless work area is 1280 x 1024.
  EXPECT_EQ(f.Left(), (1280 - 670) / 2);
  EXPECT_EQ(f.Top(), (1024 - 611) / 2);
  EXPECT_EQ(f.CurrentPage, TMainPage::kWelcome);
  EXPECT_EQ(f.pgControlMain.ActivePage(), &h.Sheet(TMainPage::kWelcome));
  EXPECT_EQ(f.lblCurrentTab.Caption(), "Welcome to Tachora");
  EXPECT_EQ(f.top_area.lblVersionMain.Caption(), "version " TACHORA_VERSION_TEXT);
  EXPECT_FALSE(h.TestCpu().test_run.TestRunning);
  EXPECT_EQ(f.pnlPageArea.Height(), 238);
  EXPECT_EQ(f.pgControlMain.PageCount(), 6);
}

TEST(StartupTest, EveryPageTakesPartInFormCreate) {
  CountingPage* page = nullptr;
  UiHarness h(WithCountingPage(ProgramPages(), TMainPage::kCPUDetails, page));
  h.Start();
  EXPECT_EQ(page->created, 1);
  EXPECT_EQ(page->entered, 0);
}

TEST(StartupTest, HeadingsByPage) {
  EXPECT_EQ(PageHeading(TMainPage::kWelcome), "Welcome to Tachora");
  EXPECT_EQ(PageHeading(TMainPage::kTestCPU), "Test CPU Speed");
  EXPECT_EQ(PageHeading(TMainPage::kCPUDetails), "Show CPU Details");
  EXPECT_EQ(PageHeading(TMainPage::kRank), "View Online CPU Scores");
  EXPECT_EQ(PageHeading(TMainPage::kAbout), "About Tachora");
}

}  // namespace
}  // namespace ui::testing
