// A line or block of text: font and colour, a transparent or filled background, word
// wrap, alignment and auto-size. A link label shows the hand cursor and is clicked
// through OnClick.
#pragma once

#include <string>

#include "gui/Canvas.h"
#include "gui/Control.h"
#include "gui/Palette.h"

namespace widgets {

class Label : public gui::Control {
 public:
  explicit Label(gui::Control* parent = nullptr, std::string caption = {});

  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string caption);
  // The text's face, size, colour, weight and underline.
  const gui::Font& Font() const { return font_; }
  void SetFont(const gui::Font& font);
  void SetFontColor(gui::Color color);

  // The background colour, painted unless the label is transparent (the default).
  gui::Color Color() const { return color_; }
  void SetColor(gui::Color color);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool transparent);

  // Wrapped text breaks at spaces inside the label's width.
  bool WordWrap() const { return word_wrap_; }
  void SetWordWrap(bool wordWrap);
  // Auto-size (on by default) fits the label to its text: width and height for a single
  // line, the height only for wrapped text, whose width stays as set.
  bool AutoSize() const { return auto_size_; }
  void SetAutoSize(bool autoSize);
  gui::TextAlign Alignment() const { return alignment_; }
  void SetAlignment(gui::TextAlign alignment);

  // A link: the hand cursor while the pointer is over the label.
  bool Link() const { return link_; }
  void SetLink(bool link);

  // The size the text needs: one line's width, or the wrapped height for a width.
  int TextWidth() const;
  int TextHeight(int width) const;

 protected:
  void Paint(gui::Canvas& canvas) override;
  void BoundsChanged(const gui::Rect& oldBounds) override;

 private:
  // Fits the text; a text change keeps a centred label's centre and a right-aligned
  // label's right edge where they were.
  void Fit(bool keepAlignedEdge = true);

  std::string caption_;
  gui::Font font_;
  gui::Color color_ = gui::palette::kBlack;
  bool transparent_ = true;
  bool word_wrap_ = false;
  bool auto_size_ = true;
  bool link_ = false;
  bool fitting_ = false;
  gui::TextAlign alignment_ = gui::TextAlign::Left;
};

}  // namespace widgets
