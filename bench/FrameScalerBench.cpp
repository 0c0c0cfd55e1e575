// The enlargement of a whole main-window frame (670 x 611) for a dense screen, the work
// each full present adds at 2x (pixels repeated) and 1.5x (area filter), and of a gauge's
// area, what each animation step adds.
#include <benchmark/benchmark.h>

#include "gui/Bitmap.h"
#include "gui/FrameScaler.h"

namespace {

gui::Bitmap Frame() {
  gui::Bitmap frame(670, 611);
  for (int y = 0; y < frame.Height(); ++y) {
    for (int x = 0; x < frame.Width(); ++x) frame.SetPixel(x, y, gui::Color(x * 2654435761u ^ y));
  }
  return frame;
}

void BM_ScaleWholeFrame(benchmark::State& state) {
  const gui::Bitmap frame = Frame();
  gui::FrameScaler scaler;
  gui::Bitmap target;
  for (auto _ : state) {
    scaler.Scale(frame, int(state.range(0)), target);
    benchmark::DoNotOptimize(target.Data());
  }
}
BENCHMARK(BM_ScaleWholeFrame)->Arg(200)->Arg(150)->Unit(benchmark::kMillisecond);

void BM_ScaleGaugeArea(benchmark::State& state) {
  const gui::Bitmap frame = Frame();
  gui::FrameScaler scaler;
  gui::Bitmap target;
  scaler.Scale(frame, int(state.range(0)), target);
  const gui::Rect gauge = gui::ScaledRect(gui::Rect::XYWH(408, 77, 188, 178), int(state.range(0)));
  for (auto _ : state) {
    scaler.Scale(frame, int(state.range(0)), target, gauge);
    benchmark::DoNotOptimize(target.Data());
  }
}
BENCHMARK(BM_ScaleGaugeArea)->Arg(200)->Arg(150)->Unit(benchmark::kMicrosecond);

}  // namespace
