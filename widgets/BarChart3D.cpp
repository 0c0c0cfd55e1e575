#include "widgets/BarChart3D.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <numbers>

namespace widgets {

namespace {

// Room left of the vertical axis labels (where the page writes the unit), the gap
// between labels and ticks, and the tick length.
constexpr int kLabelMargin = 14;
constexpr int kLabelGap = 4;
constexpr int kTickLength = 4;

gui::Canvas MeasuringCanvas(const gui::Font& font) {
  static gui::Bitmap none;
  gui::Canvas canvas(none);
  canvas.font = font;
  return canvas;
}

// The smallest step of 1, 2 or 5 times a power of ten that keeps the labels apart.
double AxisStep(double range, double pixels, double minimumGap) {
  if (range <= 0 || pixels <= 0) return range > 0 ? range : 1;
  const double least = range * minimumGap / pixels;
  double magnitude = std::pow(10.0, std::floor(std::log10(least)));
  constexpr std::array<double, 3> kMultiples{1, 2, 5};
  for (;; magnitude *= 10) {
    for (double m : kMultiples) {
      if (m * magnitude >= least) return m * magnitude;
    }
  }
}

}  // namespace

BarChart3D::BarChart3D(gui::Control* parent) : gui::Control(parent) {
  SetOpaque(true);
}

void BarChart3D::Clear() {
  if (bars_.empty()) return;
  bars_.clear();
  Invalidate();
}

void BarChart3D::Add(double value, gui::Color color, std::string label) {
  bars_.push_back({value, color, std::move(label)});
  Invalidate();
}

void BarChart3D::SetStyle(const BarChartStyle& style) {
  style_ = style;
  Invalidate();
}

std::string BarChart3D::FormatValue(double value) {
  std::array<char, 64> text{};
  if (std::nearbyint(value) == value) {
    std::snprintf(text.data(), text.size(), "%.0f", value);
    return text.data();
  }
  std::snprintf(text.data(), text.size(), "%.2f", value);
  std::string s = text.data();
  while (s.back() == '0') s.pop_back();
  if (s.back() == '.') s.pop_back();
  return s;
}

BarChartLayout BarChart3D::Layout() const {
  BarChartLayout layout;
  const gui::Canvas canvas = MeasuringCanvas(style_.labelFont);
  const int line = canvas.TextHeight();
  const int border = style_.borderWidth;

  layout.depth = int(std::lround(Width() * std::max(style_.depthPercent, 0) / 500.0));
  const double radians = style_.angle * std::numbers::pi / 180;
  layout.dx = int(std::lround(layout.depth * std::cos(radians)));
  layout.dy = int(std::lround(layout.depth * std::sin(radians)));

  // Room for the widest label, which depends on the step, which depends on the height.
  const int top = border + layout.dy + line / 2 + 1;
  const int bottom = Height() - border - line - 2;
  const double range = style_.axisMax - style_.axisMin;
  layout.step = AxisStep(range, bottom - top, line * (1 + style_.labelSeparation / 100.0));
  int labelWidth = 0;
  for (double v = style_.axisMin; v <= style_.axisMax + layout.step / 2; v += layout.step) {
    labelWidth = std::max(labelWidth, canvas.TextWidth(FormatValue(v)));
  }
  const int left = border + kLabelMargin + labelWidth + kLabelGap + kTickLength;
  const int right = Width() - border - layout.dx;
  layout.plot = {left, top, std::max(right, left), std::max(bottom, top)};
  return layout;
}

int BarChart3D::ValueY(double value) const {
  return ValueY(Layout(), value);
}

int BarChart3D::ValueY(const BarChartLayout& layout, double value) const {
  const double range = style_.axisMax - style_.axisMin;
  if (range <= 0) return layout.plot.bottom;
  const double share = std::clamp((value - style_.axisMin) / range, 0.0, 1.0);
  return layout.plot.bottom - int(std::lround(share * layout.plot.Height()));
}

double BarChart3D::BarDepthStart(const BarChartLayout& layout) const {
  return layout.depth * (100 - std::clamp(style_.barDepthPercent, 0, 100)) / 200.0;
}

gui::Rect BarChart3D::BarFront(int index) const {
  if (index < 0 || index >= Count()) return {};
  const gui::Rect box = BarBox(Layout(), index);
  return box.Empty() ? gui::Rect{} : box;
}

gui::Rect BarChart3D::BarBox(const BarChartLayout& layout, int index) const {
  const double slot = double(layout.plot.Width()) / Count();
  const double width = slot * std::clamp(style_.barWidthPercent, 1, 100) / 100.0;
  const double x0 = layout.plot.left + slot * index + (slot - width) / 2;
  // The front face stands a little inside the depth, so it is shifted along it.
  const double z = layout.depth > 0 ? BarDepthStart(layout) / layout.depth : 0;
  const int shiftX = int(std::lround(z * layout.dx));
  const int shiftY = int(std::lround(z * layout.dy));
  const int left = int(std::lround(x0)) + shiftX;
  const int right = int(std::lround(x0 + width)) + shiftX;
  const int top = ValueY(layout, bars_[size_t(index)].value) - shiftY;
  const int bottom = layout.plot.bottom - shiftY;
  return {left, top, right, bottom};
}

}  // namespace widgets
