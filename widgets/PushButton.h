// A standard push button: a light face with a raised bevel that sinks while the button is
// held down with the pointer on it; the caption moves with it. It keeps the arrow cursor
// unless told otherwise. The pointer behaviour is ButtonBase's.
#pragma once

#include <string>

#include "gui/Canvas.h"
#include "widgets/ButtonBase.h"

namespace widgets {

class PushButton : public ButtonBase {
 public:
  explicit PushButton(gui::Control* parent = nullptr, std::string caption = {});

  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string caption);
  const gui::Font& Font() const { return font_; }
  void SetFont(const gui::Font& font);
  gui::Color FaceColor() const { return face_; }
  void SetFaceColor(gui::Color color);

 protected:
  void Paint(gui::Canvas& canvas) override;

 private:
  std::string caption_;
  gui::Font font_;
  gui::Color face_;
};

}  // namespace widgets
