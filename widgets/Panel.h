// A filled rectangle that holds other controls: a colour, an optional frame of any width,
// rules along chosen edges (each with its own width and colour), and an optional caption
// centred in it.
#pragma once

#include <array>
#include <string>

#include "gui/Canvas.h"
#include "gui/Control.h"
#include "gui/Palette.h"

namespace widgets {

enum class Edge { Top, Left, Right, Bottom };

class Panel : public gui::Control {
 public:
  explicit Panel(gui::Control* parent = nullptr);

  gui::Color Color() const { return color_; }
  void SetColor(gui::Color color);
  // A transparent panel paints no background, only its frame, rules and caption.
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool transparent);

  // A frame inside the bounds; width 0 (the default) draws none.
  int BorderWidth() const { return border_width_; }
  gui::Color BorderColor() const { return border_color_; }
  void SetBorder(int width, gui::Color color);

  // A rule along one edge, drawn over the frame. The top and bottom rules run the full
  // width; the side rules run between them, so the top rule owns the corners.
  void SetRule(Edge edge, int width, gui::Color color);
  int RuleWidth(Edge edge) const { return rules_[size_t(edge)].width; }
  gui::Color RuleColor(Edge edge) const { return rules_[size_t(edge)].color; }

  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string caption);
  const gui::Font& Font() const { return font_; }
  void SetFont(const gui::Font& font);

  // The area inside the frame and the rules.
  gui::Rect InnerRect() const;

 protected:
  void Paint(gui::Canvas& canvas) override;

 private:
  struct RuleStyle {
    int width = 0;
    gui::Color color = 0;
  };

  gui::Color color_ = gui::palette::kBlack;
  bool transparent_ = false;
  int border_width_ = 0;
  gui::Color border_color_ = gui::palette::kBlack;
  std::array<RuleStyle, 4> rules_{};
  std::string caption_;
  gui::Font font_;
};

}  // namespace widgets
