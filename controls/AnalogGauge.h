// A self-painting dial instrument: the dial artwork as background picture, a needle
// from the pivot at the angle Position gives, and an optional round hub over the pivot.
// The needle is composed in a work bitmap, optionally K times larger (K = 2 to 4) and
// averaged back down for smooth edges, then copied to the screen in one block. Each
// composition is timed on the high-resolution counter and published as Frames.
#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>

#include "gui/Bitmap.h"
#include "gui/Canvas.h"
#include "gui/Color.h"
#include "gui/Control.h"
#include "gui/Palette.h"
#include "gui/Picture.h"

namespace controls {

enum class TStyle : uint8_t { LeftStyle, RightStyle, CenterStyle };

// The supersampling factor K is the ordinal plus one.
enum class TAntialiased : uint8_t { aaNone, aaBiline, aaTriline, aaQuadral };

enum class TFaceOption : uint8_t {
  ShowMargin,
  ShowCircles,
  ShowMainTicks,
  ShowSubTicks,
  ShowIndicatorMin,
  ShowIndicatorMid,
  ShowIndicatorMax,
  ShowValues,
  ShowCenter,
  ShowFrame,
  Show3D,
  ShowCaption,
};

// A set of face options, one bit each from bit 0 in declaration order.
class TFaceOptions {
 public:
  constexpr TFaceOptions() = default;
  constexpr TFaceOptions(std::initializer_list<TFaceOption> options) {
    for (TFaceOption o : options) bits_ = uint16_t(bits_ | Bit(o));
  }
  static constexpr TFaceOptions FromBits(uint16_t bits) {
    TFaceOptions set;
    set.bits_ = bits;
    return set;
  }
  constexpr uint16_t Bits() const { return bits_; }
  constexpr bool Contains(TFaceOption o) const { return (bits_ & Bit(o)) != 0; }
  constexpr TFaceOptions With(TFaceOption o) const { return FromBits(uint16_t(bits_ | Bit(o))); }
  constexpr TFaceOptions Without(TFaceOption o) const {
    return FromBits(uint16_t(bits_ & ~Bit(o)));
  }
  constexpr bool operator==(const TFaceOptions&) const = default;

 private:
  static constexpr uint16_t Bit(TFaceOption o) { return uint16_t(1u << unsigned(o)); }
  uint16_t bits_ = 0;
};

// Where DrawNeedle puts the pivot and how long the needle is, in work bitmap pixels.
struct TNeedleGeometry {
  int cx = 0;
  int cy = 0;
  long double fx = 0;  // cx before truncation, so the needle end rounds from the true centre
  int r = 0;
  long double s = 0;  // start angle in degrees
};

class TAnalogGauge : public gui::Control {
 public:
  using TNotifyEvent = std::function<void(TAnalogGauge& sender)>;

  static constexpr int kMinWidth = 60;
  static constexpr int kMinHeight = 50;

  // 225 x 180 pixels, with the initial values of every property.
  explicit TAnalogGauge(gui::Control* parent = nullptr);
  ~TAnalogGauge() override;

  // The background, drawn unscaled at the top-left of the work bitmap. The setter copies
  // the picture and makes it 400 pixels wide; it shows from the next composition.
  const gui::Picture& Picture() const { return FPicture; }
  void SetPicture(const gui::Picture& picture);
  const gui::Font& Font() const { return FFont; }
  void SetFont(const gui::Font& font);

  gui::Color MinColor() const { return FMinColor; }
  void SetMinColor(gui::Color color) { SetStored(FMinColor, color); }
  gui::Color MidColor() const { return FMidColor; }
  void SetMidColor(gui::Color color) { SetStored(FMidColor, color); }
  gui::Color MaxColor() const { return FMaxColor; }
  void SetMaxColor(gui::Color color) { SetStored(FMaxColor, color); }
  gui::Color FaceColor() const { return FFaceColor; }
  void SetFaceColor(gui::Color color) { SetStored(FFaceColor, color); }
  gui::Color TicksColor() const { return FTicksColor; }
  void SetTicksColor(gui::Color color) { SetStored(FTicksColor, color); }
  gui::Color ValueColor() const { return FValueColor; }
  void SetValueColor(gui::Color color) { SetStored(FValueColor, color); }
  gui::Color CaptionColor() const { return FCaptionColor; }
  void SetCaptionColor(gui::Color color) { SetStored(FCaptionColor, color); }
  // The needle and the hub's outline.
  gui::Color ArrowColor() const { return FArrowColor; }
  void SetArrowColor(gui::Color color) { SetStored(FArrowColor, color); }
  gui::Color MarginColor() const { return FMarginColor; }
  void SetMarginColor(gui::Color color) { SetStored(FMarginColor, color); }
  // The hub's fill.
  gui::Color CenterColor() const { return FCenterColor; }
  void SetCenterColor(gui::Color color) { SetStored(FCenterColor, color); }
  gui::Color CircleColor() const { return FCircleColor; }
  void SetCircleColor(gui::Color color) { SetStored(FCircleColor, color); }

  // The hub's radius in control pixels.
  int32_t CenterRadius() const { return FCenterRadius; }
  void SetCenterRadius(int32_t radius) { SetStored(FCenterRadius, radius); }
  int32_t CircleRadius() const { return FCircleRadius; }
  void SetCircleRadius(int32_t radius) { SetStored(FCircleRadius, radius); }
  // The sweep of the scale in degrees, 11 to 360; other values are ignored.
  int32_t Angle() const { return FAngle; }
  void SetAngle(int32_t angle);
  // The dial's inset from the control's edges, in control pixels.
  int32_t Margin() const { return FMargin; }
  void SetMargin(int32_t margin) { SetStored(FMargin, margin); }
  TStyle Style() const { return FStyle; }
  void SetStyle(TStyle style) { SetStored(FStyle, style); }
  // The needle's width in control pixels, kept within 1 to 5.
  int32_t ArrowWidth() const { return FArrowWidth; }
  void SetArrowWidth(int32_t width);
  int32_t NumberMainTicks() const { return FNumberMainTicks; }
  void SetNumberMainTicks(int32_t count) { SetStored(FNumberMainTicks, count); }
  int32_t LengthMainTicks() const { return FLengthMainTicks; }
  void SetLengthMainTicks(int32_t length) { SetStored(FLengthMainTicks, length); }
  int32_t LengthSubTicks() const { return FLengthSubTicks; }
  void SetLengthSubTicks(int32_t length) { SetStored(FLengthSubTicks, length); }
  // Of the options only ShowCenter shows: it draws the hub.
  TFaceOptions FaceOptions() const { return FFaceOptions; }
  void SetFaceOptions(TFaceOptions options) { SetStored(FFaceOptions, options); }

  // The needle's position in scale units. A new position beyond IndMaximum raises
  // OnOverMax, one below IndMinimum OnOverMin, on every change, then recomposes.
  float Position() const { return FPosition; }
  void SetPosition(float position);
  // Scale units covered by the full sweep; values of 1 or less are ignored. A smaller
  // scale pulls IndMaximum and IndMinimum inside it.
  int32_t Scale() const { return FScale; }
  void SetScale(int32_t scale);
  // Limits for the two events: accepted when greater than 0 and less than Scale.
  int32_t IndMaximum() const { return FIndMaximum; }
  void SetIndMaximum(int32_t value);
  int32_t IndMinimum() const { return FIndMinimum; }
  void SetIndMinimum(int32_t value);
  const std::string& Caption() const { return FCaption; }
  void SetCaption(const std::string& caption);
  TAntialiased AntiAliased() const { return FAntiAliased; }
  void SetAntiAliased(TAntialiased value);
  // The supersampling factor of AntiAliased, 1 to 4.
  int Factor() const { return int(FAntiAliased) + 1; }

  // Redraws per second measured on the last composition.
  int32_t Frames() const { return FFrames; }

  // Kept for forms that bind it; the dial artwork is the picture.
  void SetBackground() {}

  // Composes the picture, the needle and the hub, averages, paints and times it.
  void ComposeGauge();
  // Where the needle starts and how long it is in a bitmap of the given size.
  TNeedleGeometry NeedleGeometry(int width, int height, int k);
  // The end point of the needle at a position, for that geometry.
  gui::Point NeedleEnd(const TNeedleGeometry& g, float position) const;

  // The composed pixels: the K times larger work bitmap, and the averaged image.
  const gui::Bitmap& WorkBitmap() const { return *FWorkBitmap; }
  const gui::Bitmap* SmoothBitmap() const { return FSmoothBitmap.get(); }
  // What Paint copies to the screen.
  const gui::Bitmap& Shown() const { return FSmoothBitmap ? *FSmoothBitmap : *FWorkBitmap; }

  TNotifyEvent OnOverMax;
  TNotifyEvent OnOverMin;
  TNotifyEvent OnFrames;

 protected:
  void Paint(gui::Canvas& canvas) override;
  void BoundsChanged(const gui::Rect& oldBounds) override;

 private:
  template <typename T>
  void SetStored(T& field, const T& value) {
    if (field == value) return;
    field = value;
    ComposeGauge();
  }
  void SizeBitmaps();
  void DrawNeedle(gui::Bitmap& bitmap, int k);
  void ShrinkWorkBitmap();
  int64_t ReadTimer();

  gui::Picture FPicture;
  gui::Bitmap FFace;  // an opaque picture in the work bitmap's format, made when first drawn
  gui::Font FFont;
  gui::Color FMinColor = gui::palette::kGreen;
  gui::Color FMidColor = gui::palette::kYellow;
  gui::Color FMaxColor = gui::palette::kRed;
  gui::Color FFaceColor = gui::palette::kSystemButtonFace;
  gui::Color FTicksColor = gui::palette::kBlack;
  gui::Color FValueColor = gui::palette::kBlack;
  gui::Color FCaptionColor = gui::palette::kBlack;
  gui::Color FArrowColor = gui::palette::kBlack;
  gui::Color FMarginColor = gui::palette::kBlack;
  gui::Color FCenterColor = gui::palette::kGray;
  gui::Color FCircleColor = gui::palette::kBlue;
  int32_t FCenterRadius = 8;
  int32_t FCircleRadius = 3;
  int32_t FAngle = 120;
  int32_t FMargin = 10;
  TStyle FStyle = TStyle::CenterStyle;
  int32_t FArrowWidth = 1;
  int32_t FNumberMainTicks = 7;
  int32_t FLengthMainTicks = 15;
  int32_t FLengthSubTicks = 8;
  TFaceOptions FFaceOptions{
      TFaceOption::ShowMargin,       TFaceOption::ShowMainTicks, TFaceOption::ShowSubTicks,
      TFaceOption::ShowIndicatorMax, TFaceOption::ShowValues,    TFaceOption::ShowCenter,
      TFaceOption::ShowFrame,        TFaceOption::Show3D,        TFaceOption::ShowCaption};
  float FPosition = 0.0f;
  int32_t FScale = 140;
  int32_t FIndMaximum = 80;
  int32_t FIndMinimum = 30;
  std::string FCaption = "mV";
  TAntialiased FAntiAliased = TAntialiased::aaNone;
  int32_t FFrames = 0;

  std::unique_ptr<gui::Bitmap> FWorkBitmap;
  std::unique_ptr<gui::Bitmap> FSmoothBitmap;
  int64_t FFrameStart = -1;
  int64_t FTimerFrequency = 0;
};

}  // namespace controls
