// Styles that uncover the new picture through a growing shape: ellipses, wedges turning
// round a hub, fronts with a straight, V-shaped or zigzag edge, diamonds, a diagonal cross,
// and shapes that spin as they grow.
#pragma once

#include "controls/transitions/TransitionFrame.h"

namespace controls::transitions {

// An ellipse centred on an edge's middle (Start or End along one axis, Middle along the
// other), a corner or the centre that grows until it covers the picture; inward, the old
// picture keeps a shrinking ellipse.
struct Ellipse {
  Edge across = Edge::Middle;
  Edge down = Edge::Middle;
  bool inward = false;
};

enum class Turn : int8_t { Clockwise = 1, Anticlockwise = -1, BothWays = 0 };

// Wedges spaced evenly round a hub, each opening from its start angle by `sweep` degrees
// (both ways: half each side of it). Angles run clockwise from pointing right.
struct Fan {
  Edge across = Edge::Middle;  // where the hub is
  Edge down = Edge::Middle;
  int blades = 1;
  int start = 0;            // degrees
  bool onDiagonal = false;  // start along the diagonal from the top left corner instead
  Turn turn = Turn::Clockwise;
  int sweep = 360;  // degrees
};

enum class FrontShape : uint8_t {
  Straight,  // from a corner (across and down both an edge): a diagonal edge
  Vee,       // from an edge (the other axis Full): a point leading
  Zigzag,    // from an edge: a row of teeth
};

struct Front {
  FrontShape shape = FrontShape::Straight;
  Edge across = Edge::Start;
  Edge down = Edge::Full;
};

// A diamond, or a cross along the two diagonals, growing out from the centre; inward, the
// new picture closes in and the old one keeps the shrinking shape.
enum class CentreShape : uint8_t { Diamond, DiagonalCross };

struct Centred {
  CentreShape shape = CentreShape::Diamond;
  bool inward = false;
};

// A rectangle (no points) or a star turning round the centre as it grows to cover the
// picture. The new picture's share may fall back while corners turn out of the frame.
struct Spin {
  int points = 0;
};

void Compose(const TransitionFrame& frame, const Ellipse& style);
void Compose(const TransitionFrame& frame, const Fan& style);
void Compose(const TransitionFrame& frame, const Front& style);
void Compose(const TransitionFrame& frame, const Centred& style);
void Compose(const TransitionFrame& frame, const Spin& style);

}  // namespace controls::transitions
