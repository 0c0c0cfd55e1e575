// A ruling line: a thin rectangle of one colour (1 x n or n x 1 pixels as placed).
#pragma once

#include "gui/Color.h"
#include "gui/Control.h"

namespace widgets {

class Rule : public gui::Control {
 public:
  Rule(gui::Control* parent, const gui::Rect& bounds, gui::Color color);

  gui::Color Color() const { return color_; }
  void SetColor(gui::Color color);

 protected:
  void Paint(gui::Canvas& canvas) override;

 private:
  gui::Color color_;
};

}  // namespace widgets
