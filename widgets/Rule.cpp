#include "widgets/Rule.h"

#include "gui/Canvas.h"

namespace widgets {

Rule::Rule(gui::Control* parent, const gui::Rect& bounds, gui::Color color)
    : gui::Control(parent), color_(color) {
  SetOpaque(true);
  SetBounds(bounds);
}

void Rule::SetColor(gui::Color color) {
  if (color == color_) return;
  color_ = color;
  Invalidate();
}

void Rule::Paint(gui::Canvas& canvas) {
  canvas.FillRect(ClientRect(), color_);
}

}  // namespace widgets
