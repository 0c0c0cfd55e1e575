// What every transition routine works on, and the timing helpers its families share.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>

#include "gui/Bitmap.h"
#include "gui/Geometry.h"

namespace controls::transitions {

// One frame to compose. Both bitmaps are 32 bits per pixel and w x h.
struct TransitionFrame {
  gui::Bitmap& screen;       // holds the starting image on entry; the frame on return
  const gui::Bitmap& image;  // the new picture
  int w = 0;
  int h = 0;
  int x = 0;  // the picture's size scaled by the progress
  int y = 0;
  int progress = 0;  // 0 to 100
};

// Where something lies along one axis, or the side it comes from.
enum class Edge : uint8_t {
  None,    // nothing along this axis
  Start,   // the left or the top edge
  End,     // the right or the bottom edge
  Middle,  // the middle, growing outward
  Sides,   // both edges, closing in on the middle
  Full,    // the whole width or height: the axis takes no part
};

// The direction in which something moves or opens.
enum class Axis : uint8_t { Across, Down };

// Half-open pixel range lo..hi-1 along one axis.
struct Span {
  int lo = 0;
  int hi = 0;
};

// The rectangle of a band (rows for Across, columns for Down) over a range along the axis.
inline gui::Rect BandRect(Axis axis, Span band, Span along) {
  return axis == Axis::Across ? gui::Rect{along.lo, band.lo, along.hi, band.hi}
                              : gui::Rect{band.lo, along.lo, band.hi, along.hi};
}

// The part of an axis of n pixels uncovered from an edge once `part` pixels are: one span,
// or for Sides two, the first half of the part at the start and the rest at the end.
struct Uncovered {
  std::array<Span, 2> spans{};
  int count = 1;
};
inline Uncovered UncoveredFrom(Edge edge, int n, int part) {
  switch (edge) {
    case Edge::Start:
      return {{Span{0, part}}};
    case Edge::End:
      return {{Span{n - part, n}}};
    case Edge::Middle:
      return {{Span{(n - part) / 2, (n - part) / 2 + part}}};
    case Edge::Sides:
      return {{Span{0, part / 2}, Span{n - (part - part / 2), n}}, 2};
    case Edge::None:
      return {{}, 0};
    case Edge::Full:
      break;
  }
  return {{Span{0, n}}};
}

// How far the progress has gone through the part [start, end] of the transition: 0
// before it, 1 after it.
inline double Phase(int progress, double start, double end) {
  return std::clamp((progress / 100.0 - start) / (end - start), 0.0, 1.0);
}

// A group of `count` members that start one after another within [from, to] of the
// transition: each runs for `length` of that time, the first starting at `from` and the
// last ending at `to`.
inline double StaggeredPhase(int progress, int index, int count, double length, double from = 0,
                             double to = 1) {
  const double start = count > 1 ? (1.0 - length) * index / (count - 1) : 0.0;
  return Phase(progress, from + (to - from) * start, from + (to - from) * (start + length));
}

// The share `phase` of `size` pixels, rounded: 0 at the start, all of them at the end.
inline int Part(int size, double phase) {
  return int(size * phase + 0.5);
}

// A row of 32-bit pixels.
inline uint32_t* Pixels(gui::Bitmap& bitmap, int row) {
  return reinterpret_cast<uint32_t*>(bitmap.Row(row));
}
inline const uint32_t* Pixels(const gui::Bitmap& bitmap, int row) {
  return reinterpret_cast<const uint32_t*>(bitmap.Row(row));
}

}  // namespace controls::transitions
