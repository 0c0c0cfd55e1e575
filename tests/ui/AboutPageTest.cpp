// The about page's scene on virtual time: the fades at 1 s and 2 s, the slide from 240
// to 15 and the panel on its sixth step, the eye changes in whole seconds from 8 to 19
// alternating strictly, clicks on the mascot, re-entry from a cleared control, leaving
// disabling only the eye timer; and snapshots of the scene checked by pixel probes.
#include <gtest/gtest.h>

#include <deque>
#include <set>
#include <string>
#include <vector>

#include "PagesTestSupport.h"
#include "online/WebAddresses.h"
#include "ui/AboutPage.h"

namespace ui::testing {
namespace {

// An eye of the mascot in its 136 x 168 pictures: red (255, 173, 154) or green.
constexpr gui::Point kEye{52, 52};

bool RedEyed(uint32_t colour) {
  return (colour & 0xFF) > ((colour >> 8) & 0xFF) + 40;
}
bool GreenEyed(uint32_t colour) {
  return ((colour >> 8) & 0xFF) > (colour & 0xFF) + 40;
}

struct Event {
  double ms;  // after the page was entered
  std::string what;
  int left = 0;
};

class AboutPageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    page_ = &h.PageAs<AboutPage>(TMainPage::kAbout);
    page_->random = [this](int range) {
      EXPECT_EQ(range, 20);
      if (draws_.empty()) return 0;
      const int r = draws_.front();
      draws_.pop_front();
      return r;
    };
    h.Start();
    // Every step of the scene, logged before the page's own handler runs.
    AboutPage& p = *page_;
    p.tmrAbout.SetOnTimer([this, &p](gui::Timer&) {
      Log("about");
      p.tmrAboutTimer();
    });
    p.tmrMascotMove.SetOnTimer([this, &p](gui::Timer&) {
      p.tmrMascotMoveTimer();
      Log(p.pnlAbout.Visible() ? "settled" : "move");
    });
    p.tmrMascotEyes.SetOnTimer([this, &p](gui::Timer&) {
      Log("eyes");
      p.tmrMascotEyesTimer();
    });
    p.transMascot.OnStart = [this](controls::TCustomPictureTransition& s, gui::Bitmap& picture,
                                   gui::Bitmap&) {
      (void)s;
      Log(RedEyed(picture.Pixel(kEye.x, kEye.y)) ? "fade to red" : "fade to green");
    };
    p.transMascot.OnComplete = [this, &p](controls::TCustomPictureTransition&) {
      Log("fade done");
      p.transMascotComplete();
    };
  }

  void Log(std::string what) {
    events_.push_back(
        {h.backend.Time().NowMs() - entered_, std::move(what), page_->transMascot.Left()});
  }

  // "About Tachora" and the fade of the page area; the scene starts when it completes.
  void Enter() {
    h.form->btnAboutClick();
    h.FinishTransition();
    entered_ = h.backend.Time().NowMs();
    events_.clear();
  }
  void RunUntilSettled() {
    ASSERT_TRUE(
        h.RunUntil([this] { return page_->MascotSettled && !page_->transMascot.Busy(); }, 5000));
  }
  std::vector<Event> Named(const std::string& what) const {
    std::vector<Event> found;
    for (const Event& e : events_)
      if (e.what == what) found.push_back(e);
    return found;
  }
  uint32_t ShownEye() const { return page_->transMascot.ScreenCopy().Pixel(kEye.x, kEye.y); }

  UiHarness h;
  AboutPage* page_ = nullptr;
  std::deque<int> draws_;
  std::vector<Event> events_;
  double entered_ = 0;
};

TEST_F(AboutPageTest, EnteringStartsFromACleanScene) {
  Enter();
  EXPECT_TRUE(page_->AboutIntro);
  EXPECT_FALSE(page_->MascotSettled);
  EXPECT_EQ(page_->transMascot.Left(), 240);
  EXPECT_EQ(page_->transMascot.Top(), -2);
  EXPECT_EQ(page_->transMascot.Width(), 136);
  EXPECT_EQ(page_->transMascot.Height(), 168);
  EXPECT_TRUE(page_->transMascot.ScreenCopy().Empty());
  EXPECT_FALSE(page_->pnlAbout.Visible());
  EXPECT_FALSE(page_->lblMascot.Visible());
  EXPECT_TRUE(page_->tmrAbout.Enabled());
  EXPECT_EQ(page_->tmrAbout.Interval(), 1000u);
  // The text the user reads, written out: a new version changes it here by hand.
  EXPECT_EQ(page_->pnlAbout.lblVersion.Caption(), "version 3.0.3.3");
}

TEST_F(AboutPageTest, TheSceneFollowsItsTimeline) {
  Enter();
  RunUntilSettled();
  h.RunFor(100);

  // 1.0 s: the fade in to red eyes; the timer's further firings while it runs change
  // nothing, and its interval is not restarted by the completion.
  const std::vector<Event> fades = [&] {
    std::vector<Event> f;
    for (const Event& e : events_)
      if (e.what.starts_with("fade to")) f.push_back(e);
    return f;
  }();
  ASSERT_EQ(fades.size(), 2u);
  EXPECT_EQ(fades[0].what, "fade to red");
  EXPECT_NEAR(fades[0].ms, 1000, 5);
  EXPECT_EQ(fades[1].what, "fade to green");
  EXPECT_NEAR(fades[1].ms, 2000, 5);
  const std::vector<Event> done = Named("fade done");
  ASSERT_EQ(done.size(), 2u);
  EXPECT_NEAR(done[0].ms, 1325, 30);
  EXPECT_NEAR(done[1].ms, 2325, 30);
  EXPECT_EQ(Named("about").size(), 2u);
  EXPECT_FALSE(page_->tmrAbout.Enabled());

  // The slide: five moves of 45 pixels every 20 ms, the sixth firing shows the panel.
  const std::vector<Event> moves = Named("move");
  ASSERT_EQ(moves.size(), 5u);
  const int expected[] = {195, 150, 105, 60, 15};
  for (size_t i = 0; i < moves.size(); ++i) {
    EXPECT_EQ(moves[i].left, expected[i]) << i;
    if (i > 0) {
      EXPECT_NEAR(moves[i].ms - moves[i - 1].ms, 20, 2) << i;
    }
  }
  EXPECT_GT(moves[0].ms, done[1].ms);
  const std::vector<Event> settled = Named("settled");
  ASSERT_EQ(settled.size(), 1u);
  EXPECT_NEAR(settled[0].ms - moves[4].ms, 20, 2);
  EXPECT_NEAR(settled[0].ms - done[1].ms, 120, 5);
  EXPECT_EQ(settled[0].left, 15);

  EXPECT_TRUE(page_->pnlAbout.Visible());
  EXPECT_TRUE(page_->lblMascot.Visible());
  EXPECT_TRUE(page_->MascotEyesGreen);
  EXPECT_FALSE(page_->tmrMascotMove.Enabled());
  EXPECT_TRUE(page_->tmrMascotEyes.Enabled());
  EXPECT_TRUE(GreenEyed(ShownEye()));
}

TEST_F(AboutPageTest, EyesChangeInWholeSecondsAlternating) {
  // The draws 0..19 and back: below 8 counts as 8.
  for (int r : {3, 19, 8, 0, 12, 7, 15}) draws_.push_back(r);
  Enter();
  RunUntilSettled();
  const double settledAt = Named("settled").at(0).ms;
  h.RunFor(4000 + 8000 + 19000 + 8000 + 8000 + 12000 + 8000 + 500);

  const std::vector<Event> eyes = Named("eyes");
  ASSERT_EQ(eyes.size(), 7u);
  // The first change comes 4 s after settling, then after each drawn interval.
  const double gaps[] = {4000, 8000, 19000, 8000, 8000, 12000, 8000};
  double previous = settledAt;
  for (size_t i = 0; i < eyes.size(); ++i) {
    EXPECT_NEAR(eyes[i].ms - previous, gaps[i], 2) << i;
    previous = eyes[i].ms;
  }
  EXPECT_EQ(page_->tmrMascotEyes.Interval(), 15000u);

  // Red, green, red, ...: each change fades from the other colour.
  std::vector<std::string> changes;
  for (const Event& e : events_)
    if (e.what.starts_with("fade to") && e.ms > settledAt) changes.push_back(e.what);
  ASSERT_EQ(changes.size(), 7u);
  for (size_t i = 0; i < changes.size(); ++i) {
    EXPECT_EQ(changes[i], i % 2 == 0 ? "fade to red" : "fade to green") << i;
  }
  EXPECT_TRUE(RedEyed(ShownEye()));
  // The fades after settling never move the mascot or hide the panel.
  EXPECT_EQ(page_->transMascot.Left(), 15);
  EXPECT_TRUE(page_->pnlAbout.Visible());
}

TEST(AboutPageEyes, SystemRandomGivesWholeSecondsFrom8To19) {
  UiHarness h;
  AboutPage& page = h.PageAs<AboutPage>(TMainPage::kAbout);
  h.Start();
  std::set<uint32_t> seen;
  bool green = page.MascotEyesGreen;
  for (int i = 0; i < 600; ++i) {
    page.tmrMascotEyesTimer();
    const uint32_t interval = page.tmrMascotEyes.Interval();
    EXPECT_EQ(interval % 1000, 0u);
    EXPECT_GE(interval, 8000u);
    EXPECT_LE(interval, 19000u);
    seen.insert(interval);
    EXPECT_NE(page.MascotEyesGreen, green);
    green = page.MascotEyesGreen;
  }
  EXPECT_EQ(seen.size(), 12u);  // every value from 8 to 19 s turns up
}

TEST_F(AboutPageTest, ReenteringReplaysTheSceneFromAClearedControl) {
  draws_ = {10};
  Enter();
  RunUntilSettled();
  h.RunFor(4500);  // one eye change: red
  ASSERT_EQ(Named("eyes").size(), 1u);
  EXPECT_FALSE(page_->MascotEyesGreen);

  Enter();
  EXPECT_EQ(page_->transMascot.Left(), 240);
  EXPECT_TRUE(page_->transMascot.ScreenCopy().Empty());
  EXPECT_FALSE(page_->pnlAbout.Visible());
  EXPECT_FALSE(page_->lblMascot.Visible());
  EXPECT_TRUE(page_->AboutIntro);
  EXPECT_FALSE(page_->MascotSettled);
  EXPECT_FALSE(page_->tmrMascotEyes.Enabled());

  RunUntilSettled();
  const std::vector<Event> moves = Named("move");
  ASSERT_EQ(moves.size(), 5u);
  EXPECT_EQ(moves.front().left, 195);
  EXPECT_NEAR(Named("fade to red").at(0).ms, 1000, 5);  // from the background again
  EXPECT_TRUE(page_->pnlAbout.Visible());
  // Later visits keep the interval the eye timer was last given.
  const double settledAt = Named("settled").at(0).ms;
  h.RunFor(10500);
  ASSERT_EQ(Named("eyes").size(), 1u);
  EXPECT_NEAR(Named("eyes")[0].ms - settledAt, 10000, 2);
}

TEST_F(AboutPageTest, LeavingDisablesOnlyTheEyeTimer) {
  Enter();
  h.RunFor(1500);  // in the intro
  h.form->btnWelcomeClick();
  h.FinishTransition();
  EXPECT_TRUE(page_->tmrAbout.Enabled());
  EXPECT_FALSE(page_->tmrMascotEyes.Enabled());
  // The intro goes on unseen and settles.
  RunUntilSettled();
  EXPECT_EQ(page_->transMascot.Left(), 15);

  Enter();
  RunUntilSettled();
  ASSERT_TRUE(page_->tmrMascotEyes.Enabled());
  h.form->btnWelcomeClick();
  h.FinishTransition();
  EXPECT_FALSE(page_->tmrMascotEyes.Enabled());
  EXPECT_FALSE(page_->tmrAbout.Enabled());
  EXPECT_FALSE(page_->tmrMascotMove.Enabled());
  EXPECT_TRUE(page_->MascotSettled);
}

TEST_F(AboutPageTest, MascotAndNameOpenTheMascotsPage) {
  const std::string bexo = online::ProductAddress("/bexo.php");
  Enter();
  h.RunFor(1100);  // during the first fade
  h.Hover(page_->transMascot);
  h.app.ProcessMessages();
  EXPECT_EQ(h.Native(*h.form).CurrentCursor(), gui::Cursor::Hand);
  h.Click(page_->transMascot);
  h.app.ProcessMessages();
  ASSERT_EQ(h.recorder.opened.size(), 1u);
  EXPECT_EQ(h.recorder.opened[0], bexo);
  h.MoveTo(*h.form, 5, 5);
  h.app.ProcessMessages();
  EXPECT_EQ(h.Native(*h.form).CurrentCursor(), gui::Cursor::Arrow);

  RunUntilSettled();  // the scene went on
  h.Hover(page_->lblMascot);
  h.app.ProcessMessages();
  EXPECT_EQ(h.Native(*h.form).CurrentCursor(), gui::Cursor::Hand);
  h.Click(page_->lblMascot);
  h.app.ProcessMessages();
  ASSERT_EQ(h.recorder.opened.size(), 2u);
  EXPECT_EQ(h.recorder.opened[1], bexo);
}

TEST_F(AboutPageTest, PanelLinksOpenTheirAddresses) {
  Enter();
  RunUntilSettled();
  const AboutPanel& panel = page_->pnlAbout;
  const std::pair<const widgets::Label*, std::string> links[] = {
      {&panel.lblVisitWeb, online::ProductAddress("/")},
      {&panel.lblDizizarIdivavaz, online::ProductAddress("/contact.php?v=rederezo")},
      {&panel.lblNoCredit, online::ProductAddress("/contact.php?v=nocredit")},
      {&panel.lblReviewers, online::ProductAddress("/reviewers.php")},
      {&panel.lblAboutCopyright, online::MakerAddress() + "?v=tachora"},
      {&panel.lblToolBadge, online::ProductAddress(AboutPanel::kToolBadgePath)},
  };
  for (const auto& [label, address] : links) {
    SCOPED_TRACE(label->Caption());
    h.recorder.opened.clear();
    h.Hover(const_cast<widgets::Label&>(*label));
    h.app.ProcessMessages();
    EXPECT_EQ(h.Native(*h.form).CurrentCursor(), gui::Cursor::Hand);
    h.Click(const_cast<widgets::Label&>(*label));
    h.app.ProcessMessages();
    ASSERT_EQ(h.recorder.opened.size(), 1u);
    EXPECT_EQ(h.recorder.opened[0], address);
  }
  EXPECT_EQ(panel.lblVisitWeb.Caption(), "Visit the Quillon Tachora web site");
  EXPECT_EQ(panel.lblDizizarIdivavaz.Caption(), "Dizizar Idivavaz");
  EXPECT_EQ(page_->lblMascot.Caption(), "I Am Bexo");
}

// The program's own window: mid-intro and settled.
TEST(AboutPageSnapshot, IntroAndSettledScene) {
  UiHarness h;
  h.Start();
  h.form->btnAboutClick();
  h.FinishTransition();
  const gui::Control& sheet = h.Sheet(TMainPage::kAbout);
  // Mid-way through the first fade: a dim mascot at x 240, no panel.
  h.RunFor(1160);
  Snapshot(*h.form, "about-intro");
  const uint32_t dimEye = PixelOf(h, sheet, 240 + kEye.x, -2 + kEye.y);
  EXPECT_GT(dimEye & 0xFF, (dimEye >> 8) & 0xFF);  // reddish, and not yet at full strength
  EXPECT_GT(dimEye & 0xFF, 0x40u);
  EXPECT_LT(dimEye & 0xFF, 0xF0u);
  EXPECT_EQ(PixelOf(h, sheet, 420, 100), 0x000000u);

  h.RunFor(2000);
  Snapshot(*h.form, "about-settled");
  EXPECT_TRUE(GreenEyed(PixelOf(h, sheet, 15 + kEye.x, -2 + kEye.y)));
  EXPECT_EQ(PixelOf(h, sheet, 15 + kEye.x, -2 + kEye.y), 0xC6FFB5u);  // (181, 255, 198)
  // Nothing of the mascot is left where it started.
  EXPECT_EQ(PixelOf(h, sheet, 240 + 68, 80), 0x000000u);
  // The panel's banner: white "Tacho", red "ra"; the badge's red seal at the right.
  auto count = [&](gui::Rect area, auto test) {
    int n = 0;
    for (int y = area.top; y < area.bottom; ++y)
      for (int x = area.left; x < area.right; ++x) n += test(PixelOf(h, sheet, x, y)) ? 1 : 0;
    return n;
  };
  auto white = [](uint32_t c) { return c == 0xFFFFFFu; };
  auto red = [](uint32_t c) { return (c & 0xFF) > 0xC0 && ((c >> 8) & 0xFF) < 0x40; };
  auto yellow = [](uint32_t c) { return c == 0x00FFFFu; };
  EXPECT_GT(count(gui::Rect::XYWH(156 + 8, 3 + 2, 70, 30), white), 50);
  EXPECT_GT(count(gui::Rect::XYWH(156 + 80, 3 + 2, 40, 30), red), 30);
  auto seal = [](uint32_t c) { return (c & 0xFF) > 0x90 && (c & 0xFF) > ((c >> 8) & 0xFF) * 2; };
  EXPECT_GT(count(gui::Rect::XYWH(156 + 368, 3 + 4, 64, 64), seal), 100);
  EXPECT_GT(count(gui::Rect::XYWH(156 + 10, 3 + 156, 200, 18), yellow), 30);
  // "I Am Bexo" under the mascot.
  EXPECT_GT(count(gui::Rect::XYWH(60, 178, 60, 14), white), 20);
}

}  // namespace
}  // namespace ui::testing
