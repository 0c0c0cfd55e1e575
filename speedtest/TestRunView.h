// What a test run drives on the screen. The main window implements it over its real
// controls and picks their colours; tests implement it to record every change.
#pragma once

#include <cstdint>
#include <string>

namespace speedtest {

// The four stage panels of the test page, in the order the run reaches them.
enum class Stage : uint8_t { kRamp, kCore, kDeep, kCool };  // pnlRamp .. pnlCool

class TestRunView {
 public:
  virtual ~TestRunView() = default;

  // gaugePercent and ledPercent, gaugeMhz1 and ledMhz.
  virtual void SetPercentGauge(float position) = 0;
  virtual void SetPercentDisplay(const std::string& text) = 0;
  virtual void SetMhzGauge(float position) = 0;
  virtual void SetMhzDisplay(const std::string& text) = 0;

  // Whether the run has reached a stage (its panel lights up); RepaintStage draws the
  // panel at once instead of at the next paint.
  virtual void SetStageReached(Stage stage, bool reached) = 0;
  virtual void RepaintStage(Stage stage) = 0;

  // lblCPUSpeedMain: caption, lit or dark (it blinks once the run is over), immediate
  // repaint.
  virtual void SetSpeedCaption(const std::string& caption) = 0;
  virtual bool SpeedLit() const = 0;
  virtual void SetSpeedLit(bool lit) = 0;
  virtual void RepaintSpeedLabel() = 0;

  // Starts transMedal's transition; it runs on by itself.
  virtual void StartMedalTransition() = 0;
  // Makes lblTestAgain visible.
  virtual void ShowTestAgain() = 0;
  // Creates the result dialog the first time, sets its display to mhzText and shows it
  // modally: returns when the user has closed it.
  virtual void ShowResultDialog(const std::string& mhzText) = 0;
  // Dispatches the pending window messages once.
  virtual void ProcessMessages() = 0;
};

}  // namespace speedtest
