// Shared pieces of the toolkit tests: an application on the headless backend, and a
// control that fills itself with one colour and counts its paints.
#pragma once

#include <string>
#include <vector>

#include "gui/Application.h"
#include "gui/Canvas.h"
#include "gui/Control.h"
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

// A headless application with one shown window at a known place.
struct HeadlessApp {
  platform::HeadlessBackend backend;
  Application app{backend};
  Window window;

  HeadlessApp() {
    window.SetBounds(100, 50, 200, 150);
    window.SetBackgroundColor(0x00000000);
    window.Show();
  }
  platform::HeadlessWindow& Native() {
    return static_cast<platform::HeadlessWindow&>(window.Native());
  }
  // A point of the window's client area on the screen.
  void MoveTo(int x, int y) { backend.MoveMouse(window.Left() + x, window.Top() + y); }
  void ClickAt(int x, int y) { backend.Click(window.Left() + x, window.Top() + y); }
  void Pump() { app.ProcessMessages(); }
};

}  // namespace gui::testing
