#include "widgets/Panel.h"

#include <algorithm>

namespace widgets {

Panel::Panel(gui::Control* parent) : gui::Control(parent) {
  SetOpaque(true);
  font_.name = "Tahoma";
  font_.size = 11;
}

void Panel::SetColor(gui::Color color) {
  if (color == color_) return;
  color_ = color;
  Invalidate();
}

void Panel::SetTransparent(bool transparent) {
  if (transparent == transparent_) return;
  transparent_ = transparent;
  SetOpaque(!transparent);
  Invalidate();
}

void Panel::SetBorder(int width, gui::Color color) {
  width = std::max(width, 0);
  if (width == border_width_ && color == border_color_) return;
  border_width_ = width;
  border_color_ = color;
  Invalidate();
}

void Panel::SetRule(Edge edge, int width, gui::Color color) {
  RuleStyle& rule = rules_[size_t(edge)];
  width = std::max(width, 0);
  if (rule.width == width && rule.color == color) return;
  rule = {width, color};
  Invalidate();
}

void Panel::SetCaption(std::string caption) {
  if (caption == caption_) return;
  caption_ = std::move(caption);
  Invalidate();
}

void Panel::SetFont(const gui::Font& font) {
  if (font == font_) return;
  font_ = font;
  Invalidate();
}

gui::Rect Panel::InnerRect() const {
  auto inset = [this](Edge edge) { return std::max(border_width_, RuleWidth(edge)); };
  return {inset(Edge::Left), inset(Edge::Top), Width() - inset(Edge::Right),
          Height() - inset(Edge::Bottom)};
}

void Panel::Paint(gui::Canvas& canvas) {
  const int w = Width();
  const int h = Height();
  if (!transparent_) canvas.FillRect(ClientRect(), color_);
  if (border_width_ > 0) canvas.FrameRect(ClientRect(), border_color_, border_width_);

  const int top = RuleWidth(Edge::Top);
  const int bottom = RuleWidth(Edge::Bottom);
  auto rule = [&](Edge edge, const gui::Rect& r) {
    if (RuleWidth(edge) > 0) canvas.FillRect(r, RuleColor(edge));
  };
  rule(Edge::Left, {0, top, RuleWidth(Edge::Left), h - bottom});
  rule(Edge::Right, {w - RuleWidth(Edge::Right), top, w, h - bottom});
  rule(Edge::Bottom, {0, h - bottom, w, h});
  rule(Edge::Top, {0, 0, w, top});

  if (caption_.empty()) return;
  canvas.font = font_;
  const gui::Rect inner = InnerRect();
  canvas.ClipTo(inner);
  const int x = inner.left + (inner.Width() - canvas.TextWidth(caption_)) / 2;
  const int y = inner.top + (inner.Height() - canvas.TextHeight()) / 2;
  canvas.TextOut({x, y}, caption_);
}

}  // namespace widgets
