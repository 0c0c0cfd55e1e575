#include "controls/transitions/ShapeStyles.h"

#include <cmath>
#include <numbers>
#include <vector>

#include "controls/transitions/RevealMask.h"

namespace controls::transitions {
namespace {

constexpr double kRadiansPerDegree = std::numbers::pi / 180;
constexpr double kArcStep = 15;    // degrees between the corners that trace a wedge's arc
constexpr int kVeeDepthShare = 2;  // the point leads the wings by half the picture's breadth
constexpr int kZigzagTeeth = 8;    // teeth per front-travel
constexpr double kOffCentre = 1.0 / 1024;
constexpr int kSpinTurn = 180;  // degrees a spinning shape turns on its way

double Progress(const TransitionFrame& f) {
  return f.progress / 100.0;
}

// Where a hub or an anchor lies along an axis of n pixels, and the farthest a pixel
// centre can be from it.
double Anchor(Edge edge, int n) {
  return edge == Edge::Start ? 0 : edge == Edge::End ? n : n / 2.0;
}
double Reach(Edge edge, int n) {
  return edge == Edge::Start || edge == Edge::End ? n : n / 2.0;
}

// Local coordinates of a front: u runs from the edge it starts at, v along that edge.
struct Orientation {
  bool down = false;  // moving down rather than across
  bool flipX = false;
  bool flipY = false;
  int w = 0;
  int h = 0;
  PointF operator()(double u, double v) const {
    PointF p = down ? PointF{v, u} : PointF{u, v};
    if (flipX) p.x = w - p.x;
    if (flipY) p.y = h - p.y;
    return p;
  }
};

}  // namespace

void Compose(const TransitionFrame& f, const Ellipse& style) {
  RevealMask mask(f.w, f.h);
  // At √2 times the farthest reach on both axes an ellipse covers the whole rectangle.
  const double scale = std::numbers::sqrt2 * (style.inward ? 1 - Progress(f) : Progress(f));
  mask.AddEllipse({Anchor(style.across, f.w), Anchor(style.down, f.h)},
                  scale * Reach(style.across, f.w), scale * Reach(style.down, f.h));
  if (style.inward) mask.Invert();
  mask.CopyNewInside(f);
}

void Compose(const TransitionFrame& f, const Fan& style) {
  RevealMask mask(f.w, f.h);
  const double opened = style.sweep * Progress(f);
  if (style.blades * opened >= 360) {
    mask.AddRect({0, 0, f.w, f.h});
  } else if (opened > 0) {
    // Off any pixel centre: a pixel on the hub, or on a ray through it, would belong to
    // a wedge or not by the rounding of its edges, and could drop out as it opens.
    const PointF hub{Anchor(style.across, f.w) + kOffCentre, Anchor(style.down, f.h) + kOffCentre};
    const double radius = 2.0 * (f.w + f.h);
    const double first =
        style.onDiagonal ? std::atan2(double(f.h), double(f.w)) / kRadiansPerDegree : style.start;
    for (int blade = 0; blade < style.blades; ++blade) {
      const double start = first + 360.0 * blade / style.blades;
      const double from = style.turn == Turn::BothWays        ? start - opened / 2
                          : style.turn == Turn::Anticlockwise ? start - opened
                                                              : start;
      std::vector<PointF> corners{hub};
      const int steps = int(std::ceil(opened / kArcStep));
      for (int i = 0; i <= steps; ++i) {
        const double angle = (from + opened * i / steps) * kRadiansPerDegree;
        corners.push_back({hub.x + radius * std::cos(angle), hub.y + radius * std::sin(angle)});
      }
      mask.AddPolygon(corners);
    }
  }
  mask.CopyNewInside(f);
}

void Compose(const TransitionFrame& f, const Front& style) {
  const bool down = style.across == Edge::Full;
  const Orientation to{down, style.across == Edge::End, style.down == Edge::End, f.w, f.h};
  const double length = down ? f.h : f.w;   // the way the front travels
  const double breadth = down ? f.w : f.h;  // along the front
  std::vector<PointF> corners;
  switch (style.shape) {
    case FrontShape::Straight: {
      // Both axes run from the corner: u + v (each over its side) below twice the progress.
      const double reach = 2 * Progress(f);
      corners = {to(0, 0), to(reach * f.w, 0), to(0, reach * f.h)};
      break;
    }
    case FrontShape::Vee: {
      const double depth = breadth / kVeeDepthShare;
      const double tip = (length + depth) * Progress(f);
      corners = {to(-1, 0), to(tip - depth, 0), to(tip, breadth / 2), to(tip - depth, breadth),
                 to(-1, breadth)};
      break;
    }
    case FrontShape::Zigzag: {
      const double tooth = std::max(2.0, length / kZigzagTeeth);
      const double front = (length + tooth) * Progress(f);
      corners.push_back(to(-1, 0));
      double along = 0;
      for (int i = 0; along < breadth; ++i) {
        along = i * tooth;
        corners.push_back(to(front - (i % 2 ? tooth : 0), along));
      }
      corners.push_back(to(-1, along));
      break;
    }
  }
  RevealMask mask(f.w, f.h);
  mask.AddPolygon(corners);
  mask.CopyNewInside(f);
}

void Compose(const TransitionFrame& f, const Centred& style) {
  const double grown = style.inward ? 1 - Progress(f) : Progress(f);
  const double cx = f.w / 2.0;
  const double cy = f.h / 2.0;
  RevealMask mask(f.w, f.h);
  if (style.shape == CentreShape::Diamond) {
    // Half-diagonals of w and h put the picture's corners on the diamond's edges.
    const double a = grown * f.w;
    const double b = grown * f.h;
    const PointF corners[] = {{cx - a, cy}, {cx, cy - b}, {cx + a, cy}, {cx, cy + b}};
    mask.AddPolygon(corners);
  } else {
    // No pixel centre lies farther than w h / (2 diagonal) from the nearer diagonal.
    const double diagonal = std::hypot(double(f.w), double(f.h));
    const double half = grown * (f.w * f.h / (2 * diagonal) + 1);
    const double nx = -f.h / diagonal * half;
    const double ny = f.w / diagonal * half;
    for (const double sign : {1.0, -1.0}) {
      // The diagonal through the centre in direction (w, sign h), drawn well past the edges.
      const double dx = f.w;
      const double dy = sign * f.h;
      const double mx = sign * nx;
      const PointF band[] = {{cx - dx - mx, cy - dy - ny},
                             {cx + dx - mx, cy + dy - ny},
                             {cx + dx + mx, cy + dy + ny},
                             {cx - dx + mx, cy - dy + ny}};
      mask.AddPolygon(band);
    }
  }
  if (style.inward) mask.Invert();
  mask.CopyNewInside(f);
}

void Compose(const TransitionFrame& f, const Spin& style) {
  const double grown = Progress(f);
  const double turn = kSpinTurn * grown * kRadiansPerDegree;
  const PointF centre{f.w / 2.0, f.h / 2.0};
  std::vector<PointF> corners;
  const auto add = [&](double dx, double dy) {
    corners.push_back({centre.x + dx * std::cos(turn) - dy * std::sin(turn),
                       centre.y + dx * std::sin(turn) + dy * std::cos(turn)});
  };
  if (style.points == 0) {
    const double a = grown * f.w / 2;
    const double b = grown * f.h / 2;
    add(-a, -b);
    add(a, -b);
    add(a, b);
    add(-a, b);
  } else {
    // The inner circle reaches the picture's corners by the end.
    const double inner = grown * (std::hypot(f.w / 2.0, f.h / 2.0) + 1);
    for (int i = 0; i < 2 * style.points; ++i) {
      const double angle = std::numbers::pi * i / style.points;
      const double r = i % 2 ? inner : 2 * inner;
      add(r * std::cos(angle), r * std::sin(angle));
    }
  }
  RevealMask mask(f.w, f.h);
  mask.AddPolygon(corners);
  mask.CopyNewInside(f);
}

}  // namespace controls::transitions
