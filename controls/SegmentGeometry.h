// What a segment display draws, apart from the drawing itself: the accepted text, its
// split into cells and decimal points, the lit segments of every character, the orders
// of the animations, and where every segment, dot and point of a cell lies.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "gui/Geometry.h"

namespace controls {

enum class TSegmentAnimation : uint8_t {
  anNone,
  anSpiral,
  anUp,
  anDown,
  anLeft,
  anRight,
  anRandom
};

namespace segments {

// Segment numbers: 1 top, 2 upper left, 3 upper right, 4 middle, 5 lower left,
// 6 lower right, 7 bottom, 8 colon. A mask has bit s - 1 for segment s.
constexpr int kSegmentCount = 8;
constexpr uint8_t Mask(int segment) {
  return uint8_t(1u << (segment - 1));
}

// The text a display stores for an assigned one: letters in upper case, empty when any
// character lies outside the set, one trailing point removed.
std::string NormalizeValue(std::string_view text);

// The characters of the cells and the point standing in the gap before each, both
// right-aligned to digitNum cells (longer texts keep their first digitNum cells).
struct TSplitText {
  std::string chars;
  std::string points;
};
TSplitText SplitValue(std::string_view text, int digitNum);

// The lit segments of a cell character; a blank (or unknown) cell lights none.
uint8_t LitSegments(char c);
// The segments the dot-matrix corner rule treats as lit: a blank cell counts as '8'.
uint8_t CornerSegments(char c);

// The eight segments in drawing order; anNone and anRandom give the anDown order.
const std::array<uint8_t, kSegmentCount>& AnimationOrder(TSegmentAnimation animation);

// The cell layout of a display in pixels.
struct TSegmentLayout {
  bool dots = false;
  int digitNum = 0;
  int ss = 0;  // segment thickness, or dot diameter
  int p = 0;   // dot pitch
  int sp = 0;  // gap between cells
  int cw = 0;  // cell width
  int ch = 0;  // cell height
  int gx = 0;  // inset of the horizontal segments
  int gy = 0;  // inset of the vertical segments
  int hl = 0;  // horizontal segment length
  int vl = 0;  // vertical segment length

  int CellLeft(int cell) const { return sp + cell * (sp + cw); }
  // The top of the lower vertical segments.
  int LowerTop() const;
  // The decimal point before a cell: a rectangle, or a circle's box in dot style.
  gui::Rect PointBox(int cell) const;
};

struct TLayoutSettings {
  int width = 0;
  int height = 0;
  int digitNum = 0;
  int digitSpacing = 0;
  int dotSpacing = 0;
  int gapX = 0;
  int gapY = 0;
  int segmentSize = 0;
  bool dotDisplay = false;
};

// None when the settings leave no cell to draw: fewer than one digit, or a dot pitch
// below one.
std::optional<TSegmentLayout> ComputeLayout(const TLayoutSettings& settings);

// One segment of a cell: a six-point polygon, or a row of dots (and the colon's two
// ellipses) as bounding boxes. litMask is the cell's CornerSegments: a dotted segment
// missing from it leaves out an end dot that a neighbour in it shares.
struct TSegmentShape {
  std::vector<gui::Point> polygon;
  std::vector<gui::Rect> ellipses;
};
void BuildSegment(const TSegmentLayout& layout, int cellLeft, int segment, uint8_t litMask,
                  TSegmentShape& shape);

}  // namespace segments
}  // namespace controls
