// The canvas operations the instruments and transitions repeat every frame.
#include <benchmark/benchmark.h>

#include <array>

#include "NoiseBitmap.h"
#include "gui/Canvas.h"

namespace {

constexpr uint32_t kNoiseSeed = 12345;

void StretchPage(benchmark::State& state) {
  const gui::Bitmap source = bench::Noise(600, 200, kNoiseSeed);
  gui::Bitmap target(670, 611);
  gui::Canvas canvas(target);
  for (auto _ : state) {
    canvas.StretchDraw({10, 100, 660, 320}, source);
    benchmark::DoNotOptimize(target.Data());
  }
}
BENCHMARK(StretchPage);

void CopyPage(benchmark::State& state) {
  const gui::Bitmap source = bench::Noise(650, 220, kNoiseSeed);
  gui::Bitmap target(670, 611);
  gui::Canvas canvas(target);
  for (auto _ : state) {
    canvas.Draw({10, 100}, source);
    benchmark::DoNotOptimize(target.Data());
  }
}
BENCHMARK(CopyPage);

void SegmentPolygons(benchmark::State& state) {
  gui::Bitmap target(96, 29);
  gui::Canvas canvas(target);
  canvas.pen = {0x000000FF, 1};
  canvas.brush = {0x000000FF};
  const std::array<gui::Point, 6> segment{{{2, 3}, {3, 2}, {16, 2}, {17, 3}, {16, 5}, {3, 5}}};
  for (auto _ : state) {
    for (int i = 0; i < 28; ++i) canvas.Polygon(segment);  // four digits of seven segments
    benchmark::DoNotOptimize(target.Data());
  }
}
BENCHMARK(SegmentPolygons);

void GaugeNeedle(benchmark::State& state) {
  gui::Bitmap target(400, 356, gui::Bitmap::Format::Bgr24);
  gui::Canvas canvas(target);
  canvas.pen = {0x00000000, 2};
  canvas.brush = {0x00FFFFFF};
  for (auto _ : state) {
    canvas.Line({200, 300}, {60, 120});
    canvas.Ellipse({184, 284, 216, 316});
    benchmark::DoNotOptimize(target.Data());
  }
}
BENCHMARK(GaugeNeedle);

void LabelText(benchmark::State& state) {
  gui::Bitmap target(300, 20);
  gui::Canvas canvas(target);
  canvas.font = {"Tahoma", 11};
  for (auto _ : state) {
    canvas.TextOut({0, 0}, "connecting to server, please wait...");
    benchmark::DoNotOptimize(target.Data());
  }
}
BENCHMARK(LabelText);

}  // namespace
