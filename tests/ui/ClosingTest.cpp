// Closing: the rankings page only when no score was submitted, the main window hidden
// first, then the promotion dialog modal, and the program ends when it is closed. Every
// way of closing the window does this once; closing in the first seconds of a run ends
// the run with the promotion dialog; the session's end ends the program with no dialog.
#include <gtest/gtest.h>

#include <ostream>
#include <set>

#include "UiTestSupport.h"
#include "online/WebAddresses.h"
#include "ui/Promo.h"

namespace ui::testing {
namespace {

constexpr int kPromoWidth = 637;
constexpr int kPromoHeight = 458;
// The promotion dialog's "Close" and link, in its client coordinates.
constexpr gui::Point kPromoClose{493 + 60, 21 + 372 + 20};
constexpr gui::Point kPromoLink{360, 21 + 222};

struct PromoSeen {
  bool shown = false;
  bool mainHidden = false;
  bool topmost = false;
  int x = 0, y = 0;
  std::vector<std::string> openedBefore;
  platform::Cursor linkCursor = platform::Cursor::Arrow;
  platform::Cursor closeCursor = platform::Cursor::Arrow;
};

// Watches for the promotion dialog, looks at it, follows its link and closes it.
void ClosePromoWhenShown(UiHarness& h, PromoSeen& seen) {
  h.onWatch = [&h, &seen] {
    platform::HeadlessWindow* promo = h.FindWindow(kPromoWidth, kPromoHeight);
    if (promo == nullptr || seen.shown) return;
    seen.shown = true;
    seen.mainHidden = !h.Native(*h.form).Visible();
    seen.topmost = promo->Topmost();
    seen.x = promo->X();
    seen.y = promo->Y();
    seen.openedBefore = h.recorder.opened;
    h.backend.MoveMouse(promo->X() + kPromoLink.x, promo->Y() + kPromoLink.y);
    h.app.ProcessMessages();
    seen.linkCursor = promo->CurrentCursor();
    h.backend.MoveMouse(promo->X() + kPromoClose.x, promo->Y() + kPromoClose.y);
    h.app.ProcessMessages();
    seen.closeCursor = promo->CurrentCursor();
    h.ClickOn(*promo, kPromoLink.x, kPromoLink.y);
    h.app.ProcessMessages();
    h.ClickOn(*promo, kPromoClose.x, kPromoClose.y);
  };
}

TEST(ClosingTest, WithoutASubmissionTheRankingsPageOpensBeforeThePromotion) {
  UiHarness h;
  h.Start();
  PromoSeen seen;
  ClosePromoWhenShown(h, seen);
  h.Click(h.form->btnClose);
  EXPECT_TRUE(h.RunUntil([&] { return h.app.Terminated(); }));
  ASSERT_TRUE(seen.shown);
  EXPECT_TRUE(seen.mainHidden);
  EXPECT_TRUE(seen.topmost);
  EXPECT_EQ(seen.x, (1280 - kPromoWidth) / 2);
  EXPECT_EQ(seen.y, (1024 - kPromoHeight) / 2);
  EXPECT_EQ(seen.openedBefore,
            (std::vector<std::string>{"https://www.tachora.net/ranking.php?ns=1"}));
  EXPECT_EQ(seen.linkCursor, platform::Cursor::Hand);
  EXPECT_EQ(seen.closeCursor, platform::Cursor::Hand);
  // The promoted product's page, from its link.
  ASSERT_EQ(h.recorder.opened.size(), 2u);
  EXPECT_EQ(h.recorder.opened[1], "https://www.quillonsoftware.com/linkora/");
}

TEST(ClosingTest, AfterASubmissionNoRankingsPageOpens) {
  UiHarness h;
  h.Start();
  PromoSeen seen;
  bool submitted = false;
  h.onWatch = [&] {
    TfmSpeedResult* dialog = h.form->speed_result.get();
    if (!submitted && dialog != nullptr && dialog->Modal() && dialog->Visible()) {
      submitted = true;
      h.Click(dialog->btnSubmitScore1);
    }
  };
  h.Click(h.form->btnTestCPU);
  ASSERT_TRUE(h.RunUntil([&] { return submitted && !h.form->speed_result->Modal(); }, 30000));
  ASSERT_TRUE(h.State().scoreSubmitted);
  ASSERT_EQ(h.recorder.opened.size(), 1u);
  EXPECT_EQ(h.recorder.opened[0].rfind("https://www.tachora.net/proint/proaddscore.php?", 0), 0u);

  ClosePromoWhenShown(h, seen);
  h.Click(h.form->btnExit1);
  EXPECT_TRUE(h.RunUntil([&] { return h.app.Terminated(); }));
  ASSERT_TRUE(seen.shown);
  EXPECT_EQ(seen.openedBefore.size(), 1u);
  for (const std::string& address : h.recorder.opened) {
    EXPECT_EQ(address.find("ranking.php"), std::string::npos) << address;
  }
}

TEST(ClosingTest, ClosingDuringARunEndsTheRunWithoutItsDialog) {
  UiHarness h;
  h.Start();
  PromoSeen seen;
  ClosePromoWhenShown(h, seen);
  auto watchPromo = h.onWatch;
  bool closed = false;
  h.onWatch = [&] {
    if (!closed && h.TestCpu().test_run.MhzValue > 300) {
      closed = true;
      h.Click(h.form->btnClose);
    }
    watchPromo();
  };
  h.Click(h.form->btnTestCPU);
  EXPECT_TRUE(h.RunUntil([&] { return h.app.Terminated(); }, 30000));
  EXPECT_TRUE(seen.shown);
  EXPECT_EQ(h.form->speed_result, nullptr);
}

// A press on "Test CPU Speed", then "X" this many milliseconds later: before the
// ramp's cycle timer has fired, and about when it fires.
class ClosingEarlyInARun : public ::testing::TestWithParam<int> {};

TEST_P(ClosingEarlyInARun, EndsTheProgramWhenThePromotionDialogIsClosed) {
  UiHarness h;
  h.Start();
  const double pressedAt = h.backend.Time().NowMs();
  bool closed = false;
  double promoClosedAt = -1;
  // From whichever loop runs then, as the user's clicks come.
  h.onWatch = [&] {
    if (!closed && h.backend.Time().NowMs() >= pressedAt + GetParam()) {
      closed = true;
      h.Click(h.form->btnClose);
    }
    platform::HeadlessWindow* promo = h.FindWindow(kPromoWidth, kPromoHeight);
    // The user reads the promotion for 15 s, longer than a whole run.
    if (promo != nullptr && promoClosedAt < 0 && h.backend.Time().NowMs() > 15000) {
      promoClosedAt = h.backend.Time().NowMs();
      h.ClickOn(*promo, kPromoClose.x, kPromoClose.y);
    }
  };
  h.Click(h.form->btnTestCPU);
  ASSERT_TRUE(h.RunUntil([&] { return h.app.Terminated(); }, 30000));
  EXPECT_GT(promoClosedAt, 0);
  EXPECT_LT(h.backend.Time().NowMs() - promoClosedAt, 100);
  EXPECT_EQ(h.form->speed_result, nullptr);
  EXPECT_FALSE(h.TestCpu().test_run.upTimerMhz.Enabled());
  EXPECT_EQ(h.TestCpu().test_run.MhzValue, 0);  // the run never reached Deep Cycle
}

INSTANTIATE_TEST_SUITE_P(Milliseconds, ClosingEarlyInARun, ::testing::Values(500, 1500, 2500));

enum class ClosePath { kCloseButton, kExitButton, kDesktopRequest };

struct ClosingCase {
  ClosePath path;
  bool submitted;
};

void PrintTo(const ClosingCase& c, std::ostream* out) {
  constexpr const char* kPaths[] = {"X", "Exit", "desktop close request"};
  *out << kPaths[static_cast<int>(c.path)] << (c.submitted ? ", submitted" : ", not submitted");
}

class ClosingPaths : public ::testing::TestWithParam<ClosingCase> {};

TEST_P(ClosingPaths, RunFormCloseOnce) {
  UiHarness h;
  h.Start();
  h.State().scoreSubmitted = GetParam().submitted;
  std::set<uint32_t> promos;  // every promotion dialog seen
  bool closedAgain = false;
  h.onWatch = [&] {
    for (const platform::HeadlessWindow* w : h.backend.Windows()) {
      if (w->Visible() && w->Width() == kPromoWidth && w->Height() == kPromoHeight) {
        promos.insert(w->Id());
      }
    }
    platform::HeadlessWindow* promo = h.FindWindow(kPromoWidth, kPromoHeight);
    if (promo == nullptr) return;
    if (!closedAgain) {
      // Every way of closing once more while the promotion shows changes nothing.
      closedAgain = true;
      h.backend.RequestClose(h.form->Native());
      h.form->btnExitClick();
      h.form->btnCloseClick();
      return;
    }
    h.ClickOn(*promo, kPromoClose.x, kPromoClose.y);
  };
  switch (GetParam().path) {
    case ClosePath::kCloseButton:
      h.Click(h.form->btnClose);
      break;
    case ClosePath::kExitButton:
      h.Click(h.form->btnExit1);
      break;
    case ClosePath::kDesktopRequest:  // Alt+F4, the task bar's close
      h.backend.RequestClose(h.form->Native());
      break;
  }
  ASSERT_TRUE(h.RunUntil([&] { return h.app.Terminated(); }));
  EXPECT_TRUE(closedAgain);
  EXPECT_EQ(promos.size(), 1u);
  EXPECT_EQ(h.recorder.opened,
            GetParam().submitted
                ? std::vector<std::string>{}
                : std::vector<std::string>{"https://www.tachora.net/ranking.php?ns=1"});
}

INSTANTIATE_TEST_SUITE_P(Paths, ClosingPaths,
                         ::testing::Values(ClosingCase{ClosePath::kCloseButton, false},
                                           ClosingCase{ClosePath::kExitButton, false},
                                           ClosingCase{ClosePath::kDesktopRequest, false},
                                           ClosingCase{ClosePath::kCloseButton, true},
                                           ClosingCase{ClosePath::kExitButton, true},
                                           ClosingCase{ClosePath::kDesktopRequest, true}));

// SIGTERM or the end of the desktop session, on the welcome page and during a run's
// Core stage: the program ends at once, with no dialog and no web page.
class SessionEnd : public ::testing::TestWithParam<bool> {};

TEST_P(SessionEnd, EndsTheProgramPromptlyWithoutDialogs) {
  const bool duringARun = GetParam();
  UiHarness h;
  h.Start();
  double quitAt = -1;
  h.onWatch = [&] {
    const bool due = duringARun ? h.TestCpu().test_run.DescentLeft < 15 : true;
    if (quitAt < 0 && due) {
      quitAt = h.backend.Time().NowMs();
      h.backend.RequestQuit();
    }
  };
  if (duringARun) h.Click(h.form->btnTestCPU);
  // Run the loop from the call stack the run has: the quit ends it from inside.
  ASSERT_TRUE(h.RunUntil([&] { return h.app.Terminated(); }, 30000));
  h.app.ProcessMessages();
  EXPECT_LT(h.backend.Time().NowMs() - quitAt, 50);
  EXPECT_EQ(h.FindWindow(kPromoWidth, kPromoHeight), nullptr);
  EXPECT_EQ(h.form->speed_result, nullptr);
  EXPECT_TRUE(h.recorder.opened.empty());
}

INSTANTIATE_TEST_SUITE_P(OnTheWelcomePageOrDuringARun, SessionEnd, ::testing::Bool());

TEST(ClosingTest, ThePromotionDialogsLayout) {
  platform::HeadlessBackend backend;
  gui::Application app{backend};
  Recorder recorder;
  const MainServices services = FakeServices(recorder);
  TfmPromo promo(services);
  promo.Show();
  app.ProcessMessages();
  EXPECT_EQ(promo.Width(), kPromoWidth);
  EXPECT_EQ(promo.Height(), kPromoHeight);
  EXPECT_TRUE(promo.Borderless());
  EXPECT_EQ(promo.lblTested.Caption(), "Now you've tested your CPU speed...");
  EXPECT_EQ(promo.lblWhyNot.Caption(), "Why not test your internet speed?");
  EXPECT_EQ(promo.lblFreeDownload.Caption(), "FREE Download");
  EXPECT_EQ(promo.btnClose.Caption(), "Close");
  EXPECT_TRUE(promo.lblVisitWeb.Font().underline);
  EXPECT_TRUE(promo.lblTested.Font().bold);
  EXPECT_FALSE(promo.caption_bar.imgCaptionCentre.DragHandle());
  const gui::Bitmap shot = Snapshot(promo, "promotion-dialog");
  EXPECT_EQ(shot.Pixel(300, 22) & 0xFFFFFF, 0x000000A6u);
  EXPECT_EQ(shot.Pixel(1, 300) & 0xFFFFFF, 0x009E988Du);
  EXPECT_EQ(shot.Pixel(635, 300) & 0xFFFFFF, 0x009E988Du);
  EXPECT_EQ(shot.Pixel(300, 456) & 0xFFFFFF, 0x009E988Du);
  EXPECT_EQ(shot.Pixel(600, 60) & 0xFFFFFF, 0x00302D28u);
  // "Close" has the focus: its frame and dotted mark in the caption's black.
  EXPECT_TRUE(promo.btnClose.Focused());
  const gui::Rect close = promo.btnClose.WindowRect();
  EXPECT_EQ(shot.Pixel(close.left, close.top) & 0xFFFFFF, 0u);
  EXPECT_EQ(shot.Pixel(close.left + 4, close.top + 4) & 0xFFFFFF, 0u);
  EXPECT_NE(shot.Pixel(close.left + 5, close.top + 4) & 0xFFFFFF, 0u);
}

}  // namespace
}  // namespace ui::testing
