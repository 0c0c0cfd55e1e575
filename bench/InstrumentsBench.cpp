// The instruments' redraw costs: composing the MHz gauge (188 x 178 at factor 2, with
// its dial face) and one paint of each segment display of the program.
#include <benchmark/benchmark.h>

#include <string>

#include "assets/Assets.h"
#include "controls/AnalogGauge.h"
#include "controls/SegmentDisplay.h"
#include "gui/Application.h"
#include "gui/Bitmap.h"
#include "gui/Canvas.h"
#include "gui/Picture.h"
#include "platform/headless/HeadlessBackend.h"

namespace {

using controls::TAnalogGauge;
using controls::TSegmentAnimation;
using controls::TSegmentDisplay;

void SetUpMhzGauge(TAnalogGauge& gauge) {
  gauge.SetBounds(0, 0, 188, 178);
  gauge.SetAngle(360);
  gauge.SetScale(360);
  gauge.SetCenterRadius(4);
  gauge.SetArrowColor(0x000000FF);
  gauge.SetAntiAliased(controls::TAntialiased::aaBiline);
  gauge.SetIndMaximum(44);
  gauge.SetIndMinimum(1);
  gauge.SetArrowWidth(5);
  gui::Picture face;
  const assets::Asset dial = assets::DialMhz();
  face.LoadFromMemory({dial.data, dial.size});
  gauge.SetPicture(face);
}

void ComposeGauge(benchmark::State& state) {
  platform::HeadlessBackend backend;
  gui::Application app(backend);
  TAnalogGauge gauge;
  SetUpMhzGauge(gauge);
  float position = 73.0f;
  for (auto _ : state) {
    // A new position each time, as the test run's 20 ms ticks give.
    position = position >= 300.0f ? 73.0f : position + 1.0f;
    gauge.SetPosition(position);
    benchmark::DoNotOptimize(gauge.Shown().Data());
  }
}
BENCHMARK(ComposeGauge)->Unit(benchmark::kMicrosecond);

class PaintableDisplay : public TSegmentDisplay {
 public:
  void PaintOn(gui::Canvas& canvas) { Paint(canvas); }
};

// One paint of a display whose value has just changed, as ShowMhz leaves it.
void PaintDisplay(benchmark::State& state, int width, int height, int digits, int segmentSize) {
  platform::HeadlessBackend backend;
  gui::Application app(backend);
  PaintableDisplay led;
  led.SetBounds(0, 0, width, height);
  led.SetDigitNum(digits);
  led.SetDigitSpacing(3);
  led.SetDotSpacing(4);
  led.SetGapX(1);
  led.SetGapY(1);
  led.SetSegmentSize(segmentSize);
  led.SetAnimation(TSegmentAnimation::anRandom);
  led.SetAnimationDelay(5);
  led.SetOnColor(0x000000FF);
  gui::Bitmap screen(width, height, gui::Bitmap::Format::Bgra32);
  gui::Canvas canvas(screen);
  int mhz = 0;
  for (auto _ : state) {
    mhz = (mhz + 15) % 10000;
    led.SetValue(std::to_string(10000 + mhz).substr(1));
    led.PaintOn(canvas);
    benchmark::DoNotOptimize(screen.Data());
  }
}

void SegmentDisplay(benchmark::State& state) {
  PaintDisplay(state, 53, 14, 4, 1);
}
BENCHMARK(SegmentDisplay)->Unit(benchmark::kMicrosecond);

void SegmentDisplayResultDialog(benchmark::State& state) {
  PaintDisplay(state, 96, 29, 4, 3);
}
BENCHMARK(SegmentDisplayResultDialog)->Unit(benchmark::kMicrosecond);

}  // namespace
