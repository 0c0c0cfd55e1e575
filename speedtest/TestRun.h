// The staged show of "Test CPU Speed": "CPU Ramp" climbs the percent gauge to a random
// level, "Core" dips it for two seconds and climbs on to 100, "Deep Cycle" climbs the
// MHz gauge to the measured rate and "Cool Off" shows the result while the percent gauge
// falls back, then opens the result dialog. It measures nothing: it ends on MeasuredMhz.
//
// The high-resolution timers run their loops inside the call that enables them, so the
// stages nest on the call stack; the order of events rests on that.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "controls/HighResTimer.h"
#include "gui/Timer.h"
#include "speedtest/TestRunView.h"

namespace speedtest {

inline constexpr uint32_t kCycleDelayMs = 1500;
inline constexpr uint32_t kRampTickMs = 10;
inline constexpr uint32_t kCoreDescentTickMs = 100;
inline constexpr uint32_t kCoolDescentTickMs = 20;
inline constexpr uint32_t kMhzTickMs = 20;
inline constexpr uint32_t kSpeedFlashMs = 500;
inline constexpr int32_t kCoreDescentTicks = 20;
inline constexpr int32_t kCoolDescentTicks = 100;
inline constexpr int32_t kMhzStep = 15;

// A random integer 0 to 99, freshly seeded on every call.
using RandomPercent = std::function<int32_t()>;
int32_t ClockSeededRandomPercent();

// The percent level at which the first climb stops, for a random r of 0 to 99:
// 0..19 become 20..39, 20..80 stay, 81..99 become 61..79.
int32_t RampTargetFor(int32_t r);

// Gauge positions: 0 % points at 110 and 100 % at 250; 0 MHz at 73 and 3000 MHz at 202.
float PercentGaugePosition(int32_t percent);
float MhzGaugePosition(int32_t mhz);

class TestRun {
 public:
  // Needs the application to exist. The view and the program's measured rate (MeasuredMhz,
  // read when the run reaches it) must outlive the run.
  TestRun(TestRunView& view, const int32_t& measuredMhz,
          RandomPercent random = ClockSeededRandomPercent);
  TestRun(const TestRun&) = delete;
  TestRun& operator=(const TestRun&) = delete;

  // Resets the instruments and starts a run; does nothing while TestRunning.
  void StartTest();
  // The program is closing: every stage stops where it is, so nothing more of the run
  // happens (its loops on the call stack return once they get control back).
  void StopTest();

  // The percent instruments show PercentValue, never below 0: a restart during Core
  // resets the counter while the running descent goes on taking from it.
  void ShowPercent();
  void ShowMhz();
  void BeginDeepCycle();
  void FinishTest();

  void tmrCycleTimer(gui::Timer& sender);
  void upTimerTimer(controls::THighResTimer& sender);
  void downTimerTimer(controls::THighResTimer& sender);
  void upTimerMhzTimer(controls::THighResTimer& sender);
  void tmrSpeedFlashTimer(gui::Timer& sender);

  // The run's state. TestRunning stays true after a run until a restart clears it.
  bool TestRunning = false;
  bool TestFinished = false;
  int32_t PercentValue = 0;
  int32_t MhzValue = 0;
  int32_t RampTarget = 0;
  int32_t DescentLeft = 0;

  gui::Timer tmrCycle;
  controls::THighResTimer upTimer;
  controls::THighResTimer downTimer;
  controls::THighResTimer upTimerMhz;
  gui::Timer tmrSpeedFlash;

 private:
  void SetMhzDisplay(const std::string& text);
  // Marks a stage reached and shows it at once.
  void ReachStage(Stage stage);

  TestRunView& view_;
  const int32_t& measured_mhz_;
  RandomPercent random_;
  std::string mhz_display_;  // what ledMhz shows
};

}  // namespace speedtest
