#include "widgets/Image.h"

#include "gui/Canvas.h"

namespace widgets {

Image::Image(gui::Control* parent) : gui::Control(parent) {
  subscription_ = picture_.Subscribe([this] { PictureChanged(); });
}

Image::~Image() {
  picture_.Unsubscribe(subscription_);
}

void Image::PictureChanged() {
  stretched_valid_ = false;
  if (auto_size_ && !picture_.Empty())
    SetBounds(Left(), Top(), picture_.Width(), picture_.Height());
  UpdateOpacity();
  Invalidate();
}

// Only an opaque picture that covers the whole area lets the toolkit skip what is below.
void Image::UpdateOpacity() {
  const bool covers =
      stretch_ || (picture_.Width() >= Width() && picture_.Height() >= Height() && !center_);
  SetOpaque(!picture_.Empty() && !transparent_ && !picture_.Transparent() && covers);
}

void Image::BoundsChanged(const gui::Rect&) {
  stretched_valid_ = false;
  UpdateOpacity();
}

void Image::SetStretch(bool stretch) {
  if (stretch == stretch_) return;
  stretch_ = stretch;
  stretched_valid_ = false;
  UpdateOpacity();
  Invalidate();
}

void Image::SetCenter(bool center) {
  if (center == center_) return;
  center_ = center;
  UpdateOpacity();
  Invalidate();
}

void Image::SetAutoSize(bool autoSize) {
  if (autoSize == auto_size_) return;
  auto_size_ = autoSize;
  if (auto_size_) PictureChanged();
}

void Image::SetTransparent(bool transparent) {
  if (transparent == transparent_) return;
  transparent_ = transparent;
  UpdateOpacity();
  Invalidate();
}

void Image::SetTransparentColor(gui::Color color) {
  transparent_color_ = color;
  if (transparent_) Invalidate();
}

gui::Color Image::TransparentColor() const {
  if (transparent_color_) return *transparent_color_;
  return picture_.Image().Pixel(0, picture_.Height() - 1);
}

void Image::SetLink(bool link) {
  link_ = link;
  SetCursor(link ? gui::Cursor::Hand : gui::Cursor::Arrow);
}

const gui::Bitmap& Image::Stretched() {
  if (!stretched_valid_ || stretched_.Width() != Width() || stretched_.Height() != Height()) {
    stretched_ = gui::Bitmap(Width(), Height(), gui::Bitmap::Format::Bgra32);
    gui::Canvas canvas(stretched_);
    canvas.StretchDraw(ClientRect(), picture_.Image());
    stretched_valid_ = true;
  }
  return stretched_;
}

void Image::Paint(gui::Canvas& canvas) {
  if (picture_.Empty() || Width() <= 0 || Height() <= 0) return;
  gui::Point at{0, 0};
  if (center_ && !stretch_) {
    at = {(Width() - picture_.Width()) / 2, (Height() - picture_.Height()) / 2};
  }
  const gui::Bitmap& source = stretch_ ? Stretched() : picture_.Image();
  if (stretch_) at = {0, 0};
  if (picture_.Transparent()) {
    canvas.DrawBlended(at, source);
  } else if (transparent_) {
    canvas.DrawTransparent(at, source, TransparentColor());
  } else {
    canvas.Draw(at, source);
  }
}

}  // namespace widgets
