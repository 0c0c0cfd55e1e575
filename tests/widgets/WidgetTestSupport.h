// A headless application with one black window for the widget tests, and a few helpers
// for reading what the window presented.
#pragma once

#include "gui/Application.h"
#include "gui/Window.h"
#include "platform/headless/HeadlessBackend.h"

namespace widgets::testing {

struct WidgetApp {
  platform::HeadlessBackend backend;
  gui::Application app{backend};
  gui::Window window;

  explicit WidgetApp(int width = 400, int height = 300) {
    window.SetBounds(100, 50, width, height);
    window.SetBackgroundColor(0x00000000);
    window.Show();
  }
  platform::HeadlessWindow& Native() {
    return static_cast<platform::HeadlessWindow&>(window.Native());
  }
  void Pump() { app.ProcessMessages(); }
  // Window client coordinates on the screen.
  void MoveTo(int x, int y) {
    backend.MoveMouse(window.Left() + x, window.Top() + y);
    Pump();
  }
  void Press() {
    backend.PressMouse();
    Pump();
  }
  void Release() {
    backend.ReleaseMouse();
    Pump();
  }
  void ClickAt(int x, int y) {
    backend.Click(window.Left() + x, window.Top() + y);
    Pump();
  }
  // A presented pixel, painted first.
  gui::Color Pixel(int x, int y) {
    Pump();
    return Native().Pixel(x, y);
  }
  platform::Cursor CurrentCursor() { return Native().CurrentCursor(); }
};

inline int RedOf(gui::Color c) {
  return int(c & 0xFF);
}
inline int GreenOf(gui::Color c) {
  return int((c >> 8) & 0xFF);
}
inline int BlueOf(gui::Color c) {
  return int((c >> 16) & 0xFF);
}

}  // namespace widgets::testing
