#include "controls/AnalogGauge.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <numbers>

#include "gui/Application.h"

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
  picture_ = picture;
  // An empty picture has no graphic to widen and stays empty.
  if (!picture_.Empty()) picture_.SetSize(kPictureWidth, picture_.Height());
  face_ = gui::Bitmap();
}

void TAnalogGauge::SetFont(const gui::Font& font) {
  SetStored(font_, font);
}

void TAnalogGauge::SetAngle(int32_t angle) {
  if (angle == angle_) return;
  if (angle >= 11 && angle <= 360) angle_ = angle;
  ComposeGauge();
}

void TAnalogGauge::SetArrowWidth(int32_t width) {
  if (width == arrow_width_) return;
  arrow_width_ = std::clamp(width, 1, 5);
  ComposeGauge();
}

void TAnalogGauge::SetPosition(float position) {
  if (position == position_) return;
  position_ = position;
  // A copy of each handler, so a handler may replace it while it runs.
  if (float(ind_maximum_) < position_) {
    if (auto handler = OnOverMax) handler(*this);
  }
  if (float(ind_minimum_) > position_) {
    if (auto handler = OnOverMin) handler(*this);
  }
  ComposeGauge();
}

void TAnalogGauge::SetScale(int32_t scale) {
  if (scale == scale_) return;
  if (scale > 1) {
    scale_ = scale;
    if (ind_maximum_ >= scale_) ind_maximum_ = scale_ - 1;
    if (scale_ - ind_maximum_ < ind_minimum_) ind_minimum_ = scale_ - ind_maximum_;
  }
  ComposeGauge();
}

void TAnalogGauge::SetIndMaximum(int32_t value) {
  if (value == ind_maximum_) return;
  if (value > 0 && value < scale_) ind_maximum_ = value;
  ComposeGauge();
}

void TAnalogGauge::SetIndMinimum(int32_t value) {
  if (value == ind_minimum_) return;
  if (value > 0 && value < scale_) ind_minimum_ = value;
  ComposeGauge();
}

void TAnalogGauge::SetCaption(const std::string& caption) {
  SetStored(caption_, caption);
}

void TAnalogGauge::SetAntiAliased(TAntialiased value) {
  if (value == anti_aliased_) return;
  anti_aliased_ = value;
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
  if (!picture_.Empty()) {
    gui::Canvas canvas(*FWorkBitmap);
    if (picture_.Transparent()) {
      picture_.DrawOn(canvas, {0, 0});
    } else {
      // The opaque face in the work bitmap's own format copies row by row.
      if (face_.PixelFormat() != FWorkBitmap->PixelFormat() || face_.Empty()) {
        face_ = picture_.Image();
        face_.SetFormat(FWorkBitmap->PixelFormat());
      }
      canvas.Draw({0, 0}, face_);
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
  if (measured != frames_) {
    frames_ = measured;
    if (auto handler = OnFrames) handler(*this);
  }
}

TNeedleGeometry TAnalogGauge::NeedleGeometry(int width, int height, int k) {
  TNeedleGeometry g;
  const int b = margin_ * k;
  switch (style_) {
    case TStyle::LeftStyle:
    case TStyle::RightStyle:
      // A corner dial sweeps a quarter at most; the property keeps the correction.
      if (angle_ > 90) angle_ = 90;
      g.cx = style_ == TStyle::LeftStyle ? b : width - b;
      g.fx = g.cx;
      g.cy = height - b;
      g.r = width - 2 * b;
      g.s = style_ == TStyle::LeftStyle ? 90 : 0;
      break;
    case TStyle::CenterStyle:
      g.cx = width / 2;
      g.fx = static_cast<long double>(width) / 2;
      g.s = static_cast<long double>(180 - angle_) / 2;
      if (angle_ >= 180) {
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
  const long double a = Radians(static_cast<long double>(angle_) * position / scale_ + g.s);
  return {RoundEven(g.fx - g.r * std::cos(a)), RoundEven(g.cy - g.r * std::sin(a))};
}

void TAnalogGauge::DrawNeedle(gui::Bitmap& bitmap, int k) {
  const TNeedleGeometry g = NeedleGeometry(bitmap.Width(), bitmap.Height(), k);
  gui::Canvas canvas(bitmap);
  canvas.pen = {arrow_color_, arrow_width_ * k};
  canvas.Line({g.cx, g.cy}, NeedleEnd(g, position_));
  if (face_options_.Contains(TFaceOption::ShowCenter)) {
    const int radius = center_radius_ * k;
    canvas.brush = {center_color_, false};
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
