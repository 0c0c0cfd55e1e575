// Prints how long one fade frame takes to reach the screen through GDI: the page area
// (650 x 220 at 13, 367) of a shown 670 x 611 window, presented as one dirty rectangle,
// as the picture transition's frames are. Run under a desktop (wine, Xvfb in CI).
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <vector>

#include "platform/win32/Win32Backend.h"

int main() {
  platform::Win32Backend backend;
  platform::WindowOptions options;
  options.title = "present figure";
  options.x = 100;
  options.y = 100;
  options.width = 670;
  options.height = 611;
  auto window = backend.OpenWindow(options);
  window->Show();
  std::vector<uint8_t> pixels(670 * 611 * 4);
  const platform::FrameView frame{pixels.data(), 670, 611, 670 * 4};
  window->Present(frame, {});
  platform::Event event;
  for (int i = 0; i < 50; ++i) {
    while (backend.PollEvent(event)) {
    }
    ::Sleep(5);
  }
  constexpr int kFrames = 200;
  const platform::Rect area[] = {{13, 367, 663, 587}};
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < kFrames; ++i) {
    for (size_t p = 0; p < pixels.size(); p += 4) pixels[p + 1] = uint8_t(i);  // a new frame
    window->Present(frame, area);
    ::GdiFlush();
  }
  const double ms =
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  std::printf("one fade frame (650 x 220) presented through GDI: %.2f ms\n", ms / kFrames);
  return 0;
}
