// A row of seven-segment cells showing a short text the way an LED or LCD panel does:
// digits, '-', ':' and upper-case letters, with a decimal point in the gap before any
// cell. Segments are bevelled polygons or, in dot-matrix style, rows of round dots. A new
// value can be built up segment by segment in one of five orders within AnimationDelay
// milliseconds; the paint then waits between steps and keeps processing messages.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <random>
#include <string>

#include "controls/SegmentGeometry.h"
#include "gui/Bitmap.h"
#include "gui/Canvas.h"
#include "gui/Color.h"
#include "gui/Control.h"

namespace controls {

enum class TSegmentAbout : uint8_t { abNone, abAbout };

class TSegmentDisplay : public gui::Control {
 public:
  using TSegmentChangeProc = std::function<void(
      TSegmentDisplay& sender, const std::string& oldValue, const std::string& newValue)>;

  // 92 x 34 pixels, black, four cells, nothing shown.
  explicit TSegmentDisplay(gui::Control* parent = nullptr);
  ~TSegmentDisplay() override;

  // Every setter does nothing when given the value the property has; the geometry and
  // colour setters repaint.
  TSegmentAbout About() const { return TSegmentAbout::abNone; }
  // The information box belongs to a form designer; assigning only repaints.
  void SetAbout(TSegmentAbout about);
  TSegmentAnimation Animation() const { return animation_; }
  void SetAnimation(TSegmentAnimation animation) { animation_ = animation; }
  // The whole time budget of one animated change, in milliseconds.
  int32_t AnimationDelay() const { return animation_delay_; }
  void SetAnimationDelay(int32_t delay) { animation_delay_ = delay; }
  int32_t DigitNum() const { return digit_num_; }
  void SetDigitNum(int32_t count) { SetShown(digit_num_, count); }
  int32_t DigitSpacing() const { return digit_spacing_; }
  void SetDigitSpacing(int32_t spacing) { SetShown(digit_spacing_, spacing); }
  bool DotDisplay() const { return dot_display_; }
  void SetDotDisplay(bool dots) { SetShown(dot_display_, dots); }
  int32_t DotSpacing() const { return dot_spacing_; }
  void SetDotSpacing(int32_t spacing) { SetShown(dot_spacing_, spacing); }
  bool DoubleBuffer() const { return double_buffer_; }
  void SetDoubleBuffer(bool buffered) { SetShown(double_buffer_, buffered); }
  int32_t GapX() const { return gap_x_; }
  void SetGapX(int32_t gap) { SetShown(gap_x_, gap); }
  int32_t GapY() const { return gap_y_; }
  void SetGapY(int32_t gap) { SetShown(gap_y_, gap); }
  gui::Color OffColor() const { return off_color_; }
  void SetOffColor(gui::Color color) { SetShown(off_color_, color); }
  gui::Color OnColor() const { return on_color_; }
  void SetOnColor(gui::Color color) { SetShown(on_color_, color); }
  // The background.
  gui::Color Color() const { return color_; }
  void SetColor(gui::Color color) { SetShown(color_, color); }
  // Animating every repaint is for previews in a form designer; stored only.
  bool Preview() const { return preview_; }
  void SetPreview(bool preview) { SetShown(preview_, preview); }
  int32_t SegmentSize() const { return segment_size_; }
  void SetSegmentSize(int32_t size) { SetShown(segment_size_, size); }

  // The text shown, normalised: letters in upper case, empty when it holds a character
  // the cells cannot show, without a trailing point. A new text raises OnChange.
  const std::string& Value() const { return value_; }
  void SetValue(const std::string& value);

  bool IsPainting() const { return is_painting_; }
  // The duration of the last completed paint in milliseconds.
  uint32_t PaintDuration() const { return paint_duration_; }

  // The layout the current size and settings give, or none when no cell can be drawn.
  std::optional<segments::TSegmentLayout> Layout() const;

  TSegmentChangeProc OnChange;

 protected:
  void Paint(gui::Canvas& canvas) override;
  void HandleMessage(const gui::Message& message) override;

 private:
  struct Pass;

  template <typename T>
  void SetShown(T& field, const T& value) {
    if (field == value) return;
    field = value;
    Invalidate();
  }
  void DrawDigits(Pass& pass, TSegmentAnimation animation, int budget, bool changedOnly,
                  const segments::TSplitText& now, const segments::TSplitText& before);
  void DrawPoint(Pass& pass, int cell, bool lit);
  void DrawSegment(Pass& pass, int cell, char character, int segment);
  void ShowStep(Pass& pass);
  void WaitFor(uint32_t start, uint32_t target, uint32_t& elapsed);
  uint32_t Milliseconds();
  TSegmentAnimation ChooseAnimation();

  TSegmentAnimation animation_ = TSegmentAnimation::anNone;
  int32_t animation_delay_ = 0;
  int32_t digit_num_ = 4;
  int32_t digit_spacing_ = 5;
  bool dot_display_ = false;
  int32_t dot_spacing_ = 2;
  bool double_buffer_ = true;
  int32_t gap_x_ = 2;
  int32_t gap_y_ = 2;
  gui::Color off_color_ = 0x00000000;
  gui::Color on_color_ = 0x0000FF00;
  gui::Color color_ = 0x00000000;
  bool preview_ = false;
  int32_t segment_size_ = 2;
  std::string value_;
  bool is_painting_ = false;
  uint32_t paint_duration_ = 0;

  std::string FOldValue;
  bool FChanged = false;
  std::unique_ptr<gui::Bitmap> FBuffer;
  bool FBufferActive = false;
  std::minstd_rand random_;
};

}  // namespace controls
