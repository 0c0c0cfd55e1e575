#include "widgets/Label.h"

#include <algorithm>

namespace widgets {

namespace {

// Measuring needs a canvas for its font, not pixels.
gui::Canvas MeasuringCanvas(const gui::Font& font) {
  static gui::Bitmap none;
  gui::Canvas canvas(none);
  canvas.font = font;
  return canvas;
}

}  // namespace

Label::Label(gui::Control* parent, std::string caption)
    : gui::Control(parent), caption_(std::move(caption)) {
  font_.name = "Tahoma";
  font_.size = 11;
  Fit();
}

void Label::SetCaption(std::string caption) {
  if (caption == caption_) return;
  caption_ = std::move(caption);
  Fit();
  Invalidate();
}

void Label::SetFont(const gui::Font& font) {
  if (font == font_) return;
  font_ = font;
  Fit();
  Invalidate();
}

void Label::SetFontColor(gui::Color color) {
  if (color == font_.color) return;
  font_.color = color;
  Invalidate();
}

void Label::SetColor(gui::Color color) {
  if (color == color_) return;
  color_ = color;
  if (!transparent_) Invalidate();
}

void Label::SetTransparent(bool transparent) {
  if (transparent == transparent_) return;
  transparent_ = transparent;
  SetOpaque(!transparent);
  Invalidate();
}

void Label::SetWordWrap(bool wordWrap) {
  if (wordWrap == word_wrap_) return;
  word_wrap_ = wordWrap;
  Fit();
  Invalidate();
}

void Label::SetAutoSize(bool autoSize) {
  if (autoSize == auto_size_) return;
  auto_size_ = autoSize;
  Fit();
}

void Label::SetAlignment(gui::TextAlign alignment) {
  if (alignment == alignment_) return;
  alignment_ = alignment;
  Invalidate();
}

void Label::SetLink(bool link) {
  link_ = link;
  SetCursor(link ? gui::Cursor::Hand : gui::Cursor::Arrow);
}

int Label::TextWidth() const {
  return MeasuringCanvas(font_).TextWidth(caption_);
}

int Label::TextHeight(int width) const {
  gui::Canvas canvas = MeasuringCanvas(font_);
  const int line = canvas.TextHeight();
  if (!word_wrap_) return line;
  const int used = canvas.DrawWrappedText({0, 0, std::max(width, 1), 1 << 20}, caption_,
                                          gui::TextAlign::Left, false);
  return std::max(used, line);  // an empty label keeps one line's height
}

void Label::Fit(bool keepAlignedEdge) {
  if (!auto_size_ || fitting_) return;
  fitting_ = true;
  if (word_wrap_) {
    SetHeight(TextHeight(Width()));
  } else {
    // A centred or right-aligned label grows about its centre or its right edge.
    const int width = TextWidth();
    int left = Left();
    if (keepAlignedEdge && alignment_ == gui::TextAlign::Right) left += Width() - width;
    if (keepAlignedEdge && alignment_ == gui::TextAlign::Center) left += (Width() - width) / 2;
    SetBounds(left, Top(), width, TextHeight(width));
  }
  fitting_ = false;
}

// An auto-sized label keeps fitting its text whatever size it is given; a wrapped one
// takes the new width and fits its height.
void Label::BoundsChanged(const gui::Rect&) {
  Fit(false);
}

void Label::Paint(gui::Canvas& canvas) {
  if (!transparent_) canvas.FillRect(ClientRect(), color_);
  canvas.font = font_;
  canvas.ClipTo(ClientRect());
  if (word_wrap_) {
    canvas.DrawWrappedText(ClientRect(), caption_, alignment_);
    return;
  }
  const int width = canvas.TextWidth(caption_);
  int x = 0;
  if (alignment_ == gui::TextAlign::Center) x = (Width() - width) / 2;
  if (alignment_ == gui::TextAlign::Right) x = Width() - width;
  canvas.TextOut({x, 0}, caption_);
}

}  // namespace widgets
