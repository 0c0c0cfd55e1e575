#include "speedtest/TestRun.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "gui/Application.h"
#include "platform/headless/HeadlessBackend.h"
#include "speedtest/ClockMeasurement.h"
#include "speedtest/Formats.h"

namespace speedtest {
namespace {

// One change the run made on the screen, at a virtual time in milliseconds.
struct Change {
  double ms;
  std::string what;
  std::string value;
};

const char* StageName(Stage stage) {
  constexpr const char* kNames[] = {"ramp", "core", "deep", "cool"};
  return kNames[static_cast<int>(stage)];
}

// Records every change with the virtual time it happened at. The result dialog stays
// open for dialog_ms of virtual time, with the message loop running, like a user
// reading it before pressing Close.
class RecordingView : public TestRunView {
 public:
  RecordingView(platform::HeadlessBackend& backend, gui::Application& app)
      : clock_(backend.Time()), app_(app) {}

  void SetPercentGauge(float position) override {
    percent_gauge = position;
    lowest_percent_gauge = std::min(lowest_percent_gauge, position);
  }
  void SetPercentDisplay(const std::string& text) override {
    percent_display = text;
    Log("percent", text);
  }
  void SetMhzGauge(float position) override { mhz_gauge = position; }
  void SetMhzDisplay(const std::string& text) override { Log("mhz", text); }
  void SetStageReached(Stage stage, bool reached) override {
    Log("stage", std::string(StageName(stage)) + (reached ? " reached" : " idle"));
  }
  void RepaintStage(Stage stage) override { Log("repaint", StageName(stage)); }
  void SetSpeedCaption(const std::string& caption) override { Log("caption", caption); }
  bool SpeedLit() const override { return speed_lit; }
  void SetSpeedLit(bool lit) override {
    speed_lit = lit;
    Log("speed", lit ? "lit" : "dark");
  }
  void RepaintSpeedLabel() override { Log("repaint", "speed"); }
  void StartMedalTransition() override { Log("medal", ""); }
  void ShowTestAgain() override { Log("test again", ""); }
  void ShowResultDialog(const std::string& mhzText) override {
    Log("dialog", mhzText + " percent " + percent_display);
    if (inside_dialog) inside_dialog();
    Pump(dialog_ms);
    Log("dialog closed", "");
  }
  void ProcessMessages() override { app_.ProcessMessages(); }

  // Runs the message loop for ms of virtual time, a millisecond at a time.
  void Pump(double ms) {
    const int64_t end = clock_.NowNs() + static_cast<int64_t>(ms * 1e6);
    while (clock_.NowNs() < end) {
      clock_.AdvanceBy(1'000'000);
      app_.ProcessMessages();
    }
  }

  std::vector<std::string> Values(const std::string& what) const {
    std::vector<std::string> values;
    for (const Change& change : log) {
      if (change.what == what) values.push_back(change.value);
    }
    return values;
  }
  // The time of the first change of this kind and value at or after fromMs; -1 if none.
  double TimeOf(const std::string& what, const std::string& value, double fromMs = 0) const {
    for (const Change& change : log) {
      if (change.ms >= fromMs && change.what == what && change.value == value) return change.ms;
    }
    return -1;
  }
  int Count(const std::string& what) const { return static_cast<int>(Values(what).size()); }
  // The position in the log of the first change of this kind and value; -1 if none.
  int IndexOf(const std::string& what, const std::string& value) const {
    for (size_t i = 0; i < log.size(); ++i) {
      if (log[i].what == what && log[i].value == value) return static_cast<int>(i);
    }
    return -1;
  }

  std::vector<Change> log;
  std::string percent_display;
  float percent_gauge = -1;
  float lowest_percent_gauge = 1000;
  float mhz_gauge = -1;
  bool speed_lit = false;
  double dialog_ms = 3000;
  std::function<void()> inside_dialog;

 private:
  void Log(const std::string& what, const std::string& value) {
    log.push_back({clock_.NowMs(), what, value});
  }

  platform::VirtualClock& clock_;
  gui::Application& app_;
};

class TestRunReplay : public testing::Test {
 protected:
  // Starts a run with the given random draws (one per StartTest) and plays it until its
  // dialog has closed, then afterMs more for the label to blink.
  void Play(int32_t mhz, std::vector<int32_t> draws, double afterMs = 2100) {
    measured_mhz_ = mhz;
    draws_.insert(draws_.end(), draws.begin(), draws.end());
    const size_t dialogs = view_.Values("dialog closed").size();
    // A new run even when one was started before, as the test page asks for it.
    run_.TestRunning = false;
    run_.StartTest();
    const double start = NowMs();
    while (view_.Values("dialog closed").size() == dialogs && NowMs() < start + 60000) {
      view_.Pump(1);
    }
    view_.Pump(afterMs);
  }

  // Does action from the message loop at a virtual time from now, as a click would come.
  void At(double fromNowMs, std::function<void()> action) {
    auto timer = std::make_unique<gui::Timer>();
    gui::Timer* raw = timer.get();
    raw->SetEnabled(false);
    raw->SetInterval(static_cast<uint32_t>(fromNowMs));
    raw->SetOnTimer([raw, action = std::move(action)](gui::Timer&) {
      raw->SetEnabled(false);
      action();
    });
    raw->SetEnabled(true);
    actions_.push_back(std::move(timer));
  }

  double NowMs() const { return backend_.Time().NowMs(); }

  std::vector<std::string> PercentFrom(int from, int to) {
    std::vector<std::string> texts;
    for (int p = from; from <= to ? p <= to : p >= to; p += from <= to ? 1 : -1) {
      texts.push_back(FormatPercent(p));
    }
    return texts;
  }

  // The percent display of a whole undisturbed run whose ramp stops at target.
  std::vector<std::string> ExpectedPercent(int target) {
    std::vector<std::string> texts = {"000"};
    for (const auto& part : {PercentFrom(1, target), PercentFrom(target - 1, target - 19),
                             PercentFrom(target - 19, 100), PercentFrom(99, 1)}) {
      texts.insert(texts.end(), part.begin(), part.end());
    }
    texts.push_back("000");
    return texts;
  }

  platform::HeadlessBackend backend_;
  gui::Application app_{backend_};
  RecordingView view_{backend_, app_};
  std::vector<int32_t> draws_;
  size_t next_draw_ = 0;
  std::vector<std::unique_ptr<gui::Timer>> actions_;
  int32_t measured_mhz_ = 0;
  TestRun run_{view_, measured_mhz_, [this] { return draws_.at(next_draw_++); }};
};

TEST(TestRunRules, RampTargetStaysBetweenTwentyAndEighty) {
  EXPECT_EQ(RampTargetFor(10), 30);
  EXPECT_EQ(RampTargetFor(50), 50);
  EXPECT_EQ(RampTargetFor(90), 70);
  EXPECT_EQ(RampTargetFor(0), 20);
  EXPECT_EQ(RampTargetFor(19), 39);
  EXPECT_EQ(RampTargetFor(20), 20);
  EXPECT_EQ(RampTargetFor(80), 80);
  EXPECT_EQ(RampTargetFor(81), 61);
  EXPECT_EQ(RampTargetFor(99), 79);
}

// Worked from the rule: the percentage times 1.4, truncated toward zero, plus 110; the
// MHz times 0.0431, truncated toward zero, plus 73.
TEST(TestRunRules, GaugePositionsFollowTheScale) {
  struct Worked {
    int32_t value;
    float position;
  };
  // 45, 85 and 90 times 1.4 are whole numbers (63, 119, 126) that a double product
  // misses by a hair (118.99999999999999 for 85): truncated, it would point one short.
  // A restart can leave a negative percentage: -1.4 truncates to -1.
  constexpr Worked kPercent[] = {{0, 110},  {1, 111},  {2, 112},  {5, 117},   {45, 173}, {50, 180},
                                 {85, 229}, {90, 236}, {99, 248}, {100, 250}, {-1, 109}, {-5, 103}};
  for (const auto& [percent, position] : kPercent) {
    EXPECT_EQ(PercentGaugePosition(percent), position) << percent << " %";
  }
  constexpr Worked kMhz[] = {{0, 73},     {23, 73},    {24, 74},     {1000, 116}, {1500, 137},
                             {2992, 201}, {3000, 202}, {10000, 504}, {20000, 935}};
  for (const auto& [mhz, position] : kMhz) {
    EXPECT_EQ(MhzGaugePosition(mhz), position) << mhz << " MHz";
  }
}

TEST(TestRunRules, FreshDrawsCoverTheRange) {
  std::vector<int> seen(100);
  for (int i = 0; i < 5000; ++i) {
    const int32_t r = ClockSeededRandomPercent();
    ASSERT_GE(r, 0);
    ASSERT_LE(r, 99);
    ++seen[static_cast<size_t>(r)];
  }
  EXPECT_EQ(std::count(seen.begin(), seen.end(), 0), 0);
}

TEST_F(TestRunReplay, WholeRunAt2992Mhz) {
  Play(2992, {50});

  EXPECT_EQ(view_.Values("percent"), ExpectedPercent(50));

  std::vector<std::string> mhz = {"0000", "0000"};
  for (int m = 15; m < 2992; m += 15) mhz.push_back(FormatMhz(m));
  mhz.insert(mhz.end(), {"2992", "2992"});
  EXPECT_EQ(view_.Values("mhz"), mhz);
  EXPECT_EQ(mhz.size(), 2u + 199u + 2u);  // 200 Deep Cycle ticks

  EXPECT_EQ(
      view_.Values("stage"),
      (std::vector<std::string>{"ramp idle", "core idle", "deep idle", "cool idle", "ramp reached",
                                "core reached", "deep reached", "cool reached"}));
  EXPECT_EQ(view_.Values("caption"), (std::vector<std::string>{"0000 Mhz", "2992 Mhz"}));
  EXPECT_EQ(view_.Values("dialog"), (std::vector<std::string>{"2992 percent 001"}));
  EXPECT_EQ(view_.Count("medal"), 1);
  EXPECT_EQ(view_.Count("test again"), 1);
  EXPECT_EQ(view_.percent_gauge, 110.0f);
  EXPECT_EQ(view_.mhz_gauge, MhzGaugePosition(2992));
  EXPECT_TRUE(run_.TestRunning);
  EXPECT_TRUE(run_.TestFinished);
}

TEST_F(TestRunReplay, StagesBeginAtTheirNominalTimes) {
  Play(2992, {50});
  // Every high-resolution tick comes a little after its interval: allow 0.5 % late.
  const auto expectNear = [](double actual, double nominal) {
    EXPECT_GE(actual, nominal);
    EXPECT_LE(actual, nominal * 1.005 + 2) << "nominal " << nominal;
  };
  expectNear(view_.TimeOf("stage", "ramp reached"), 1500);
  expectNear(view_.TimeOf("percent", "001"), 1510);
  expectNear(view_.TimeOf("stage", "core reached"), 1500 + 51 * 10);
  expectNear(view_.TimeOf("percent", "049", view_.TimeOf("stage", "core reached")), 2010 + 100);
  expectNear(view_.TimeOf("stage", "deep reached"), 2010 + 20 * 100 + 71 * 10);
  expectNear(view_.TimeOf("stage", "cool reached"), 4720 + 200 * 20);
  expectNear(view_.TimeOf("dialog", "2992 percent 001"), 10720);
  // In order: the cool stage's panel is repainted before the descent starts.
  EXPECT_LT(view_.IndexOf("medal", ""), view_.IndexOf("stage", "cool reached"));
  EXPECT_LT(view_.IndexOf("repaint", "cool"), view_.IndexOf("dialog", "2992 percent 001"));
  EXPECT_LT(view_.IndexOf("test again", ""), view_.IndexOf("dialog", "2992 percent 001"));
}

TEST_F(TestRunReplay, PercentReadsZeroOnlyAfterTheDialogCloses) {
  Play(2992, {50});
  const double closed = view_.TimeOf("dialog closed", "");
  ASSERT_GT(closed, 0);
  EXPECT_EQ(view_.TimeOf("percent", "000", 1), view_.TimeOf("percent", "000", closed));
  EXPECT_EQ(view_.Values("percent").back(), "000");
}

TEST_F(TestRunReplay, SpeedLabelBlinksAfterTheDialog) {
  Play(2992, {50}, 2100);
  const double closed = view_.TimeOf("dialog closed", "");
  std::vector<std::string> states;
  std::vector<double> times;
  for (const Change& change : view_.log) {
    if (change.what == "speed" && change.ms > closed) {
      states.push_back(change.value);
      times.push_back(change.ms - closed);
    }
  }
  EXPECT_EQ(states, (std::vector<std::string>{"dark", "lit", "dark", "lit"}));
  ASSERT_EQ(times.size(), 4u);
  for (size_t i = 0; i < times.size(); ++i) EXPECT_NEAR(times[i], 500.0 * (i + 1), 2.0);
  EXPECT_EQ(view_.Count("speed"), 1 + 4);  // lit at the start, then the blinking
}

TEST_F(TestRunReplay, SeveralRampTargets) {
  for (const auto& [draw, target] : {std::pair{10, 30}, {90, 70}, {0, 20}, {80, 80}}) {
    SCOPED_TRACE(target);
    view_.log.clear();
    Play(1000, {draw}, 0);
    EXPECT_EQ(run_.RampTarget, target);
    EXPECT_EQ(view_.Values("percent"), ExpectedPercent(target));
    const double start = view_.log.front().ms;
    EXPECT_NEAR(view_.TimeOf("stage", "core reached") - start, 1500 + (target + 1) * 10, 5);
  }
}

TEST_F(TestRunReplay, ZeroMhzFinishesOnTheFirstDeepCycleTick) {
  Play(0, {50});
  EXPECT_EQ(view_.Values("mhz"), (std::vector<std::string>{"0000", "0000", "0000", "0000"}));
  EXPECT_EQ(view_.Values("caption"), (std::vector<std::string>{"0000 Mhz", "0000 Mhz"}));
  EXPECT_EQ(view_.Values("dialog"), (std::vector<std::string>{"0000 percent 001"}));
  EXPECT_NEAR(view_.TimeOf("stage", "cool reached") - view_.TimeOf("stage", "deep reached"), 20, 1);
}

TEST_F(TestRunReplay, StartDoesNothingWhileARunExists) {
  Play(2992, {50});
  const size_t changes = view_.log.size();
  run_.StartTest();
  EXPECT_EQ(view_.log.size(), changes);
}

TEST_F(TestRunReplay, SecondRunReusesTheDialogAndStopsTheBlinking) {
  Play(2992, {50});
  const double restart = NowMs();
  Play(2992, {10}, 0);
  EXPECT_EQ(view_.Values("dialog"),
            (std::vector<std::string>{"2992 percent 001", "2992 percent 001"}));
  // The label shows the last result until the new run resets it, then no blinking until
  // the second dialog has closed.
  EXPECT_EQ(view_.TimeOf("caption", "2992 Mhz", restart),
            view_.TimeOf("caption", "2992 Mhz", restart + 1));
  const double secondClosed = view_.TimeOf("dialog closed", "", restart);
  for (const Change& change : view_.log) {
    if (change.what == "speed" && change.ms > restart + 1 && change.ms < secondClosed) {
      ADD_FAILURE() << "blinked at " << change.ms;
    }
  }
}

// A restart during the Core descent: the descent goes on with the reset counters (the
// counter goes below 0, the instruments stay at 0), the new ramp climbs inside it when
// the cycle timer fires, and the run still ends once.
TEST_F(TestRunReplay, RestartDuringCore) {
  size_t before = 0;
  int32_t lowestCounter = 0;
  for (double ms = 3100; ms < 4500; ms += 100) {
    At(ms, [&] { lowestCounter = std::min(lowestCounter, run_.PercentValue); });
  }
  At(3000, [&] {
    ASSERT_NE(view_.TimeOf("stage", "core reached"), -1);
    ASSERT_EQ(view_.TimeOf("stage", "deep reached"), -1);
    before = view_.log.size();
    // Stages still running take up the reset counters.
    run_.TestRunning = false;
    run_.StartTest();
    EXPECT_EQ(run_.PercentValue, 0);
    EXPECT_EQ(run_.DescentLeft, 20);
    EXPECT_EQ(run_.RampTarget, 30);
  });
  Play(2992, {50, 10});
  ASSERT_GT(before, 0u);

  std::vector<std::string> after;
  for (size_t i = before; i < view_.log.size(); ++i) {
    if (view_.log[i].what == "percent") after.push_back(view_.log[i].value);
  }
  ASSERT_GE(after.size(), 3u);
  EXPECT_EQ(after[0], "000");
  EXPECT_LT(lowestCounter, -10);  // the running descent takes up the reset counter
  for (const std::string& text : after) EXPECT_EQ(text.find('-'), std::string::npos) << text;
  EXPECT_EQ(after[1], "000");
  EXPECT_EQ(view_.lowest_percent_gauge, 110.0f);  // the needle stays on the 0 mark
  EXPECT_EQ(view_.Values("dialog"), (std::vector<std::string>{"2992 percent 001"}));
  EXPECT_EQ(view_.Values("caption").back(), "2992 Mhz");
  EXPECT_EQ(after.back(), "000");
  EXPECT_EQ(run_.DescentLeft, 0);
  EXPECT_FALSE(run_.upTimer.Enabled());
  EXPECT_FALSE(run_.downTimer.Enabled());
  EXPECT_FALSE(run_.upTimerMhz.Enabled());
}

}  // namespace
}  // namespace speedtest
