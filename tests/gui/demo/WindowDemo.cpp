// A manual look at a real window, not a test: a borderless 670 x 611 window centred on
// the screen with a caption bar to drag it by, a close box, a band that lights up under
// the pointer, a blinking label driven by a standard timer, a progress bar fed by a
// worker thread's posted messages, and a high-resolution timer sweep started by a click.
//
//   window_demo [--seconds S] [--frames N]
//
// --seconds closes the window after S seconds; --frames repaints and presents a
// 650 x 220 area N times and prints the average cost; both print the resident memory.
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <thread>

#include "controls/HighResTimer.h"
#include "gui/Application.h"
#include "gui/Bitmap.h"
#include "gui/Canvas.h"
#include "gui/Timer.h"
#include "gui/Window.h"
#include "platform/sdl/SdlBackend.h"

namespace {

class Box : public gui::Control {
 public:
  Box(gui::Control* parent, gui::Rect bounds, gui::Color color, std::string text = {})
      : gui::Control(parent), color_(color), text_(std::move(text)) {
    SetBounds(bounds);
    SetOpaque(true);
  }
  void SetColor(gui::Color color) {
    if (color == color_) return;
    color_ = color;
    Invalidate();
  }
  gui::Color GetColor() const { return color_; }
  void SetFill(int percent) {
    fill_ = percent;
    Invalidate();
  }
  gui::Font font;

 protected:
  void Paint(gui::Canvas& canvas) override {
    canvas.FillRect(ClientRect(), color_);
    if (fill_ > 0) {
      canvas.FillRect(gui::Rect::XYWH(0, 0, Width() * fill_ / 100, Height()), 0x0000C000);
    }
    if (!text_.empty()) {
      canvas.font = font;
      canvas.TextOut({4, (Height() - canvas.TextHeight()) / 2}, text_);
    }
  }

 private:
  gui::Color color_;
  std::string text_;
  int fill_ = 0;
};

long ResidentKb() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
  }
  return 0;
}

constexpr uint32_t kProgress = gui::kUserMessage + 2;

class DemoWindow : public gui::Window {
 public:
  DemoWindow() {
    SetBounds(0, 0, 670, 611);
    SetBackgroundColor(0x00000000);
    SetCaption("Tachora");
    Center();
    caption_.SetDragHandle(true);
    caption_.SetCursor(gui::Cursor::Hand);
    caption_.font = {"Tahoma", 13, 0x00FFFFFF, true};
    close_.SetCursor(gui::Cursor::Hand);
    close_.font = {"Arial", 12, 0x00FFFFFF, true};
    close_.OnClick = [this](gui::Control&) { Close(); };
    hover_.font = {"Arial", 14, 0x00C0C0C0};
    hover_.OnMouseEnter = [this](gui::Control&) { hover_.SetColor(0x000000C0); };
    hover_.OnMouseLeave = [this](gui::Control&) { hover_.SetColor(0x00302D28); };
    hover_.SetCursor(gui::Cursor::Hand);
    hover_.OnClick = [this](gui::Control&) { Sweep(); };
    blink_label_.font = {"Arial", 20, 0x000000FF, true};
    blink_.SetInterval(500);
    blink_.SetOnTimer([this](gui::Timer&) {
      blink_label_.font.color = blink_label_.font.color == 0x000000FF ? 0x00000000 : 0x000000FF;
      blink_label_.Repaint();
    });
    sweep_.SetEnabled(false);
    sweep_.SetInterval(10);
  }

  void Sweep() {
    step_ = 0;
    sweep_.SetOnTimer([this](controls::THighResTimer& t) {
      page_.SetFill(++step_);
      if (step_ >= 100) t.SetEnabled(false);
    });
    sweep_.SetEnabled(true);  // runs its loop here, about a second
  }

  Box& Page() { return page_; }

 protected:
  void HandleMessage(const gui::Message& m) override {
    if (m.msg == kProgress) progress_.SetFill(int(m.wParam));
  }

 private:
  Box caption_{this, gui::Rect::XYWH(0, 0, 650, 21), 0x004D4C49, "  Tachora"};
  Box close_{this, gui::Rect::XYWH(650, 0, 20, 21), 0x00000080, " X"};
  Box top_{this, gui::Rect::XYWH(0, 21, 670, 312), 0x00302D28};
  Box hover_{&top_, gui::Rect::XYWH(6, 10, 186, 35), 0x00302D28, "Test CPU Speed"};
  Box blink_label_{&top_, gui::Rect::XYWH(220, 120, 300, 40), 0x00000000, "2992 Mhz"};
  Box heading_{this, gui::Rect::XYWH(0, 333, 670, 20), 0x004D4C49};
  Box page_{this, gui::Rect::XYWH(10, 363, 650, 220), 0x00FBE9AA};
  Box progress_{this, gui::Rect::XYWH(0, 590, 670, 21), 0x004D4C49};
  gui::Timer blink_;
  controls::THighResTimer sweep_;
  int step_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
  double seconds = 0;
  int frames = 0;
  for (int i = 1; i + 1 < argc; i += 2) {
    if (std::strcmp(argv[i], "--seconds") == 0) seconds = std::stod(argv[i + 1]);
    if (std::strcmp(argv[i], "--frames") == 0) frames = std::stoi(argv[i + 1]);
  }
  platform::SdlBackend backend;
  gui::Application app(backend);
  app.SetTitle("Tachora");
  DemoWindow window;
  window.Show();
  app.ProcessMessages();

  if (frames > 0) {
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < frames; ++i) {
      window.Page().SetFill(i % 100);
      window.Page().Repaint();
    }
    const double us =
        std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start)
            .count() /
        frames;
    std::printf("repaint and present of 650 x 220: %.1f us a frame\n", us);
    const gui::Bitmap& surface = window.Surface();
    const platform::FrameView frame{surface.Data(), surface.Width(), surface.Height(),
                                    surface.Stride()};
    const platform::Rect area[] = {{10, 363, 660, 583}};
    const auto presentStart = std::chrono::steady_clock::now();
    for (int i = 0; i < frames; ++i) window.Native().Present(frame, area);
    const double presentUs =
        std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - presentStart)
            .count() /
        frames;
    std::printf("present alone: %.1f us a frame\n", presentUs);
  }

  std::atomic<bool> stop{false};
  std::thread worker([&] {
    for (int percent = 0; !stop; percent = (percent + 2) % 102) {
      app.PostMessage(window, kProgress, uintptr_t(percent));
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
  });
  gui::Timer closer;
  if (seconds > 0) {
    closer.SetInterval(uint32_t(seconds * 1000));
    closer.SetOnTimer([&](gui::Timer&) { window.Close(); });
  }
  app.Run();
  stop = true;
  worker.join();
  std::printf("resident memory: %ld kB\n", ResidentKb());
  return 0;
}
