// Styles that uncover the new picture piece by piece: the pieces of a tiling in a random
// order, boxes growing in a grid of cells in a wave, cells along a spiral, single pixels
// (speckle and dissolve), and blocks that coarsen and sharpen (pixelate).
#pragma once

#include "controls/transitions/TransitionFrame.h"

namespace controls::transitions {

enum class Tiling : uint8_t {
  Squares,
  Rows,       // full-width bars
  Columns,    // full-height bars
  Bricks,     // rows cut at random places
  Triangles,  // squares halved along alternate diagonals
  Rings,      // round the centre
  Diamonds,
};

// The pieces of a tiling appear whole, in a random order fixed by a seed.
struct RandomPieces {
  Tiling tiling = Tiling::Squares;
};

// A grid of cells, each uncovering a box that grows from its centre. The boxes start one
// after another in a wave from an edge (across or down), or from the centre outward along
// the diagonals (both Middle).
struct BoxWave {
  Edge across = Edge::None;
  Edge down = Edge::None;
};

// Cells uncovered one after another along a rectangular spiral, from the top left corner
// clockwise in to the middle.
struct Spiral {};

// Single pixels appear in a random order; with an edge, those nearer to it come sooner.
struct Speckle {
  Edge across = Edge::None;
  Edge down = Edge::None;
};

// The old picture coarsens into blocks up to half-way, then the new one sharpens out of
// blocks of the same size.
struct Pixelate {};

void Compose(const TransitionFrame& frame, const RandomPieces& style);
void Compose(const TransitionFrame& frame, const BoxWave& style);
void Compose(const TransitionFrame& frame, const Spiral& style);
void Compose(const TransitionFrame& frame, const Speckle& style);
void Compose(const TransitionFrame& frame, const Pixelate& style);

}  // namespace controls::transitions
