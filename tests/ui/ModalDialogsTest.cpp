// The result and promotion dialogs as modal windows owned by the main window: a press on
// the main window leaves the result dialog in front with the focus and does nothing on
// the window; the keys (Escape as "Close", Return on the focused push button, Tab between
// the buttons) and the focus mark; the focus back on the default at every showing.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "UiTestSupport.h"
#include "ui/Promo.h"

namespace ui::testing {
namespace {

constexpr uint32_t kMark = 0x000000;  // the focus mark: the captions' black

class ModalDialogsTest : public ::testing::Test {
 protected:
  void SetUp() override { h.Start(); }

  // A run to its result dialog; inside runs once from the dialog's loop. Returns when the
  // dialog has closed.
  void WithResultDialog(const std::function<void(TfmSpeedResult&)>& inside) {
    bool seen = false;
    h.onWatch = [&] {
      TfmSpeedResult* dialog = h.form->speed_result.get();
      if (!seen && dialog != nullptr && dialog->Modal() && dialog->Visible()) {
        seen = true;
        inside(*dialog);
      }
    };
    if (h.form->CurrentPage == TMainPage::kTestCPU) {
      h.Click(h.TestCpu().lblTestAgain);
    } else {
      h.Click(h.form->btnTestCPU);
    }
    ASSERT_TRUE(h.RunUntil([&] { return seen && !h.form->speed_result->Modal(); }, 30000));
    h.onWatch = nullptr;
  }

  // A presented pixel of a control, in the control's coordinates.
  uint32_t PixelOf(gui::Control& control, int x, int y) {
    const gui::Rect r = control.WindowRect();
    return h.Native(*control.OwnerWindow()).Pixel(r.left + x, r.top + y);
  }
  // The frame on the edge and the dotted rectangle four pixels inside it.
  bool ShowsFocusMark(gui::Control& button) {
    const int w = button.Width();
    const int hgt = button.Height();
    return PixelOf(button, 0, 0) == kMark && PixelOf(button, w - 1, 0) == kMark &&
           PixelOf(button, 4, 4) == kMark && PixelOf(button, 5, 4) != kMark &&
           PixelOf(button, 6, 4) == kMark && PixelOf(button, 4, hgt - 5) == kMark &&
           PixelOf(button, w - 5, 6) == kMark;
  }
  bool ShowsNoFocusMark(gui::Control& button) {
    return PixelOf(button, 0, 0) != kMark && PixelOf(button, 4, 4) != kMark &&
           PixelOf(button, 6, 4) != kMark;
  }

  UiHarness h;
};

TEST_F(ModalDialogsTest, APressOnTheMainWindowLeavesTheResultDialogInFrontAndDoesNothing) {
  WithResultDialog([&](TfmSpeedResult& dialog) {
    EXPECT_EQ(h.Native(dialog).Owner(), &h.Native(*h.form));
    EXPECT_FALSE(h.Native(*h.form).Enabled());
    h.Click(h.form->btnAbout);
    h.backend.TypeKey('A');
    h.app.ProcessMessages();
    EXPECT_EQ(h.backend.Windows().back()->Id(), dialog.Native().Id());
    EXPECT_TRUE(h.Native(dialog).Focused());
    EXPECT_EQ(h.form->CurrentPage, TMainPage::kTestCPU);
    EXPECT_FALSE(h.form->transFadeOut.Busy());
    h.backend.TypeKey(gui::keys::kEscape);
  });
  EXPECT_TRUE(h.Native(*h.form).Enabled());
  EXPECT_TRUE(h.Native(*h.form).Focused());
  EXPECT_EQ(h.form->CurrentPage, TMainPage::kTestCPU);
}

TEST_F(ModalDialogsTest, EscapeClosesTheResultDialogAsCloseDoes) {
  WithResultDialog([&](TfmSpeedResult&) { h.backend.TypeKey(gui::keys::kEscape); });
  EXPECT_FALSE(h.form->speed_result->Visible());
  EXPECT_EQ(h.form->speed_result->ModalResult(), gui::kModalOk);
  EXPECT_FALSE(h.State().scoreSubmitted);
  EXPECT_TRUE(h.recorder.opened.empty());
  EXPECT_TRUE(h.TestCpu().test_run.tmrSpeedFlash.Enabled());  // the run went on to its end
}

TEST_F(ModalDialogsTest, ReturnPressesTheDefaultSubmitMyScore) {
  WithResultDialog([&](TfmSpeedResult& dialog) {
    EXPECT_TRUE(dialog.btnSubmitScore1.Focused());
    EXPECT_FALSE(dialog.btnClose1.Focused());
    EXPECT_TRUE(ShowsFocusMark(dialog.btnSubmitScore1));
    EXPECT_TRUE(ShowsNoFocusMark(dialog.btnClose1));
    Snapshot(dialog, "result-dialog-focus-submit");
    h.backend.TypeKey(gui::keys::kReturn);
  });
  EXPECT_TRUE(h.State().scoreSubmitted);
  ASSERT_EQ(h.recorder.opened.size(), 1u);
  EXPECT_EQ(h.recorder.opened[0].rfind("https://www.tachora.net/proint/proaddscore.php?", 0), 0u);
}

TEST_F(ModalDialogsTest, TabMovesTheFocusMarkAndReturnPressesTheFocusedButton) {
  WithResultDialog([&](TfmSpeedResult& dialog) {
    h.backend.TypeKey(gui::keys::kTab);
    h.app.ProcessMessages();
    EXPECT_TRUE(dialog.btnClose1.Focused());
    EXPECT_TRUE(ShowsFocusMark(dialog.btnClose1));
    EXPECT_TRUE(ShowsNoFocusMark(dialog.btnSubmitScore1));
    Snapshot(dialog, "result-dialog-focus-close");
    h.backend.TypeKey(gui::keys::kTab, gui::modifiers::kShift);
    h.app.ProcessMessages();
    EXPECT_TRUE(dialog.btnSubmitScore1.Focused());
    EXPECT_TRUE(ShowsFocusMark(dialog.btnSubmitScore1));
    h.backend.TypeKey(gui::keys::kTab);
    h.backend.TypeKey(gui::keys::kReturn);
  });
  EXPECT_FALSE(h.State().scoreSubmitted);
  EXPECT_TRUE(h.recorder.opened.empty());

  // The next run's dialog starts on its default again.
  WithResultDialog([&](TfmSpeedResult& dialog) {
    EXPECT_TRUE(dialog.btnSubmitScore1.Focused());
    EXPECT_FALSE(dialog.btnClose1.Focused());
    h.backend.TypeKey(gui::keys::kEscape);
  });
}

class PromotionKeys : public ::testing::TestWithParam<int> {};

TEST_F(ModalDialogsTest, TheFocusMarkShowsOnEveryShowing) {
  for (int showing = 1; showing <= 3; ++showing) {
    WithResultDialog([&](TfmSpeedResult& dialog) {
      EXPECT_TRUE(ShowsFocusMark(dialog.btnSubmitScore1)) << "showing " << showing;
      EXPECT_TRUE(ShowsNoFocusMark(dialog.btnClose1)) << "showing " << showing;
      h.backend.TypeKey(gui::keys::kEscape);
    });
  }
}

TEST_P(PromotionKeys, CloseThePromotionDialog) {
  UiHarness h;
  h.Start();
  bool pressed = false;
  h.onWatch = [&] {
    platform::HeadlessWindow* promo = h.FindWindow(TfmPromo::kClientWidth, TfmPromo::kClientHeight);
    if (promo == nullptr || pressed) return;
    pressed = true;
    EXPECT_TRUE(promo->Focused());
    h.backend.TypeKey(GetParam());
  };
  h.Click(h.form->btnExit1);
  EXPECT_TRUE(h.RunUntil([&] { return h.app.Terminated(); }));
  EXPECT_TRUE(pressed);
}

INSTANTIATE_TEST_SUITE_P(EscapeAndReturn, PromotionKeys,
                         ::testing::Values(gui::keys::kEscape, gui::keys::kReturn));

}  // namespace
}  // namespace ui::testing
