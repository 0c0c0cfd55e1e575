#include "widgets/GlowButton.h"

#include <algorithm>
#include <cmath>

#include "gui/Palette.h"
#include "widgets/Blend.h"

namespace widgets {

namespace {

// Signed distance from a point to the edge of a rounded box (negative inside).
double RoundedBoxDistance(double x, double y, double width, double height, double radius) {
  const double qx = std::abs(x - width / 2) - (width / 2 - radius);
  const double qy = std::abs(y - height / 2) - (height / 2 - radius);
  const double outside = std::hypot(std::max(qx, 0.0), std::max(qy, 0.0));
  return outside + std::min(std::max(qx, qy), 0.0) - radius;
}

double Coverage(double distance) {
  return std::clamp(0.5 - distance, 0.0, 1.0);
}

}  // namespace

GlowButton::GlowButton(gui::Control* parent, std::string caption)
    : ButtonBase(parent),
      caption_(std::move(caption)),
      glow_color_(gui::palette::kRed),
      border_color_(gui::palette::kGlowBorder),
      pressed_border_color_(gui::palette::kGlowPressedBorder) {
  font_.name = "Arial";
  font_.size = 11;
  font_.color = gui::palette::kSilver;
  SetCursor(gui::Cursor::Hand);
}

void GlowButton::SetCaption(std::string caption) {
  if (caption == caption_ && runs_.empty()) return;
  caption_ = std::move(caption);
  runs_.clear();
  Invalidate();
}

void GlowButton::SetCaptionRuns(std::vector<TextRun> runs) {
  runs_ = std::move(runs);
  caption_.clear();
  for (const TextRun& run : runs_) caption_ += run.text;
  Invalidate();
}

void GlowButton::SetFont(const gui::Font& font) {
  if (font == font_) return;
  font_ = font;
  Invalidate();
}

void GlowButton::SetAlignment(gui::TextAlign alignment) {
  if (alignment == alignment_) return;
  alignment_ = alignment;
  Invalidate();
}

void GlowButton::SetGlowColor(gui::Color color) {
  if (color == glow_color_) return;
  glow_color_ = color;
  if (State() != ButtonState::Rest) Invalidate();
}

void GlowButton::SetBorderColor(gui::Color color) {
  if (color == border_color_) return;
  border_color_ = color;
  if (State() != ButtonState::Rest) Invalidate();
}

void GlowButton::SetPressedBorderColor(gui::Color color) {
  if (color == pressed_border_color_) return;
  pressed_border_color_ = color;
  if (State() == ButtonState::Pressed) Invalidate();
}

void GlowButton::SetShape(GlowShape shape) {
  if (shape == shape_) return;
  shape_ = shape;
  Invalidate();
}

void GlowButton::SetCornerRadius(int radius) {
  radius = std::max(radius, 0);
  if (radius == corner_radius_) return;
  corner_radius_ = radius;
  Invalidate();
}

void GlowButton::SetLabelOnly(bool labelOnly) {
  if (labelOnly == label_only_) return;
  label_only_ = labelOnly;
  SetCursor(labelOnly ? gui::Cursor::Arrow : gui::Cursor::Hand);
  Invalidate();
}

gui::Color GlowButton::FaceColor(int x, int y, ButtonState state) const {
  if (state == ButtonState::Rest) return gui::palette::kBlack;
  const double h = Height();
  const double py = y + 0.5;
  if (shape_ == GlowShape::Square) {
    const double half = h / 2;
    return py >= half ? glow_color_ : Mix(gui::palette::kBlack, glow_color_, py / half);
  }
  if (py >= h / 2) return gui::palette::kBlack;
  // The glow rises from the middle of the dividing line and fades out towards the
  // corners; the power curve keeps a bright core and a long soft edge.
  const double dx = (x + 0.5 - Width() / 2.0) / (Width() * 0.6);
  const double dy = (py - h / 2) / (h * 0.75);
  const double t = std::min(std::hypot(dx, dy), 1.0);
  return Mix(gui::palette::kBlack, glow_color_, std::pow(1.0 - t, 1.25));
}

void GlowButton::PaintFace(gui::Canvas& canvas, ButtonState state) {
  const int w = Width();
  const int h = Height();
  const double radius =
      shape_ == GlowShape::Square ? 0.0 : std::min<double>(corner_radius_, std::min(w, h) / 2.0);
  // The square button shows its frame only while pressed; its glow is its hover mark.
  const bool framed =
      shape_ == GlowShape::Square ? state == ButtonState::Pressed : state != ButtonState::Rest;
  const gui::Color frame = state == ButtonState::Pressed ? pressed_border_color_ : border_color_;
  const gui::Rect clip = canvas.ClipRect().Intersect(ClientRect());
  for (int y = clip.top; y < clip.bottom; ++y) {
    for (int x = clip.left; x < clip.right; ++x) {
      const double d = RoundedBoxDistance(x + 0.5, y + 0.5, w, h, radius);
      const double outer = Coverage(d);
      if (outer <= 0) continue;
      const gui::Color below = canvas.GetPixel({x, y});
      const gui::Color face = FaceColor(x, y, state);
      gui::Color c = Mix(below, framed ? frame : face, outer);
      if (framed) c = Mix(c, face, Coverage(d + 1));
      canvas.SetPixel({x, y}, c);
    }
  }
}

void GlowButton::PaintCaption(gui::Canvas& canvas, ButtonState state) {
  if (caption_.empty()) return;
  canvas.font = font_;
  const int width = canvas.TextWidth(caption_);
  const int pad = shape_ == GlowShape::Square ? 0 : std::max(corner_radius_, 4);
  int x = (Width() - width) / 2;
  if (alignment_ == gui::TextAlign::Left) x = pad;
  if (alignment_ == gui::TextAlign::Right) x = Width() - pad - width;
  int y = (Height() - canvas.TextHeight()) / 2;
  if (state == ButtonState::Pressed && !label_only_) {
    ++x;
    ++y;
  }
  auto shade = [this](gui::Color color) {
    return Enabled() ? color : Mix(color, gui::palette::kGray, 0.6);
  };
  if (runs_.empty()) {
    canvas.font.color = shade(font_.color);
    canvas.TextOut({x, y}, caption_);
    return;
  }
  for (const TextRun& run : runs_) {
    canvas.font.color = shade(run.color);
    canvas.TextOut({x, y}, run.text);
    x += canvas.TextWidth(run.text);
  }
}

void GlowButton::Paint(gui::Canvas& canvas) {
  const ButtonState state = label_only_ ? ButtonState::Rest : State();
  if (!label_only_) PaintFace(canvas, state);
  PaintCaption(canvas, state);
}

}  // namespace widgets
