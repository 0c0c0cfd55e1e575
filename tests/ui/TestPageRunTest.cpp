// A whole run on the test page, watched from inside its nested loops: a snapshot of each
// stage checked by pixel probes (stage panels, the speed label, the needles' tips), the
// result dialog with the measured value and percent 001 behind it, then 000 and the
// blinking label after it closes, and the restart rules.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>

#include "UiTestSupport.h"

namespace ui::testing {
namespace {

constexpr gui::Color kIdle = 0x00FBE9AA;
constexpr gui::Color kGreen = 0x0000FF00;
constexpr gui::Point kSheet{13, 367};  // the sheets' origin in the window

gui::Color At(const gui::Bitmap& b, gui::Point p) {
  return b.Pixel(p.x, p.y) & 0x00FFFFFF;
}

// The middle of a stage panel, in window pixels.
gui::Point StageMiddle(const widgets::Panel& panel) {
  const gui::Rect r = panel.WindowRect();
  return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

bool Reddish(gui::Color c) {
  return gui::Red(c) > 120 && gui::Red(c) > 2 * gui::Green(c) && gui::Red(c) > 2 * gui::Blue(c);
}

// Any red pixel inside a window rectangle.
bool HasRed(const gui::Bitmap& b, const gui::Rect& r) {
  for (int y = r.top; y < r.bottom; ++y) {
    for (int x = r.left; x < r.right; ++x) {
      if (Reddish(b.Pixel(x, y))) return true;
    }
  }
  return false;
}

// The needle's tip at the gauge's position, in window pixels, probed within one pixel.
bool NeedleTipIsRed(const gui::Bitmap& b, controls::TAnalogGauge& gauge) {
  const gui::Bitmap& work = gauge.WorkBitmap();
  const auto g = gauge.NeedleGeometry(work.Width(), work.Height(), gauge.Factor());
  const gui::Point end = gauge.NeedleEnd(g, gauge.Position());
  const gui::Point origin = gauge.WindowOrigin();
  return HasRed(b, gui::Rect::XYWH(origin.x + end.x / 2 - 1, origin.y + end.y / 2 - 1, 3, 3));
}

class TestPageRunTest : public ::testing::Test {
 protected:
  void SetUp() override { h.Start(); }

  // Goes to the test page; the run starts when the fade completes.
  void EnterTestPage() {
    h.Click(h.form->btnTestCPU);
    h.FinishTransition();
  }

  // Closes the result dialog with "Close" when it is showing.
  void CloseResultWhenShown() {
    h.onWatch = [this] {
      TfmSpeedResult* dialog = h.form->speed_result.get();
      if (dialog != nullptr && dialog->Modal() && dialog->Visible() && !close_clicked_) {
        close_clicked_ = true;
        h.Click(dialog->btnClose1);
      }
    };
  }

  UiHarness h;
  bool close_clicked_ = false;
};

TEST_F(TestPageRunTest, EveryStageOfARunOnScreen) {
  TfmMain& f = *h.form;
  TestPage& page = h.TestCpu();
  std::map<std::string, gui::Bitmap> shots;
  std::string percentWhileOpen;
  auto take = [&](const std::string& name) {
    if (!shots.contains(name)) shots[name] = Snapshot(f, "test-page-" + name);
  };
  h.onWatch = [&] {
    const bool ramp = page.pnlRamp.Color() == kGreen;
    const bool core = page.pnlCore.Color() == kGreen;
    const bool deep = page.pnlDeep.Color() == kGreen;
    const bool cool = page.pnlCool.Color() == kGreen;
    TfmSpeedResult* dialog = f.speed_result.get();
    if (dialog != nullptr && dialog->Modal()) {
      if (!shots.contains("dialog")) {
        percentWhileOpen = f.top_area.ledPercent.Value();
        shots["dialog"] = Snapshot(*dialog, "result-dialog");
        Snapshot(f, "test-page-dialog-open");
        h.Click(dialog->btnClose1);
      }
    } else if (cool) {
      take("cool-off");
    } else if (deep && h.TestCpu().test_run.MhzValue >= 1500) {
      take("deep-cycle");
    } else if (core && h.TestCpu().test_run.PercentValue == 40) {
      take("core");
    } else if (ramp && !core && h.TestCpu().test_run.PercentValue >= 25) {
      take("ramp");
    } else if (!ramp && h.TestCpu().test_run.TestRunning) {
      take("started");
    }
  };
  EnterTestPage();
  ASSERT_TRUE(h.RunUntil([&] { return shots.contains("dialog"); }, 30000));
  h.onWatch = nullptr;
  h.RunFor(100);
  const gui::Bitmap after = Snapshot(f, "test-page-after");
  ASSERT_EQ(shots.size(), 6u);

  const gui::Bitmap& started = shots["started"];
  for (widgets::Panel* panel : {&page.pnlRamp, &page.pnlCore, &page.pnlDeep, &page.pnlCool}) {
    EXPECT_EQ(At(started, StageMiddle(*panel)), kIdle);
  }
  EXPECT_EQ(At(shots["ramp"], StageMiddle(page.pnlRamp)), kGreen);
  EXPECT_EQ(At(shots["ramp"], StageMiddle(page.pnlCore)), kIdle);
  EXPECT_EQ(At(shots["core"], StageMiddle(page.pnlCore)), kGreen);
  EXPECT_EQ(At(shots["core"], StageMiddle(page.pnlDeep)), kIdle);
  EXPECT_EQ(At(shots["deep-cycle"], StageMiddle(page.pnlDeep)), kGreen);
  EXPECT_EQ(At(shots["deep-cycle"], StageMiddle(page.pnlCool)), kIdle);
  EXPECT_EQ(At(shots["cool-off"], StageMiddle(page.pnlCool)), kGreen);
  for (widgets::Panel* panel : {&page.pnlRamp, &page.pnlCore, &page.pnlDeep, &page.pnlCool}) {
    EXPECT_EQ(At(after, StageMiddle(*panel)), kGreen);
  }
  // The page's static colours: the ruling, the speed box's border, black around.
  EXPECT_EQ(At(after, {kSheet.x + 72, kSheet.y + 150}), 0x005B5655u);
  EXPECT_EQ(At(after, {kSheet.x + 100, kSheet.y + 165}), 0x005B5655u);
  EXPECT_EQ(At(after, {kSheet.x + 500, kSheet.y + 80}), 0x004D4C49u);
  EXPECT_EQ(At(after, {kSheet.x + 560, kSheet.y + 6}), 0x004D4C49u);
  // "0000 Mhz" and later "2992 Mhz" in red inside the speed box.
  const gui::Rect speedText = page.lblCPUSpeedMain.WindowRect();
  EXPECT_TRUE(HasRed(started, speedText));
  EXPECT_TRUE(HasRed(shots["cool-off"], speedText));
  EXPECT_EQ(page.lblCPUSpeedMain.Caption(), "2992 Mhz");
  // "Click here to test again" is shown after the run, in yellow.
  EXPECT_TRUE(page.lblTestAgain.Visible());

  EXPECT_EQ(percentWhileOpen, "001");
  EXPECT_EQ(f.top_area.ledPercent.Value(), "000");
  EXPECT_EQ(f.top_area.ledMhz.Value(), "2992");
  EXPECT_EQ(f.top_area.gaugeMhz1.Position(), 201.0f);
  EXPECT_EQ(f.top_area.gaugePercent.Position(), 110.0f);
  EXPECT_TRUE(NeedleTipIsRed(after, f.top_area.gaugeMhz1));
  EXPECT_TRUE(NeedleTipIsRed(after, f.top_area.gaugePercent));
  EXPECT_EQ(f.speed_result->ledMhz.Value(), "2992");
}

TEST_F(TestPageRunTest, TheNeedlesPointWhereTheCountersSay) {
  TfmMain& f = *h.form;
  gui::Bitmap atHundred;
  h.onWatch = [&] {
    if (atHundred.Empty() && h.TestCpu().test_run.MhzValue >= 1500 &&
        h.TestCpu().test_run.MhzValue < 1515) {
      atHundred = Snapshot(f, "test-page-needles");
      EXPECT_EQ(f.top_area.gaugePercent.Position(), 250.0f);
      EXPECT_EQ(f.top_area.gaugeMhz1.Position(), 137.0f);
      EXPECT_TRUE(NeedleTipIsRed(atHundred, f.top_area.gaugePercent));
      EXPECT_TRUE(NeedleTipIsRed(atHundred, f.top_area.gaugeMhz1));
    }
    if (f.speed_result && f.speed_result->Modal() && f.speed_result->Visible()) {
      h.Click(f.speed_result->btnClose1);
    }
  };
  EnterTestPage();
  ASSERT_TRUE(h.RunUntil(
      [&] {
        return h.Sheet(TMainPage::kTestCPU).Showing() && f.speed_result != nullptr &&
               !f.speed_result->Modal();
      },
      30000));
  EXPECT_FALSE(atHundred.Empty());
}

TEST_F(TestPageRunTest, TheSpeedLabelBlinksAfterTheDialogCloses) {
  CloseResultWhenShown();
  EnterTestPage();
  TfmMain& f = *h.form;
  ASSERT_TRUE(h.RunUntil([&] { return f.speed_result != nullptr && !f.speed_result->Modal(); }));
  const gui::Color first = h.TestCpu().lblCPUSpeedMain.Font().color;
  h.RunFor(510);
  const gui::Color second = h.TestCpu().lblCPUSpeedMain.Font().color;
  EXPECT_NE(first, second);
  EXPECT_TRUE((first == 0x000000FFu && second == 0u) || (first == 0u && second == 0x000000FFu));
}

TEST_F(TestPageRunTest, TestCpuSpeedOnTheTestPageRestartsAtOnce) {
  CloseResultWhenShown();
  EnterTestPage();
  TfmMain& f = *h.form;
  ASSERT_TRUE(h.RunUntil([&] { return f.speed_result != nullptr && !f.speed_result->Modal(); }));
  const int transitions = h.transitionsCompleted;
  h.Click(f.btnTestCPU);
  h.app.ProcessMessages();
  EXPECT_FALSE(f.transFadeOut.Busy());
  EXPECT_EQ(f.pgControlMain.ActivePage(), &h.Sheet(TMainPage::kTestCPU));
  EXPECT_TRUE(h.TestCpu().test_run.TestRunning);
  EXPECT_TRUE(h.TestCpu().test_run.tmrCycle.Enabled());
  EXPECT_EQ(f.top_area.ledMhz.Value(), "0000");
  EXPECT_EQ(h.TestCpu().lblCPUSpeedMain.Caption(), "0000 Mhz");
  EXPECT_EQ(h.TestCpu().pnlRamp.Color(), kIdle);
  EXPECT_EQ(h.transitionsCompleted, transitions);
}

// "Test CPU Speed" during Core: the running descent takes from the reset counter, while
// the percent digits and needle stay at 0 until the new ramp climbs.
TEST_F(TestPageRunTest, ARestartDuringCoreShowsNoPercentageBelowZero) {
  CloseResultWhenShown();
  const auto closeResult = h.onWatch;
  TfmMain& f = *h.form;
  const speedtest::TestRun& run = h.TestCpu().test_run;
  bool restarted = false;
  bool minusShown = false;
  float lowestNeedle = 1000;
  int32_t lowestCounter = 0;
  h.onWatch = [&] {
    if (!restarted && !run.TestFinished && run.DescentLeft == 15) {
      restarted = true;
      h.Click(f.btnTestCPU);
    }
    if (f.top_area.ledPercent.Value().find('-') != std::string::npos) minusShown = true;
    lowestNeedle = std::min(lowestNeedle, f.top_area.gaugePercent.Position());
    lowestCounter = std::min(lowestCounter, run.PercentValue);
    closeResult();
  };
  EnterTestPage();
  ASSERT_TRUE(h.RunUntil(
      [&] { return restarted && f.speed_result != nullptr && !f.speed_result->Modal(); }, 40000));
  EXPECT_LT(lowestCounter, -10);
  EXPECT_FALSE(minusShown);
  EXPECT_EQ(lowestNeedle, 110.0f);
  EXPECT_EQ(f.speed_result->ledMhz.Value(), "2992");
}

TEST_F(TestPageRunTest, ComingBackAfterARunStartsNothingAndKeepsTheResult) {
  CloseResultWhenShown();
  EnterTestPage();
  TfmMain& f = *h.form;
  ASSERT_TRUE(h.RunUntil([&] { return f.speed_result != nullptr && !f.speed_result->Modal(); }));
  h.Click(f.btnWelcome);
  h.FinishTransition();
  h.Click(f.btnTestCPU);
  h.FinishTransition();
  EXPECT_EQ(f.pgControlMain.ActivePage(), &h.Sheet(TMainPage::kTestCPU));
  EXPECT_FALSE(h.TestCpu().test_run.tmrCycle.Enabled());
  EXPECT_EQ(h.TestCpu().lblCPUSpeedMain.Caption(), "2992 Mhz");
  EXPECT_TRUE(h.TestCpu().lblTestAgain.Visible());
  // The instruments kept their values on the welcome page too.
  EXPECT_EQ(f.top_area.ledMhz.Value(), "2992");
}

TEST_F(TestPageRunTest, TestAgainStartsANewRunAndTheDialogIsReused) {
  CloseResultWhenShown();
  EnterTestPage();
  TfmMain& f = *h.form;
  ASSERT_TRUE(h.RunUntil([&] { return f.speed_result != nullptr && !f.speed_result->Modal(); }));
  TfmSpeedResult* dialog = f.speed_result.get();
  close_clicked_ = false;
  h.Click(h.TestCpu().lblTestAgain);
  h.app.ProcessMessages();
  EXPECT_TRUE(h.TestCpu().test_run.tmrCycle.Enabled());
  ASSERT_TRUE(h.RunUntil([&] { return close_clicked_ && !f.speed_result->Modal(); }));
  EXPECT_EQ(f.speed_result.get(), dialog);
}

TEST_F(TestPageRunTest, AnEightHundredFiftyMhzMachineEndsOnZeroEightFiveZero) {
  h.State().MeasuredMhz = 850;
  CloseResultWhenShown();
  EnterTestPage();
  TfmMain& f = *h.form;
  ASSERT_TRUE(h.RunUntil([&] { return f.speed_result != nullptr && !f.speed_result->Modal(); }));
  EXPECT_EQ(f.top_area.ledMhz.Value(), "0850");
  EXPECT_EQ(h.TestCpu().lblCPUSpeedMain.Caption(), "0850 Mhz");
  EXPECT_EQ(f.speed_result->ledMhz.Value(), "0850");
}

}  // namespace
}  // namespace ui::testing
