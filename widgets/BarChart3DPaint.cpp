// Drawing the bar chart: walls and grid, the axis, the bars back to front, the marks.
#include <algorithm>
#include <array>

#include "gui/Palette.h"
#include "widgets/BarChart3D.h"
#include "widgets/Blend.h"

namespace widgets {

namespace {

// How dark the foot of a bar's front is, and how its top and side are shaded.
constexpr double kFootShade = 0.35;
constexpr double kTopLighten = 0.2;
constexpr double kSideShade = 0.55;

void FillQuad(gui::Canvas& canvas, std::array<gui::Point, 4> corners, gui::Color fill,
              gui::Color outline) {
  canvas.brush = {fill, false};
  canvas.pen = {outline, 1};
  canvas.Polygon(corners);
}

}  // namespace

void BarChart3D::Paint(gui::Canvas& canvas) {
  canvas.FillRect(ClientRect(), style_.chartColor);
  const BarChartLayout layout = Layout();
  PaintWalls(canvas, layout);
  PaintAxis(canvas, layout);
  for (int i = 0; i < Count(); ++i) {
    PaintBar(canvas, layout, i);
    PaintLabel(canvas, layout, i);
  }
  if (style_.marksVisible) {
    for (int i = 0; i < Count(); ++i) PaintMark(canvas, layout, i);
  }
  if (style_.borderWidth > 0)
    canvas.FrameRect(ClientRect(), style_.borderColor, style_.borderWidth);
}

void BarChart3D::PaintWalls(gui::Canvas& canvas, const BarChartLayout& layout) {
  const gui::Rect& p = layout.plot;
  const int dx = layout.dx;
  const int dy = layout.dy;
  // The back wall, then the left wall and the floor leaning towards the viewer.
  canvas.brush = {style_.backWall, false};
  canvas.pen = {gui::palette::kChartWallEdge, 1};
  canvas.Rectangle({p.left + dx, p.top - dy, p.right + dx + 1, p.bottom - dy + 1});
  FillQuad(canvas,
           {gui::Point{p.left, p.top},
            {p.left + dx, p.top - dy},
            {p.left + dx, p.bottom - dy},
            {p.left, p.bottom}},
           style_.leftWall, gui::palette::kChartWallEdge);
  FillQuad(canvas,
           {gui::Point{p.left, p.bottom},
            {p.left + dx, p.bottom - dy},
            {p.right + dx, p.bottom - dy},
            {p.right, p.bottom}},
           style_.bottomWall, gui::palette::kChartWallEdge);
  // Grid lines at every label above the floor, along the left wall and the back wall.
  canvas.pen = {gui::palette::kChartGrid, 1};
  for (double v = style_.axisMin + layout.step; v <= style_.axisMax + layout.step / 2;
       v += layout.step) {
    const int y = ValueY(layout, v);
    if (y <= p.top - 1 && v < style_.axisMax) continue;
    canvas.Line({p.left + 1, y}, {p.left + dx, y - dy});
    canvas.Line({p.left + dx + 1, y - dy}, {p.right + dx, y - dy});
  }
}

void BarChart3D::PaintAxis(gui::Canvas& canvas, const BarChartLayout& layout) {
  const gui::Rect& p = layout.plot;
  canvas.pen = {gui::palette::kGray, 1};
  canvas.Line({p.left, p.top}, {p.left, p.bottom + 1});
  canvas.font = style_.labelFont;
  canvas.font.color = style_.axisLabelColor;
  const int half = canvas.TextHeight() / 2;
  for (double v = style_.axisMin; v <= style_.axisMax + layout.step / 2; v += layout.step) {
    const int y = ValueY(layout, v);
    canvas.pen = {gui::palette::kGray, 1};
    canvas.Line({p.left - 4, y}, {p.left, y});
    const std::string text = FormatValue(v);
    canvas.TextOut({p.left - 4 - 4 - canvas.TextWidth(text), y - half}, text);
  }
}

void BarChart3D::PaintBar(gui::Canvas& canvas, const BarChartLayout& layout, int index) {
  const Bar& bar = bars_[size_t(index)];
  const gui::Rect f = BarBox(layout, index);
  const double share = std::clamp(style_.barDepthPercent, 0, 100) / 100.0;
  const int bx = int(layout.dx * share + 0.5);
  const int by = int(layout.dy * share + 0.5);
  const gui::Color top = Mix(bar.color, gui::palette::kWhite, kTopLighten);
  const gui::Color foot = Scale(bar.color, kFootShade);

  // Right side, darker and shaded like the front, then the top, then the front.
  if (f.Height() > 0) {
    FillQuad(canvas,
             {gui::Point{f.right, f.top},
              {f.right + bx, f.top - by},
              {f.right + bx, f.bottom - by},
              {f.right, f.bottom}},
             Scale(Mix(bar.color, foot, 0.5), kSideShade), style_.barOutline);
  }
  FillQuad(canvas,
           {gui::Point{f.left, f.top},
            {f.left + bx, f.top - by},
            {f.right + bx, f.top - by},
            {f.right, f.top}},
           top, style_.barOutline);
  if (f.Height() <= 0) return;
  // The gradient spans the rows inside the outline.
  const int rows = f.Height() - 1;
  for (int y = f.top; y < f.bottom; ++y) {
    const double t = rows > 1 ? std::max(0.0, double(y - f.top - 1) / (rows - 1)) : 0;
    canvas.FillRect({f.left, y, f.right, y + 1}, Mix(bar.color, foot, t));
  }
  canvas.FrameRect({f.left, f.top, f.right + 1, f.bottom + 1}, style_.barOutline);
}

void BarChart3D::PaintLabel(gui::Canvas& canvas, const BarChartLayout& layout, int index) {
  const std::string& text = bars_[size_t(index)].label;
  if (text.empty()) return;
  const gui::Rect f = BarBox(layout, index);
  canvas.font = style_.labelFont;
  canvas.font.color = style_.axisLabelColor;
  canvas.TextOut({(f.left + f.right - canvas.TextWidth(text)) / 2, layout.plot.bottom + 2}, text);
}

void BarChart3D::PaintMark(gui::Canvas& canvas, const BarChartLayout& layout, int index) {
  const gui::Rect f = BarBox(layout, index);
  const double share = std::clamp(style_.barDepthPercent, 0, 100) / 100.0;
  // The arrow rises from the middle of the bar's top.
  const int x = (f.left + f.right) / 2 + int(layout.dx * share / 2 + 0.5);
  const int y = f.top - int(layout.dy * share / 2 + 0.5);
  const int tip = y - style_.markArrowLength;
  canvas.pen = {style_.markArrow, 1};
  canvas.Line({x, y}, {x, tip});

  canvas.font = style_.markFont;
  const std::string text = FormatValue(bars_[size_t(index)].value);
  const int w = canvas.TextWidth(text) + 6;
  const int h = canvas.TextHeight() + 2;
  const gui::Rect box = gui::Rect::XYWH(x - w / 2, tip - h, w, h);
  canvas.brush = {style_.markBrush, false};
  canvas.pen = {style_.markFrame, 1};
  canvas.Rectangle(box);
  canvas.TextOut({box.left + 3, box.top + 1}, text);
}

}  // namespace widgets
