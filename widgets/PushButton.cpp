#include "widgets/PushButton.h"

#include "gui/Palette.h"

namespace widgets {

namespace {

// One ring of a bevel: the top and left edges in one colour, bottom and right in another.
void BevelRing(gui::Canvas& canvas, const gui::Rect& r, gui::Color topLeft,
               gui::Color bottomRight) {
  if (r.Width() <= 0 || r.Height() <= 0) return;
  canvas.FillRect({r.left, r.top, r.right - 1, r.top + 1}, topLeft);
  canvas.FillRect({r.left, r.top, r.left + 1, r.bottom - 1}, topLeft);
  canvas.FillRect({r.left, r.bottom - 1, r.right, r.bottom}, bottomRight);
  canvas.FillRect({r.right - 1, r.top, r.right, r.bottom}, bottomRight);
}

}  // namespace

PushButton::PushButton(gui::Control* parent, std::string caption)
    : ButtonBase(parent), caption_(std::move(caption)), face_(gui::palette::kButtonFace) {
  SetOpaque(true);
  font_.name = "Tahoma";
  font_.size = 11;
  font_.color = gui::palette::kButtonText;
}

void PushButton::SetCaption(std::string caption) {
  if (caption == caption_) return;
  caption_ = std::move(caption);
  Invalidate();
}

void PushButton::SetFont(const gui::Font& font) {
  if (font == font_) return;
  font_ = font;
  Invalidate();
}

void PushButton::SetFaceColor(gui::Color color) {
  if (color == face_) return;
  face_ = color;
  Invalidate();
}

void PushButton::Paint(gui::Canvas& canvas) {
  const gui::Rect r = ClientRect();
  canvas.FillRect(r, face_);
  const bool pressed = Pressed();
  if (pressed) {
    // Sunken: a dark outer ring and a shadow inside it.
    canvas.FrameRect(r, gui::palette::kButtonDarkShadow);
    canvas.FrameRect(r.Inflate(-1), gui::palette::kButtonShadow);
  } else {
    BevelRing(canvas, r, gui::palette::kButtonHighlight, gui::palette::kButtonDarkShadow);
    BevelRing(canvas, r.Inflate(-1), gui::palette::kButtonLight, gui::palette::kButtonShadow);
  }
  if (caption_.empty()) return;
  canvas.font = font_;
  if (!Enabled()) canvas.font.color = gui::palette::kButtonDisabledText;
  canvas.ClipTo(r.Inflate(-2));
  const int offset = pressed ? 1 : 0;
  const int x = (Width() - canvas.TextWidth(caption_)) / 2 + offset;
  const int y = (Height() - canvas.TextHeight()) / 2 + offset;
  canvas.TextOut({x, y}, caption_);
}

}  // namespace widgets
