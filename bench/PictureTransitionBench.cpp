// The cost of one fade frame for the page area (650 x 220): the blend alone, a frame
// composed as every step does (the starting image copied, then blended), and a step as
// the GUI thread shows it (composed, painted into the window's bitmap and presented).
#include <benchmark/benchmark.h>

#include "NoiseBitmap.h"
#include "controls/PictureTransition.h"
#include "controls/TransitionStyles.h"
#include "gui/Application.h"
#include "gui/Window.h"
#include "platform/headless/HeadlessBackend.h"

namespace {

constexpr int kWidth = 650;
constexpr int kHeight = 220;

using bench::Noise;

gui::Picture NoisePicture(uint32_t seed) {
  gui::Bitmap bitmap = Noise(kWidth, kHeight, seed);
  bitmap.SetFormat(gui::Bitmap::Format::Bgr24);  // opaque, as the decoded artwork is
  gui::Picture picture;
  picture.Assign(std::move(bitmap));
  return picture;
}

void FadeBlend(benchmark::State& state) {
  gui::Bitmap screen = Noise(kWidth, kHeight, 1);
  const gui::Bitmap image = Noise(kWidth, kHeight, 2);
  for (auto _ : state) {
    controls::Fade(screen, image, kWidth, kHeight, 0, 0, 48);
    benchmark::DoNotOptimize(screen.Data());
  }
  state.SetItemsProcessed(state.iterations() * kWidth * kHeight);
}
BENCHMARK(FadeBlend)->Unit(benchmark::kMicrosecond);

// Manual mode composes the frame in the calling thread, exactly as a timer step does.
void FadeFrameComposed(benchmark::State& state) {
  controls::TPictureTransition trans;
  trans.SetBounds(0, 0, kWidth, kHeight);
  trans.SetStyle(controls::kFadeStyle);
  trans.SetBgPicture(NoisePicture(1));
  trans.SetPicture(NoisePicture(2));
  trans.SetManual(true);
  trans.Execute();
  uint8_t progress = 8;
  for (auto _ : state) {
    trans.SetProgress(progress);
    progress = progress == 96 ? 8 : uint8_t(progress + 8);
  }
  trans.Stop();
}
BENCHMARK(FadeFrameComposed)->Unit(benchmark::kMicrosecond);

void FadeFramePresented(benchmark::State& state) {
  platform::HeadlessBackend backend;
  gui::Application app(backend);
  gui::Window window;
  window.SetBounds(0, 0, 670, 611);
  window.Show();
  controls::TPictureTransition trans(&window);
  trans.SetBounds(13, 367, kWidth, kHeight);
  trans.SetStyle(controls::kFadeStyle);
  trans.SetBgPicture(NoisePicture(1));
  trans.SetPicture(NoisePicture(2));
  trans.SetManual(true);
  trans.Execute();
  app.ProcessMessages();
  uint8_t progress = 8;
  for (auto _ : state) {
    trans.SetProgress(progress);
    progress = progress == 96 ? 8 : uint8_t(progress + 8);
  }
  trans.Stop();
}
BENCHMARK(FadeFramePresented)->Unit(benchmark::kMicrosecond);

}  // namespace
