// A picture holder: draws its picture at its own size (at the top-left corner or
// centred) or stretched over the bounds. Pictures with an alpha channel blend with what
// lies below; a transparent image also leaves out one colour of an opaque picture (by
// default the colour of its bottom-left pixel). A linked image shows the hand cursor.
#pragma once

#include <optional>

#include "gui/Bitmap.h"
#include "gui/Control.h"
#include "gui/Picture.h"

namespace widgets {

class Image : public gui::Control {
 public:
  explicit Image(gui::Control* parent = nullptr);
  ~Image() override;

  // The image's own picture; loading or assigning it repaints (and re-sizes when
  // AutoSize is on).
  gui::Picture& Picture() { return picture_; }
  const gui::Picture& Picture() const { return picture_; }

  bool Stretch() const { return stretch_; }
  void SetStretch(bool stretch);
  bool Center() const { return center_; }
  void SetCenter(bool center);
  // Fits the bounds to the picture whenever the picture changes.
  bool AutoSize() const { return auto_size_; }
  void SetAutoSize(bool autoSize);

  bool Transparent() const { return transparent_; }
  void SetTransparent(bool transparent);
  // The colour left out of an opaque picture; unset means its bottom-left pixel.
  void SetTransparentColor(gui::Color color);
  gui::Color TransparentColor() const;

  bool Link() const { return link_; }
  void SetLink(bool link);

 protected:
  void Paint(gui::Canvas& canvas) override;
  void BoundsChanged(const gui::Rect& oldBounds) override;

 private:
  void PictureChanged();
  void UpdateOpacity();
  const gui::Bitmap& Stretched();

  gui::Picture picture_;
  int subscription_ = 0;
  bool stretch_ = false;
  bool center_ = false;
  bool auto_size_ = false;
  bool transparent_ = false;
  bool link_ = false;
  std::optional<gui::Color> transparent_color_;
  // The picture stretched to the bounds, made again when either changes.
  gui::Bitmap stretched_;
  bool stretched_valid_ = false;
};

}  // namespace widgets
