// Shared pieces of the toolkit and widget tests: an application on the headless backend,
// and a control that fills itself with one colour and counts its paints.
#pragma once

#include <string>
#include <vector>

#include "gui/Application.h"
#include "gui/Canvas.h"
#include "gui/Control.h"
#include "gui/Palette.h"
#include "gui/Window.h"
#include "platform/headless/HeadlessBackend.h"

namespace gui::testing {

class ColorBox : public Control {
 public:
  ColorBox(Control* parent, Rect bounds, Color color) : Control(parent), color_(color) {
    SetBounds(bounds);
  }
  void SetColor(Color color) {
    color_ = color;
    Invalidate();
  }
  int paints = 0;
  // The clip of the last paint, in client coordinates.
  Rect lastClip;

 protected:
  void Paint(Canvas& canvas) override {
    ++paints;
    lastClip = canvas.ClipRect();
    canvas.FillRect(ClientRect(), color_);
  }

 private:
  Color color_;
};

// A headless application with one shown black window at (100, 50). The input helpers
// take the window's client coordinates and dispatch what they send before returning.
struct HeadlessApp {
  platform::HeadlessBackend backend;
  Application app{backend};
  Window window;

  explicit HeadlessApp(int width = 400, int height = 300) {
    window.SetBounds(100, 50, width, height);
    window.SetBackgroundColor(palette::kBlack);
    window.Show();
  }
  platform::HeadlessWindow& Native() {
    return static_cast<platform::HeadlessWindow&>(window.Native());
  }
  void Pump() { app.ProcessMessages(); }
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
  Color Pixel(int x, int y) {
    Pump();
    return Native().Pixel(x, y);
  }
  platform::Cursor CurrentCursor() { return Native().CurrentCursor(); }
};

}  // namespace gui::testing
