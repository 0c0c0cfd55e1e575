// Page switching: the fade over a picture of the page area, the page entered on
// completion, the welcome button's no-op, re-entry, presses during a transition, and
// "Test CPU Speed" restarting at once on the test page.
#include <gtest/gtest.h>

#include "UiTestSupport.h"

namespace ui::testing {
namespace {

class NavigationTest : public ::testing::Test {
 protected:
  void SetUp() override { h.Start(); }

  CountingPage* details_ = nullptr;
  CountingPage* rank_ = nullptr;
  CountingPage* about_ = nullptr;
  UiHarness h{WithCountingPage(
      WithCountingPage(WithCountingPage(ProgramPages(), TMainPage::kCPUDetails, details_),
                       TMainPage::kRank, rank_),
      TMainPage::kAbout, about_)};
};

TEST_F(NavigationTest, WelcomeDoesNothingOnTheWelcomePage) {
  h.Click(h.form->btnWelcome);
  h.RunFor(1000);
  EXPECT_EQ(h.transitionsCompleted, 0);
  EXPECT_EQ(rank_->switches, 0);
  EXPECT_EQ(h.form->pgControlMain.ActivePage(), &h.Sheet(TMainPage::kWelcome));
}

TEST_F(NavigationTest, ASwitchShowsTheFadePageThenEntersThePage) {
  h.Click(h.form->btnCPUDetails);
  h.app.ProcessMessages();
  EXPECT_EQ(h.form->CurrentPage, TMainPage::kCPUDetails);
  EXPECT_EQ(h.form->pgControlMain.ActivePage(), &h.form->tabFadeOut);
  EXPECT_TRUE(h.form->transFadeOut.Busy());
  EXPECT_EQ(rank_->switches, 1);  // SlideMapOut runs on every switch
  EXPECT_EQ(details_->entered, 0);
  EXPECT_EQ(h.form->lblCurrentTab.Caption(), "Welcome to Tachora");

  h.FinishTransition();
  EXPECT_EQ(h.transitionsCompleted, 1);
  EXPECT_EQ(h.form->pgControlMain.ActivePage(), &h.Sheet(TMainPage::kCPUDetails));
  EXPECT_EQ(h.form->lblCurrentTab.Caption(), "Show CPU Details");
  EXPECT_EQ(details_->entered, 1);
  EXPECT_EQ(about_->completions, 1);  // tmrMascotEyes off on every completion
}

TEST_F(NavigationTest, DetailsPressedTwiceRunsTwoTransitionsAndGathersTwice) {
  h.Click(h.form->btnCPUDetails);
  h.FinishTransition();
  h.Click(h.form->btnCPUDetails);
  h.app.ProcessMessages();
  EXPECT_TRUE(h.form->transFadeOut.Busy());
  h.FinishTransition();
  EXPECT_EQ(h.transitionsCompleted, 2);
  EXPECT_EQ(details_->entered, 2);
}

TEST_F(NavigationTest, OnlineAndAboutAreEnteredAgainWhenShown) {
  for (int i = 0; i < 2; ++i) {
    h.Click(h.form->btnGetRanking);
    h.FinishTransition();
  }
  EXPECT_EQ(rank_->entered, 2);
  EXPECT_EQ(h.form->lblCurrentTab.Caption(), "View Online CPU Scores");
  for (int i = 0; i < 2; ++i) {
    h.Click(h.form->btnAbout);
    h.FinishTransition();
  }
  EXPECT_EQ(about_->entered, 2);
  EXPECT_EQ(h.form->pgControlMain.ActivePage(), &h.Sheet(TMainPage::kAbout));
  EXPECT_EQ(h.form->lblCurrentTab.Caption(), "About Tachora");
}

TEST_F(NavigationTest, PressesDuringATransitionEnterTheLastPagePressed) {
  h.Click(h.form->btnCPUDetails);
  h.app.ProcessMessages();
  ASSERT_TRUE(h.form->transFadeOut.Busy());
  h.RunFor(60);
  ASSERT_TRUE(h.form->transFadeOut.Busy());
  h.Click(h.form->btnAbout);
  h.app.ProcessMessages();
  h.Click(h.form->btnGetRanking);
  h.app.ProcessMessages();
  EXPECT_EQ(h.form->CurrentPage, TMainPage::kRank);
  h.FinishTransition();
  EXPECT_EQ(h.transitionsCompleted, 1);
  EXPECT_EQ(details_->entered, 0);
  EXPECT_EQ(about_->entered, 0);
  EXPECT_EQ(rank_->entered, 1);
  EXPECT_EQ(rank_->switches, 3);
  EXPECT_EQ(h.form->pgControlMain.ActivePage(), &h.Sheet(TMainPage::kRank));
  h.RunFor(1000);
  EXPECT_EQ(h.transitionsCompleted, 1);
}

TEST_F(NavigationTest, WelcomeDuringATransitionAwayFromItReturnsToIt) {
  h.Click(h.form->btnAbout);
  h.app.ProcessMessages();
  h.Click(h.form->btnWelcome);
  h.FinishTransition();
  EXPECT_EQ(h.form->CurrentPage, TMainPage::kWelcome);
  EXPECT_EQ(h.form->pgControlMain.ActivePage(), &h.Sheet(TMainPage::kWelcome));
  EXPECT_EQ(about_->entered, 0);
}

TEST_F(NavigationTest, GetMyScoreLinksShowTheOnlinePage) {
  h.Click(h.Welcome().lblGetScoreGlobal);
  h.FinishTransition();
  EXPECT_EQ(rank_->entered, 1);
  h.Click(h.form->btnWelcome);
  h.FinishTransition();
  h.Click(h.Welcome().lblGetScoreCountry);
  h.FinishTransition();
  EXPECT_EQ(rank_->entered, 2);
  EXPECT_TRUE(h.recorder.opened.empty());
}

TEST_F(NavigationTest, TheFadeStartsFromAPictureOfThePageArea) {
  const gui::Bitmap before = h.form->CaptureArea(TfmMain::kPageRect);
  h.Click(h.form->btnAbout);
  h.app.ProcessMessages();
  const gui::Bitmap& background = h.form->transFadeOut.BgPicture().Image();
  ASSERT_EQ(background.Width(), 650);
  ASSERT_EQ(background.Height(), 220);
  for (const gui::Point p : {gui::Point{20, 10}, gui::Point{300, 100}, gui::Point{500, 200}}) {
    EXPECT_EQ(background.Pixel(p.x, p.y) & 0xFFFFFF, before.Pixel(p.x, p.y) & 0xFFFFFF);
  }
  h.FinishTransition();
  // It ended on the blank background.
  EXPECT_EQ(h.form->transFadeOut.ScreenCopy().Pixel(300, 100) & 0xFFFFFF, 0u);
}

TEST_F(NavigationTest, TheWebLinksOpenTheirAddresses) {
  h.Click(h.form->btnOnline);
  h.Click(h.Welcome().lblURLCPURank);
  h.Click(h.form->lblCopyright);
  h.app.ProcessMessages();
  EXPECT_EQ(h.recorder.opened,
            (std::vector<std::string>{"https://www.tachora.net/", "https://www.tachora.net/",
                                      "https://www.quillonsoftware.com/"}));
  EXPECT_EQ(h.transitionsCompleted, 0);
}

}  // namespace
}  // namespace ui::testing
