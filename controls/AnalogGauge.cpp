#include "controls/AnalogGauge.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <numbers>

#include "gui/Application.h"
#include "platform/FloatingPoint.h"

namespace controls {

namespace {

constexpr int kNewWidth = 225;
constexpr int kNewHeight = 180;
// The dial artwork is drawn 400 pixels wide, whatever the control's size.
constexpr int kPictureWidth = 400;

long double Radians(long double degrees) {
  return degrees * 2 * std::numbers::pi_v<long double> / 360;
}

// Nearest integer, ties to even (the default rounding mode).
int RoundEven(long double value) {
  return int(std::lrint(value));
}

}  // namespace

TAnalogGauge::TAnalogGauge(gui::Control* parent) : gui::Control(parent) {
  SetOpaque(true);
  if (gui::Application::Exists()) {
    FTimerFrequency = gui::Application::Current().Clock().PerformanceFrequency();
  }
  FWorkBitmap = std::make_unique<gui::Bitmap>();
  SetBounds(Left(), Top(), kNewWidth, kNewHeight);
}

TAnalogGauge::~TAnalogGauge() = default;

void TAnalogGauge::SetPicture(const gui::Picture& picture) {
  FPicture = picture;
  // An empty picture has no graphic to widen and stays empty.
  if (!FPicture.Empty()) FPicture.SetSize(kPictureWidth, FPicture.Height());
  FFace = gui::Bitmap();
}

void TAnalogGauge::SetFont(const gui::Font& font) {
  SetStored(FFont, font);
}

void TAnalogGauge::SetAngle(int32_t angle) {
  if (angle == FAngle) return;
  if (angle >= 11 && angle <= 360) FAngle = angle;
  ComposeGauge();
}

void TAnalogGauge::SetArrowWidth(int32_t width) {
  if (width == FArrowWidth) return;
  FArrowWidth = std::clamp(width, 1, 5);
  ComposeGauge();
}

void TAnalogGauge::SetPosition(float position) {
  if (position == FPosition) return;
  FPosition = position;
  // A copy of each handler, so a handler may replace it while it runs.
  if (float(FIndMaximum) < FPosition) {
    if (auto handler = OnOverMax) handler(*this);
  }
  if (float(FIndMinimum) > FPosition) {
    if (auto handler = OnOverMin) handler(*this);
  }
  ComposeGauge();
}

void TAnalogGauge::SetScale(int32_t scale) {
  if (scale == FScale) return;
  if (scale > 1) {
    FScale = scale;
    if (FIndMaximum >= FScale) FIndMaximum = FScale - 1;
    if (FScale - FIndMaximum < FIndMinimum) FIndMinimum = FScale - FIndMaximum;
  }
  ComposeGauge();
}

void TAnalogGauge::SetIndMaximum(int32_t value) {
  if (value == FIndMaximum) return;
  if (value > 0 && value < FScale) FIndMaximum = value;
  ComposeGauge();
}

void TAnalogGauge::SetIndMinimum(int32_t value) {
  if (value == FIndMinimum) return;
  if (value > 0 && value < FScale) FIndMinimum = value;
  ComposeGauge();
}

void TAnalogGauge::SetCaption(const std::string& caption) {
  SetStored(FCaption, caption);
}

void TAnalogGauge::SetAntiAliased(TAntialiased value) {
  if (value == FAntiAliased) return;
  FAntiAliased = value;
  SizeBitmaps();
  ComposeGauge();
}

void TAnalogGauge::BoundsChanged(const gui::Rect& oldBounds) {
  if (Width() < kMinWidth || Height() < kMinHeight) {
    // The corrected size comes back here and sizes the bitmaps.
    SetBounds(Left(), Top(), std::max(Width(), kMinWidth), std::max(Height(), kMinHeight));
    return;
  }
  if (oldBounds.Width() == Width() && oldBounds.Height() == Height()) return;
  SizeBitmaps();
  ComposeGauge();
}

void TAnalogGauge::SizeBitmaps() {
  const int k = Factor();
  const int w = Width();
  const int h = Height();
  const auto resize = [](gui::Bitmap& bitmap, int width, int height, gui::Bitmap::Format format) {
    // A bitmap already of the wanted size keeps its pixels, as the composition expects.
    if (bitmap.Width() == width && bitmap.Height() == height && bitmap.PixelFormat() == format) {
      return;
    }
    bitmap = gui::Bitmap(width, height, format);
  };
  if (k > 1) {
    resize(*FWorkBitmap, k * w, k * h, gui::Bitmap::Format::Bgr24);
    if (!FSmoothBitmap) FSmoothBitmap = std::make_unique<gui::Bitmap>();
    resize(*FSmoothBitmap, w, h, gui::Bitmap::Format::Bgr24);
  } else {
    FSmoothBitmap.reset();
    resize(*FWorkBitmap, w, h, gui::Bitmap::Format::Bgra32);
  }
}

int64_t TAnalogGauge::ReadTimer() {
  platform::Clock& clock = gui::Application::Current().Clock();
  if (FTimerFrequency != 0) return clock.PerformanceCounter();
  return int64_t(clock.TickCount());
}

void TAnalogGauge::ComposeGauge() {
  const bool timed = gui::Application::Exists();
  if (timed && FFrameStart == -1) FFrameStart = ReadTimer();

  // Not cleared first: what the picture does not cover keeps the previous frame.
  if (!FPicture.Empty()) {
    gui::Canvas canvas(*FWorkBitmap);
    if (FPicture.Transparent()) {
      FPicture.DrawOn(canvas, {0, 0});
    } else {
      // The opaque face in the work bitmap's own format copies row by row.
      if (FFace.PixelFormat() != FWorkBitmap->PixelFormat() || FFace.Empty()) {
        FFace = FPicture.Image();
        FFace.SetFormat(FWorkBitmap->PixelFormat());
      }
      canvas.Draw({0, 0}, FFace);
    }
  }
  DrawNeedle(*FWorkBitmap, Factor());
  if (Factor() > 1) ShrinkWorkBitmap();
  Invalidate();

  if (!timed) return;
  int64_t now = ReadTimer();
  int64_t frames;
  if (FTimerFrequency != 0) {
    frames = FTimerFrequency / std::max<int64_t>(now - FFrameStart, 1);
  } else {
    if (now < FFrameStart) now += int64_t(1) << 32;
    // Under a millisecond on the tick count counts as one.
    frames = 1000 / std::max<int64_t>(now - FFrameStart, 1);
  }
  FFrameStart = -1;
  const auto measured = int32_t(std::min<int64_t>(frames, std::numeric_limits<int32_t>::max()));
  if (measured != FFrames) {
    FFrames = measured;
    if (auto handler = OnFrames) handler(*this);
  }
}

TNeedleGeometry TAnalogGauge::NeedleGeometry(int width, int height, int k) {
  const platform::ExtendedPrecision extended;
  TNeedleGeometry g;
  const int b = FMargin * k;
  switch (FStyle) {
    case TStyle::LeftStyle:
    case TStyle::RightStyle:
      // A corner dial sweeps a quarter at most; the property keeps the correction.
      if (FAngle > 90) FAngle = 90;
      g.cx = FStyle == TStyle::LeftStyle ? b : width - b;
      g.fx = g.cx;
      g.cy = height - b;
      g.r = width - 2 * b;
      g.s = FStyle == TStyle::LeftStyle ? 90 : 0;
      break;
    case TStyle::CenterStyle:
      g.cx = width / 2;
      g.fx = static_cast<long double>(width) / 2;
      g.s = static_cast<long double>(180 - FAngle) / 2;
      if (FAngle >= 180) {
        g.r = (width - 2 * b) / 2;
        g.cy = height / 2;
      } else {
        g.r = RoundEven((static_cast<long double>(width - 2 * b) / 2) / std::cos(Radians(g.s)));
        if (height - 2 * b < g.r) g.r = height - 2 * b;
        g.cy = (height - g.r) / 2 + g.r;
      }
      break;
  }
  return g;
}

gui::Point TAnalogGauge::NeedleEnd(const TNeedleGeometry& g, float position) const {
  const platform::ExtendedPrecision extended;  // long double's 64-bit mantissas, as elsewhere
  const long double a = Radians(static_cast<long double>(FAngle) * position / FScale + g.s);
  return {RoundEven(g.fx - g.r * std::cos(a)), RoundEven(g.cy - g.r * std::sin(a))};
}

void TAnalogGauge::DrawNeedle(gui::Bitmap& bitmap, int k) {
  const TNeedleGeometry g = NeedleGeometry(bitmap.Width(), bitmap.Height(), k);
  gui::Canvas canvas(bitmap);
  canvas.pen = {FArrowColor, FArrowWidth * k};
  canvas.Line({g.cx, g.cy}, NeedleEnd(g, FPosition));
  if (FFaceOptions.Contains(TFaceOption::ShowCenter)) {
    const int radius = FCenterRadius * k;
    canvas.brush = {FCenterColor, false};
    canvas.Ellipse({g.cx - radius, g.cy - radius, g.cx + radius, g.cy + radius});
  }
}

namespace {

// The K x K averaging with K fixed, so the block loops unroll.
template <int K>
void Shrink(const gui::Bitmap& work, gui::Bitmap& smooth) {
  constexpr unsigned kArea = K * K;
  const int width = std::min(smooth.Width(), work.Width() / K);
  const int height = std::min(smooth.Height(), work.Height() / K);
  for (int y = 0; y < height; ++y) {
    std::array<const uint8_t*, K> rows;
    for (int dy = 0; dy < K; ++dy) rows[size_t(dy)] = work.Row(K * y + dy);
    uint8_t* out = smooth.Row(y);
    for (int x = 0; x < width; ++x, out += 3) {
      unsigned b = 0, g = 0, r = 0;
      for (int dy = 0; dy < K; ++dy) {
        const uint8_t* p = rows[size_t(dy)] + size_t(K) * size_t(x) * 3;
        for (int dx = 0; dx < K; ++dx, p += 3) {
          b += p[0];
          g += p[1];
          r += p[2];
        }
      }
      out[0] = uint8_t(b / kArea);
      out[1] = uint8_t(g / kArea);
      out[2] = uint8_t(r / kArea);
    }
  }
}

}  // namespace

void TAnalogGauge::ShrinkWorkBitmap() {
  switch (Factor()) {
    case 2:
      Shrink<2>(*FWorkBitmap, *FSmoothBitmap);
      break;
    case 3:
      Shrink<3>(*FWorkBitmap, *FSmoothBitmap);
      break;
    case 4:
      Shrink<4>(*FWorkBitmap, *FSmoothBitmap);
      break;
    default:
      break;
  }
}

void TAnalogGauge::Paint(gui::Canvas& canvas) {
  canvas.Draw({0, 0}, Shown());
}

}  // namespace controls
