#include "speedtest/TestRun.h"

#include <algorithm>
#include <chrono>
#include <random>

#include "speedtest/Formats.h"

namespace speedtest {

int32_t ClockSeededRandomPercent() {
  const auto now = std::chrono::high_resolution_clock::now().time_since_epoch().count();
  std::mt19937 generator(static_cast<std::mt19937::result_type>(now ^ (now >> 32)));
  return std::uniform_int_distribution<int32_t>(0, 99)(generator);
}

int32_t RampTargetFor(int32_t r) {
  int32_t target = r;
  if (target > 80) target -= 20;
  if (target < kCoreDescentTicks) target += 20;
  return target;
}

// The scale factors 1.4 and 0.0431 are applied in integers: a double product such as
// 85 * 1.4 lands just below 119 and would truncate one step short.
float PercentGaugePosition(int32_t percent) {
  return static_cast<float>(static_cast<int64_t>(percent) * 14 / 10 + 110);
}

float MhzGaugePosition(int32_t mhz) {
  return static_cast<float>(static_cast<int64_t>(mhz) * 431 / 10000 + 73);
}

TestRun::TestRun(TestRunView& view, const int32_t& measuredMhz, RandomPercent random)
    : view_(view),
      measured_mhz_(measuredMhz),
      random_(std::move(random)),
      mhz_display_(FormatMhz(0)) {
  // Disabled before the handlers go in: assigning a handler to an enabled
  // high-resolution timer would run its loop at once.
  tmrCycle.SetEnabled(false);
  tmrCycle.SetInterval(kCycleDelayMs);
  tmrCycle.SetOnTimer([this](gui::Timer& sender) { tmrCycleTimer(sender); });
  upTimer.SetEnabled(false);
  upTimer.SetInterval(kRampTickMs);
  upTimer.SetOnTimer([this](controls::THighResTimer& sender) { upTimerTimer(sender); });
  downTimer.SetEnabled(false);
  downTimer.SetInterval(kCoreDescentTickMs);
  downTimer.SetOnTimer([this](controls::THighResTimer& sender) { downTimerTimer(sender); });
  upTimerMhz.SetEnabled(false);
  upTimerMhz.SetInterval(kMhzTickMs);
  upTimerMhz.SetOnTimer([this](controls::THighResTimer& sender) { upTimerMhzTimer(sender); });
  tmrSpeedFlash.SetEnabled(false);
  tmrSpeedFlash.SetInterval(kSpeedFlashMs);
  tmrSpeedFlash.SetOnTimer([this](gui::Timer& sender) { tmrSpeedFlashTimer(sender); });
}

void TestRun::StartTest() {
  if (TestRunning) return;
  TestRunning = true;
  TestFinished = false;
  PercentValue = 0;
  ShowPercent();
  MhzValue = 0;
  ShowMhz();
  view_.SetSpeedCaption(SpeedCaption(mhz_display_));
  view_.SetSpeedLit(true);
  tmrSpeedFlash.SetEnabled(false);
  for (const Stage stage : {Stage::kRamp, Stage::kCore, Stage::kDeep, Stage::kCool}) {
    view_.SetStageReached(stage, false);
  }
  RampTarget = RampTargetFor(random_());
  DescentLeft = kCoreDescentTicks;
  tmrCycle.SetEnabled(true);
}

void TestRun::StopTest() {
  tmrCycle.SetEnabled(false);
  upTimer.SetEnabled(false);
  downTimer.SetEnabled(false);
  upTimerMhz.SetEnabled(false);
  tmrSpeedFlash.SetEnabled(false);
}

void TestRun::ShowPercent() {
  const int32_t shown = std::max(PercentValue, 0);
  view_.SetPercentGauge(PercentGaugePosition(shown));
  view_.SetPercentDisplay(FormatPercent(shown));
}

void TestRun::ShowMhz() {
  view_.SetMhzGauge(MhzGaugePosition(MhzValue));
  SetMhzDisplay(FormatMhz(MhzValue));
}

void TestRun::tmrCycleTimer(gui::Timer& /*sender*/) {
  tmrCycle.SetEnabled(false);
  view_.SetStageReached(Stage::kRamp, true);
  upTimer.SetEnabled(true);
}

void TestRun::upTimerTimer(controls::THighResTimer& /*sender*/) {
  if (PercentValue >= RampTarget && DescentLeft > 0) {
    upTimer.SetEnabled(false);
    ReachStage(Stage::kCore);
    view_.ProcessMessages();
    downTimer.SetInterval(kCoreDescentTickMs);
    downTimer.SetEnabled(true);
    return;
  }
  ++PercentValue;
  if (PercentValue > 100) {
    PercentValue = 100;
    upTimer.SetEnabled(false);
    BeginDeepCycle();
  }
  ShowPercent();
}

void TestRun::downTimerTimer(controls::THighResTimer& /*sender*/) {
  --PercentValue;
  --DescentLeft;
  if (DescentLeft > 0) {
    ShowPercent();
    return;
  }
  // The descent's last tick shows nothing; after Core the climb resumes.
  downTimer.SetEnabled(false);
  if (!TestFinished) upTimer.SetEnabled(true);
}

void TestRun::BeginDeepCycle() {
  MhzValue = 0;
  ShowMhz();
  ReachStage(Stage::kDeep);
  upTimerMhz.SetEnabled(true);
}

void TestRun::upTimerMhzTimer(controls::THighResTimer& /*sender*/) {
  MhzValue += kMhzStep;
  if (MhzValue >= measured_mhz_) {
    MhzValue = measured_mhz_;
    upTimerMhz.SetEnabled(false);
    FinishTest();
  }
  ShowMhz();
}

void TestRun::FinishTest() {
  SetMhzDisplay(FormatMhz(measured_mhz_));
  view_.SetSpeedCaption(SpeedCaption(mhz_display_));
  view_.StartMedalTransition();
  DescentLeft = kCoolDescentTicks;
  PercentValue = 100;
  TestFinished = true;
  ReachStage(Stage::kCool);
  downTimer.SetInterval(kCoolDescentTickMs);
  downTimer.SetEnabled(true);
  view_.ShowTestAgain();
  view_.ShowResultDialog(mhz_display_);
  tmrSpeedFlash.SetEnabled(true);
}

void TestRun::tmrSpeedFlashTimer(gui::Timer& /*sender*/) {
  view_.SetSpeedLit(!view_.SpeedLit());
  view_.RepaintSpeedLabel();
}

void TestRun::SetMhzDisplay(const std::string& text) {
  mhz_display_ = text;
  view_.SetMhzDisplay(text);
}

void TestRun::ReachStage(Stage stage) {
  view_.SetStageReached(stage, true);
  view_.RepaintStage(stage);
}

}  // namespace speedtest
