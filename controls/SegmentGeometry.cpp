#include "controls/SegmentGeometry.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>

namespace controls::segments {

namespace {

constexpr uint8_t Segments(std::initializer_list<int> lit) {
  uint8_t mask = 0;
  for (int s : lit) mask = uint8_t(mask | Mask(s));
  return mask;
}

struct CharacterRow {
  char character;
  uint8_t lit;
};

// character, lit segments; the row index is the character's code in the cell.
constexpr CharacterRow kSegmentTable[] = {
    {'0', Segments({1, 2, 3, 5, 6, 7})},
    {'1', Segments({3, 6})},
    {'2', Segments({1, 3, 4, 5, 7})},
    {'3', Segments({1, 3, 4, 6, 7})},
    {'4', Segments({2, 3, 4, 6})},
    {'5', Segments({1, 2, 4, 6, 7})},
    {'6', Segments({1, 2, 4, 5, 6, 7})},
    {'7', Segments({1, 3, 6})},
    {'8', Segments({1, 2, 3, 4, 5, 6, 7})},
    {'9', Segments({1, 2, 3, 4, 6, 7})},
    {'-', Segments({4})},
    {':', Segments({8})},
    {'A', Segments({1, 2, 3, 4, 5, 6})},
    {'B', Segments({2, 4, 5, 6, 7})},
    {'C', Segments({1, 2, 5, 7})},
    {'D', Segments({3, 4, 5, 6, 7})},
    {'E', Segments({1, 2, 4, 5, 7})},
    {'F', Segments({1, 2, 4, 5})},
    {'G', Segments({1, 2, 4, 5, 6, 7})},
    {'H', Segments({2, 4, 5, 6})},
    {'I', Segments({3, 6})},
    {'J', Segments({3, 6, 7})},
    {'K', Segments({2, 3, 4, 5, 6})},
    {'L', Segments({2, 5, 7})},
    {'M', Segments({4, 5, 6})},
    {'N', Segments({4, 5, 6})},
    {'O', Segments({4, 5, 6, 7})},
    {'P', Segments({1, 2, 3, 4, 5})},
    {'Q', Segments({1, 2, 3, 4, 6})},
    {'R', Segments({4, 5})},
    {'S', Segments({1, 2, 4, 6, 7})},
    {'T', Segments({2, 4, 5})},
    {'U', Segments({2, 3, 5, 6, 7})},
    {'V', Segments({2, 3, 5, 6, 7})},
    {'W', Segments({2, 3, 5, 6, 7})},
    {'X', Segments({2, 3, 4, 5, 6})},
    {'Y', Segments({2, 3, 4, 6})},
    {'Z', Segments({1, 3, 4, 5, 7})},
};
static_assert(std::size(kSegmentTable) == 38);

// animation, steps 1 to 8
struct OrderRow {
  TSegmentAnimation animation;
  std::array<uint8_t, kSegmentCount> steps;
};
constexpr OrderRow kAnimationOrder[] = {
    {TSegmentAnimation::anSpiral, {8, 4, 2, 1, 3, 6, 7, 5}},
    {TSegmentAnimation::anUp, {7, 6, 5, 8, 4, 3, 2, 1}},
    {TSegmentAnimation::anDown, {1, 2, 3, 8, 4, 5, 6, 7}},
    {TSegmentAnimation::anLeft, {6, 3, 7, 8, 4, 1, 5, 2}},
    {TSegmentAnimation::anRight, {2, 5, 1, 8, 4, 7, 3, 6}},
};
static_assert(std::size(kAnimationOrder) == 5);

// unlit segment, skip its first dot when one of these is lit, skip its last dot when
// one of these is lit
struct CornerRow {
  int segment;
  uint8_t first;
  uint8_t last;
};
constexpr CornerRow kCornerRule[] = {
    {1, Segments({2}), Segments({3})},       {7, Segments({5}), Segments({6})},
    {4, Segments({2, 5}), Segments({3, 6})}, {2, Segments({1}), Segments({4, 5})},
    {3, Segments({1}), Segments({4, 6})},    {5, Segments({2, 4}), Segments({7})},
    {6, Segments({3, 4}), Segments({7})},
};
static_assert(std::size(kCornerRule) == 7);

int CharacterRowIndex(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c == '-') return 10;
  if (c == ':') return 11;
  if (c >= 'A' && c <= 'Z') return c - 53;
  return -1;
}

bool Accepted(char c) {
  return CharacterRowIndex(c) >= 0 || c == ' ' || c == '.';
}

// Nearest integer, ties to even.
int RoundEven(double value) {
  return int(std::lrint(value));
}

gui::Rect Box(int x0, int y0, int x1, int y1) {
  return {std::min(x0, x1), std::min(y0, y1), std::max(x0, x1), std::max(y0, y1)};
}

enum class Shape { Horizontal, Middle, Vertical };

struct Placement {
  Shape shape;
  int x;
  int y;
  int length;
  int thickness;  // negative: upward or leftward
};

Placement Place(const TSegmentLayout& l, int x, int segment) {
  const int ss = l.ss;
  switch (segment) {
    case 1:
      return {Shape::Horizontal, x + l.gx, 0, l.hl, ss};
    case 7:
      return {Shape::Horizontal, x + l.gx, l.ch, l.hl, -ss};
    case 4:
      return {Shape::Middle, x + l.gx, l.ch / 2 - ss / 2, l.hl, ss};
    case 2:
      return {Shape::Vertical, x, l.gy, l.vl, ss};
    case 3:
      return {Shape::Vertical, x + l.cw, l.gy, l.vl, -ss};
    case 5:
      return {Shape::Vertical, x, l.LowerTop(), l.vl, ss};
    default:
      return {Shape::Vertical, x + l.cw, l.LowerTop(), l.vl, -ss};
  }
}

void BuildPolygon(const Placement& s, int ss, std::vector<gui::Point>& points) {
  const int X = s.x, Y = s.y, L = s.length, t = s.thickness;
  switch (s.shape) {
    case Shape::Horizontal: {
      const int c = Y + RoundEven(t / 4.0);
      points = {{X, c},     {X + ss / 2, Y},     {X + L - ss / 2, Y},
                {X + L, c}, {X + L - ss, Y + t}, {X + ss, Y + t}};
      break;
    }
    case Shape::Middle: {
      const int c = Y + RoundEven(t / 2.0);
      points = {{X, c},     {X + ss, Y},         {X + L - ss, Y},
                {X + L, c}, {X + L - ss, Y + t}, {X + ss, Y + t}};
      break;
    }
    case Shape::Vertical: {
      const int c = X + RoundEven(t / 4.0);
      points = {{c, Y},     {X, Y + ss / 2},     {X, Y + L - ss / 2},
                {c, Y + L}, {X + t, Y + L - ss}, {X + t, Y + ss}};
      break;
    }
  }
}

void BuildDots(const Placement& s, int ss, int pitch, bool skipFirst, bool skipLast,
               std::vector<gui::Rect>& dots) {
  const int start = s.shape == Shape::Vertical ? s.y : s.x;
  const int end = start + s.length;
  for (int at = start; at < end; at += pitch) {
    if (skipFirst && at == start) continue;
    if (skipLast && at + pitch >= end) continue;
    dots.push_back(s.shape == Shape::Vertical ? Box(s.x, at, s.x + s.thickness, at + ss)
                                              : Box(at, s.y, at + ss, s.y + s.thickness));
  }
}

}  // namespace

std::string NormalizeValue(std::string_view text) {
  std::string value;
  value.reserve(text.size());
  for (char c : text) {
    if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
    if (!Accepted(c)) return {};
    value.push_back(c);
  }
  if (!value.empty() && value.back() == '.') value.pop_back();
  return value;
}

TSplitText SplitValue(std::string_view text, int digitNum) {
  TSplitText split;
  bool lastWasPoint = false;
  for (char c : text) {
    if (c == '.') {
      split.points.push_back('.');
      if (lastWasPoint) {
        split.chars.push_back(' ');  // two points in a row: an empty cell between them
      } else {
        lastWasPoint = true;
      }
    } else {
      if (lastWasPoint) {
        lastWasPoint = false;  // the point already pushed belongs to this cell
      } else {
        split.points.push_back(' ');
      }
      split.chars.push_back(c);
    }
  }
  // A point at the very end belongs to an empty cell after it, so the two strings keep
  // one entry per cell.
  if (lastWasPoint) split.chars.push_back(' ');
  const size_t cells = size_t(std::max(digitNum, 0));
  for (std::string* s : {&split.chars, &split.points}) {
    if (s->size() < cells) s->insert(0, cells - s->size(), ' ');
    s->resize(cells);
  }
  return split;
}

uint8_t LitSegments(char c) {
  const int row = CharacterRowIndex(c);
  return row < 0 ? 0 : kSegmentTable[row].lit;
}

uint8_t CornerSegments(char c) {
  return LitSegments(c == ' ' ? '8' : c);
}

const std::array<uint8_t, kSegmentCount>& AnimationOrder(TSegmentAnimation animation) {
  for (const OrderRow& row : kAnimationOrder) {
    if (row.animation == animation) return row.steps;
  }
  return kAnimationOrder[2].steps;  // anDown
}

int TSegmentLayout::LowerTop() const {
  return dots ? ch / 2 - ss / 2 : ch / 2 + gy;
}

gui::Rect TSegmentLayout::PointBox(int cell) const {
  const int d = std::min(sp - 2, ss);
  const int x = CellLeft(cell) - (sp + d) / 2;
  return {x, ch - d, x + d, ch};
}

std::optional<TSegmentLayout> ComputeLayout(const TLayoutSettings& s) {
  TSegmentLayout l;
  l.dots = s.dotDisplay;
  l.digitNum = s.digitNum;
  l.ss = s.segmentSize;
  l.p = s.segmentSize + s.dotSpacing;
  if (s.digitNum < 1 || (s.dotDisplay && l.p < 1)) return std::nullopt;
  const int n = s.digitNum;
  if (s.dotDisplay) {
    l.sp = s.digitSpacing;
    l.cw = (((s.width - 1) / n - l.sp + s.dotSpacing) / l.p) * l.p - s.dotSpacing;
    l.ch = (((s.height - l.ss - 1) / 2) / l.p) * l.p * 2 + l.ss;
  } else {
    l.sp = s.digitSpacing + 1;
    l.cw = (s.width - 1 - l.sp - n * l.sp) / n;
    l.ch = s.height - 1;
    l.gx = s.gapX;
    l.gy = s.gapY;
  }
  l.hl = l.cw - 2 * l.gx;
  l.vl = l.ch / 2 - 2 * l.gy;
  return l;
}

void BuildSegment(const TSegmentLayout& l, int cellLeft, int segment, uint8_t litMask,
                  TSegmentShape& shape) {
  shape.polygon.clear();
  shape.ellipses.clear();
  if (segment == 8) {
    // The colon: two ellipses in the middle of the cell, in both styles.
    const int w = l.hl / 3;
    const int h = l.vl / 3;
    const int left = cellLeft + (l.cw - w) / 2;
    const int upper = l.ch / 2 - 2 * h;
    const int lower = l.ch / 2 + h;
    shape.ellipses = {{left, upper, left + w, upper + h}, {left, lower, left + w, lower + h}};
    return;
  }
  const Placement placement = Place(l, cellLeft, segment);
  if (!l.dots) {
    BuildPolygon(placement, l.ss, shape.polygon);
    return;
  }
  bool skipFirst = false;
  bool skipLast = false;
  if ((litMask & Mask(segment)) == 0) {
    for (const CornerRow& row : kCornerRule) {
      if (row.segment != segment) continue;
      skipFirst = (litMask & row.first) != 0;
      skipLast = (litMask & row.last) != 0;
    }
  }
  BuildDots(placement, l.ss, l.p, skipFirst, skipLast, shape.ellipses);
}

}  // namespace controls::segments
