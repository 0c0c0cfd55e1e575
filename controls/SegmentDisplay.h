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
#include "gui/Palette.h"

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
  TSegmentAnimation Animation() const { return FAnimation; }
  void SetAnimation(TSegmentAnimation animation) { FAnimation = animation; }
  // The whole time budget of one animated change, in milliseconds.
  int32_t AnimationDelay() const { return FAnimationDelay; }
  void SetAnimationDelay(int32_t delay) { FAnimationDelay = delay; }
  int32_t DigitNum() const { return FDigitNum; }
  void SetDigitNum(int32_t count) { SetShown(FDigitNum, count); }
  int32_t DigitSpacing() const { return FDigitSpacing; }
  void SetDigitSpacing(int32_t spacing) { SetShown(FDigitSpacing, spacing); }
  bool DotDisplay() const { return FDotDisplay; }
  void SetDotDisplay(bool dots) { SetShown(FDotDisplay, dots); }
  int32_t DotSpacing() const { return FDotSpacing; }
  void SetDotSpacing(int32_t spacing) { SetShown(FDotSpacing, spacing); }
  bool DoubleBuffer() const { return FDoubleBuffer; }
  void SetDoubleBuffer(bool buffered) { SetShown(FDoubleBuffer, buffered); }
  int32_t GapX() const { return FGapX; }
  void SetGapX(int32_t gap) { SetShown(FGapX, gap); }
  int32_t GapY() const { return FGapY; }
  void SetGapY(int32_t gap) { SetShown(FGapY, gap); }
  gui::Color OffColor() const { return FOffColor; }
  void SetOffColor(gui::Color color) { SetShown(FOffColor, color); }
  gui::Color OnColor() const { return FOnColor; }
  void SetOnColor(gui::Color color) { SetShown(FOnColor, color); }
  // The background.
  gui::Color Color() const { return FColor; }
  void SetColor(gui::Color color) { SetShown(FColor, color); }
  // Animating every repaint is for previews in a form designer; stored only.
  bool Preview() const { return FPreview; }
  void SetPreview(bool preview) { SetShown(FPreview, preview); }
  int32_t SegmentSize() const { return FSegmentSize; }
  void SetSegmentSize(int32_t size) { SetShown(FSegmentSize, size); }

  // The text shown, normalised: letters in upper case, empty when it holds a character
  // the cells cannot show, without a trailing point. A new text raises OnChange.
  const std::string& Value() const { return FValue; }
  void SetValue(const std::string& value);

  bool IsPainting() const { return FIsPainting; }
  // The duration of the last completed paint in milliseconds.
  uint32_t PaintDuration() const { return FPaintDuration; }

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

  TSegmentAnimation FAnimation = TSegmentAnimation::anNone;
  int32_t FAnimationDelay = 0;
  int32_t FDigitNum = 4;
  int32_t FDigitSpacing = 5;
  bool FDotDisplay = false;
  int32_t FDotSpacing = 2;
  bool FDoubleBuffer = true;
  int32_t FGapX = 2;
  int32_t FGapY = 2;
  gui::Color FOffColor = gui::palette::kBlack;
  gui::Color FOnColor = gui::palette::kLime;
  gui::Color FColor = gui::palette::kBlack;
  bool FPreview = false;
  int32_t FSegmentSize = 2;
  std::string FValue;
  bool FIsPainting = false;
  uint32_t FPaintDuration = 0;

  std::string FOldValue;
  bool FChanged = false;
  std::unique_ptr<gui::Bitmap> FBuffer;
  bool FBufferActive = false;
  std::minstd_rand FRandom;
};

}  // namespace controls
