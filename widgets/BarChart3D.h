// A small three-dimensional bar chart: one series of bars, each with its own colour,
// standing on a floor between a back and a left wall, seen from the front right at an
// orthogonal angle, with a fixed vertical axis at the left and a value mark above every
// bar. The program drives it only by clearing the bars and adding values.
#pragma once

#include <string>
#include <vector>

#include "gui/Canvas.h"
#include "gui/Control.h"
#include "gui/Palette.h"

namespace widgets {

struct BarChartStyle {
  // 3-D view: depth as a percentage (at 100 a fifth of the chart's width) and the angle
  // in degrees at which depth runs up and to the right.
  int depthPercent = 80;
  int angle = 40;
  gui::Color chartColor = gui::palette::kBlack;
  gui::Color borderColor = gui::palette::kWhite;
  int borderWidth = 1;
  gui::Color backWall = gui::palette::kChartWall;
  gui::Color leftWall = gui::palette::kChartWall;
  gui::Color bottomWall = gui::palette::kChartFloor;
  // Vertical axis: a fixed range, whole-number labels, and the least gap between two
  // labels as a percentage of a label's height.
  double axisMin = 0;
  double axisMax = 6000;
  gui::Color axisLabelColor = gui::palette::kWhite;
  int labelSeparation = 20;
  gui::Font labelFont{"Arial", 11, gui::palette::kWhite};
  // Bars: outline, width of their slot and share of the depth, in percent; the front
  // runs from the bar's colour at the top to a darker shade at the bottom.
  gui::Color barOutline = gui::palette::kChartBarOutline;
  int barWidthPercent = 85;
  int barDepthPercent = 90;
  // Value marks: a boxed value over each bar on a short arrow.
  bool marksVisible = true;
  gui::Color markBrush = gui::palette::kBlack;
  gui::Color markFrame = gui::palette::kChartMarkFrame;
  gui::Color markArrow = gui::palette::kSilver;
  gui::Font markFont{"Arial", 10, gui::palette::kWhite};
  int markArrowLength = 8;
};

struct Bar {
  double value = 0;
  gui::Color color = 0;
  std::string label;
};

// Where the chart's parts lie: the front plane of the plot and the depth offsets.
struct BarChartLayout {
  gui::Rect plot;   // the front plane: the vertical axis on its left edge, the floor below
  int depth = 0;    // 3-D depth in pixels
  int dx = 0;       // the depth's run to the right
  int dy = 0;       // and up
  double step = 0;  // between two axis labels
};

class BarChart3D : public gui::Control {
 public:
  explicit BarChart3D(gui::Control* parent = nullptr);

  void Clear();
  // Adds a bar at the next position to the right; a label shows under it.
  void Add(double value, gui::Color color, std::string label = {});
  int Count() const { return int(bars_.size()); }
  const Bar& At(int index) const { return bars_.at(size_t(index)); }

  const BarChartStyle& Style() const { return style_; }
  void SetStyle(const BarChartStyle& style);

  BarChartLayout Layout() const;
  // The front face of a bar (empty for a bar at or below the axis minimum).
  gui::Rect BarFront(int index) const;
  // The value's height on the front plane, clamped to the axis.
  int ValueY(double value) const;
  // A value as its mark shows it.
  static std::string FormatValue(double value);

 protected:
  void Paint(gui::Canvas& canvas) override;

 private:
  void PaintWalls(gui::Canvas& canvas, const BarChartLayout& layout);
  void PaintAxis(gui::Canvas& canvas, const BarChartLayout& layout);
  void PaintBar(gui::Canvas& canvas, const BarChartLayout& layout, int index);
  void PaintLabel(gui::Canvas& canvas, const BarChartLayout& layout, int index);
  void PaintMark(gui::Canvas& canvas, const BarChartLayout& layout, int index);
  double BarDepthStart(const BarChartLayout& layout) const;
  // A bar's front face, of zero height for a bar on the floor.
  gui::Rect BarBox(const BarChartLayout& layout, int index) const;
  int ValueY(const BarChartLayout& layout, double value) const;

  BarChartStyle style_;
  std::vector<Bar> bars_;
};

}  // namespace widgets
