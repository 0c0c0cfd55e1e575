// Styles made of strips: bars that slide in, blinds whose slats open, shreds of uneven
// length, and criss-crossing bands of rows and columns.
#pragma once

#include "controls/transitions/TransitionFrame.h"

namespace controls::transitions {

// Bars of the new picture slide in one after another: the even bars from one side, the
// odd ones from the same or the other side, with them or after them. Across: rows of bars
// moving sideways; Down: columns of bars moving up or down.
struct Bars {
  Axis axis = Axis::Across;
  Edge even = Edge::Start;
  Edge odd = Edge::Start;
  bool oddAfterEven = false;
};

// Slats that open along the axis: all alike and together (no wave), or of uneven widths
// opening one after another in a wave from an edge, each from its side facing that edge.
struct Blinds {
  Axis axis = Axis::Across;
  Edge wave = Edge::None;
};

// Thin strips, each uncovered to a length of its own: rows of strips uncovered from the
// `across` edge and columns of strips from the `down` edge (None: no such strips).
struct Shreds {
  Edge across = Edge::None;
  Edge down = Edge::None;
};

// Bands of rows and of columns uncovered from their sides, even bands ahead of odd ones;
// bouncing, the odd bands start when the even ones are done.
struct CrissCross {
  Edge rowsEven = Edge::Start;
  Edge rowsOdd = Edge::Start;
  Edge columnsEven = Edge::Start;
  Edge columnsOdd = Edge::Start;
  bool bounce = false;
};

void Compose(const TransitionFrame& frame, const Bars& style);
void Compose(const TransitionFrame& frame, const Blinds& style);
void Compose(const TransitionFrame& frame, const Shreds& style);
void Compose(const TransitionFrame& frame, const CrissCross& style);

}  // namespace controls::transitions
