// The program's styled button. At rest it is black and draws no frame. While the pointer
// is over it or it is held down, its upper half glows: a radial gradient from the glow
// colour at the middle of the button out to black, with the lower half black; its frame
// then shows in the border colour, or in the pressed border colour while it is pressed
// with the pointer on it. The square variant (the close button) glows differently: its
// upper half runs from black at the top to the glow colour, its lower half is the glow
// colour, and it shows its frame only while pressed. A label-only button paints nothing
// but its caption, in every state. The pointer behaviour is ButtonBase's.
#pragma once

#include <string>
#include <vector>

#include "gui/Canvas.h"
#include "gui/Palette.h"
#include "widgets/ButtonBase.h"

namespace widgets {

enum class GlowShape { Rounded, Square };

// A piece of a caption in its own colour ("Tacho" white, "ra" red).
struct TextRun {
  std::string text;
  gui::Color color = gui::palette::kWhite;
};

class GlowButton : public ButtonBase {
 public:
  explicit GlowButton(gui::Control* parent = nullptr, std::string caption = {});

  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string caption);
  // A caption made of coloured pieces; replaces the plain caption (whose colour is the
  // font's).
  void SetCaptionRuns(std::vector<TextRun> runs);
  const gui::Font& Font() const { return font_; }
  void SetFont(const gui::Font& font);
  gui::TextAlign Alignment() const { return alignment_; }
  void SetAlignment(gui::TextAlign alignment);

  gui::Color GlowColor() const { return glow_color_; }
  void SetGlowColor(gui::Color color);
  gui::Color BorderColor() const { return border_color_; }
  void SetBorderColor(gui::Color color);
  gui::Color PressedBorderColor() const { return pressed_border_color_; }
  void SetPressedBorderColor(gui::Color color);
  GlowShape Shape() const { return shape_; }
  void SetShape(GlowShape shape);
  int CornerRadius() const { return corner_radius_; }
  void SetCornerRadius(int radius);
  // Used as a label: transparent, no glow, the arrow cursor.
  bool LabelOnly() const { return label_only_; }
  void SetLabelOnly(bool labelOnly);

 protected:
  void Paint(gui::Canvas& canvas) override;

 private:
  void PaintFace(gui::Canvas& canvas, ButtonState state);
  void PaintCaption(gui::Canvas& canvas, ButtonState state);
  gui::Color FaceColor(int x, int y, ButtonState state) const;

  std::string caption_;
  std::vector<TextRun> runs_;
  gui::Font font_;
  gui::TextAlign alignment_ = gui::TextAlign::Center;
  gui::Color glow_color_;
  gui::Color border_color_;
  gui::Color pressed_border_color_;
  GlowShape shape_ = GlowShape::Rounded;
  int corner_radius_ = 5;
  bool label_only_ = false;
};

}  // namespace widgets
