// The style table and the transition routines that have one of their own.
#include "controls/TransitionStyles.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "gui/Canvas.h"

namespace controls {
namespace {

using gui::Bitmap;
using gui::Canvas;
using gui::Rect;

// Where a growing part of the picture lies along one axis.
enum class E : uint8_t {
  Start,   // grows from the left or top edge
  End,     // grows from the right or bottom edge
  Middle,  // grows from the middle outward
  Full,    // the axis does not take part: the whole width or height
};

struct Range {
  int lo = 0;
  int hi = 0;
};

constexpr Range Place(E edge, int size, int part) {
  switch (edge) {
    case E::Start:
      return {0, part};
    case E::End:
      return {size - part, size};
    case E::Middle:
      return {(size - part) / 2, (size - part) / 2 + part};
    case E::Full:
      break;
  }
  return {0, size};
}

// A sliding picture enters with its far side first: what shows at the left edge is the
// picture's right part.
constexpr int SlideSource(E edge, int size, int part) {
  switch (edge) {
    case E::Start:
      return size - part;
    case E::Middle:
      return (size - part) / 2;
    case E::End:
    case E::Full:
      break;
  }
  return 0;
}

template <E ex, E ey>
void Reveal(Bitmap& screen, const Bitmap& image, int w, int h, int x, int y, int) {
  const Range rx = Place(ex, w, x);
  const Range ry = Place(ey, h, y);
  Canvas(screen).Draw({rx.lo, ry.lo}, image, {rx.lo, ry.lo, rx.hi, ry.hi});
}

template <E ex, E ey>
void Slide(Bitmap& screen, const Bitmap& image, int w, int h, int x, int y, int) {
  const Range rx = Place(ex, w, x);
  const Range ry = Place(ey, h, y);
  const Rect from =
      Rect::XYWH(SlideSource(ex, w, x), SlideSource(ey, h, y), rx.hi - rx.lo, ry.hi - ry.lo);
  Canvas(screen).Draw({rx.lo, ry.lo}, image, from);
}

template <E ex, E ey>
void Expand(Bitmap& screen, const Bitmap& image, int w, int h, int x, int y, int) {
  const Range rx = Place(ex, w, x);
  const Range ry = Place(ey, h, y);
  Canvas(screen).StretchDraw({rx.lo, ry.lo, rx.hi, ry.hi}, image, {0, 0, w, h});
}

void RevealInFromSides(Bitmap& screen, const Bitmap& image, int w, int h, int x, int, int) {
  const int left = x / 2;
  const int right = x - left;
  Canvas canvas(screen);
  canvas.Draw({0, 0}, image, {0, 0, left, h});
  canvas.Draw({w - right, 0}, image, {w - right, 0, w, h});
}

void ExpandInFromSides(Bitmap& screen, const Bitmap& image, int w, int h, int x, int, int) {
  const int left = x / 2;
  const int right = x - left;
  const int half = w / 2;
  Canvas canvas(screen);
  canvas.StretchDraw({0, 0, left, h}, image, {0, 0, half, h});
  canvas.StretchDraw({w - right, 0, w, h}, image, {half, 0, w, h});
}

// The new picture closes in from all four edges over a shrinking hole of the old one.
void RevealInToCentre(Bitmap& screen, const Bitmap& image, int w, int h, int x, int y, int) {
  const Range rx = Place(E::Middle, w, w - x);
  const Range ry = Place(E::Middle, h, h - y);
  Canvas canvas(screen);
  canvas.ExcludeClip({rx.lo, ry.lo, rx.hi, ry.hi});
  canvas.Draw({0, 0}, image);
}

// Pushes move the old picture out while the new one enters behind it. They shift the
// frame in place, which on entry holds the old picture.
void PushRight(Bitmap& screen, const Bitmap& image, int w, int h, int x, int, int) {
  for (int row = 0; row < h; ++row) {
    uint8_t* s = screen.Row(row);
    std::memmove(s + size_t(x) * 4, s, size_t(w - x) * 4);
    std::memcpy(s, image.Row(row) + size_t(w - x) * 4, size_t(x) * 4);
  }
}

void PushLeft(Bitmap& screen, const Bitmap& image, int w, int h, int x, int, int) {
  for (int row = 0; row < h; ++row) {
    uint8_t* s = screen.Row(row);
    std::memmove(s, s + size_t(x) * 4, size_t(w - x) * 4);
    std::memcpy(s + size_t(w - x) * 4, image.Row(row), size_t(x) * 4);
  }
}

void PushDown(Bitmap& screen, const Bitmap& image, int w, int h, int, int y, int) {
  const size_t bytes = size_t(w) * 4;
  for (int row = h - 1; row >= y; --row) std::memcpy(screen.Row(row), screen.Row(row - y), bytes);
  for (int row = 0; row < y; ++row) std::memcpy(screen.Row(row), image.Row(h - y + row), bytes);
}

void PushUp(Bitmap& screen, const Bitmap& image, int w, int h, int, int y, int) {
  const size_t bytes = size_t(w) * 4;
  for (int row = 0; row < h - y; ++row) std::memcpy(screen.Row(row), screen.Row(row + y), bytes);
  for (int row = h - y; row < h; ++row)
    std::memcpy(screen.Row(row), image.Row(row - (h - y)), bytes);
}

constexpr int kBlindSize = 16;

// Every slat of kBlindSize pixels opens by the same share of its width.
void BlindVertically(Bitmap& screen, const Bitmap& image, int w, int h, int, int, int progress) {
  Canvas canvas(screen);
  for (int left = 0; left < w; left += kBlindSize) {
    const int open = MulDiv(std::min(kBlindSize, w - left), progress, 100);
    canvas.Draw({left, 0}, image, {left, 0, left + open, h});
  }
}

void BlindHorizontally(Bitmap& screen, const Bitmap& image, int w, int h, int, int, int progress) {
  Canvas canvas(screen);
  for (int top = 0; top < h; top += kBlindSize) {
    const int open = MulDiv(std::min(kBlindSize, h - top), progress, 100);
    canvas.Draw({0, top}, image, {0, top, w, top + open});
  }
}

// A fixed scramble of a cell number to a rank from 0 to 999: each cell appears once its
// rank falls below the progress, so the order looks random but every frame is the same
// for the same progress.
constexpr int Rank(uint32_t cell) {
  cell ^= cell >> 16;
  cell *= 0x7FEB352Du;
  cell ^= cell >> 15;
  cell *= 0x846CA68Bu;
  cell ^= cell >> 16;
  return int(cell % 1000u);
}

constexpr int kSquareSize = 12;

void RandomSquares(Bitmap& screen, const Bitmap& image, int w, int h, int, int, int progress) {
  Canvas canvas(screen);
  const int columns = (w + kSquareSize - 1) / kSquareSize;
  const int limit = progress * 10;
  for (int top = 0, row = 0; top < h; top += kSquareSize, ++row) {
    for (int left = 0, column = 0; left < w; left += kSquareSize, ++column) {
      if (Rank(uint32_t(row * columns + column)) >= limit) continue;
      canvas.Draw({left, top}, image, Rect::XYWH(left, top, kSquareSize, kSquareSize));
    }
  }
}

void Dissolve(Bitmap& screen, const Bitmap& image, int w, int h, int, int, int progress) {
  const int limit = progress * 10;
  for (int row = 0; row < h; ++row) {
    uint32_t* s = reinterpret_cast<uint32_t*>(screen.Row(row));
    const uint32_t* n = reinterpret_cast<const uint32_t*>(image.Row(row));
    const uint32_t first = uint32_t(row) * uint32_t(w);
    for (int col = 0; col < w; ++col) {
      if (Rank(first + uint32_t(col)) < limit) s[col] = n[col];
    }
  }
}

// Each block takes the colour of its centre pixel.
void PixelateInPlace(Bitmap& screen, int w, int h, int block) {
  for (int top = 0; top < h; top += block) {
    const int bottom = std::min(top + block, h);
    const int cy = std::min(top + block / 2, h - 1);
    for (int left = 0; left < w; left += block) {
      const int right = std::min(left + block, w);
      const int cx = std::min(left + block / 2, w - 1);
      uint32_t colour;
      std::memcpy(&colour, screen.Row(cy) + size_t(cx) * 4, 4);
      for (int row = top; row < bottom; ++row) {
        uint32_t* s = reinterpret_cast<uint32_t*>(screen.Row(row));
        std::fill(s + left, s + right, colour);
      }
    }
  }
}

// The old picture coarsens into blocks up to half-way, then the new one sharpens out of
// blocks of the same size.
void Pixelate(Bitmap& screen, const Bitmap& image, int w, int h, int, int, int progress) {
  const int largest = std::max(2, std::min(w, h) / 8);
  const bool showNew = progress > 50;
  const int block = 1 + MulDiv(largest - 1, showNew ? 100 - progress : progress, 50);
  if (showNew) {
    for (int row = 0; row < h; ++row) std::memcpy(screen.Row(row), image.Row(row), size_t(w) * 4);
  }
  if (block > 1) PixelateInPlace(screen, w, h, block);
}

// Sixteen bytes and their sixteen 16-bit widenings, for the fade.
using U8x16 = uint8_t __attribute__((vector_size(16)));
using U16x16 = uint16_t __attribute__((vector_size(32)));

struct StyleEntry {
  std::string_view name;
  TransitionRoutine routine;  // null: the style falls back to the fade
};

// The styles in number order, from 1. Styles with their own routine: the reveals, slides
// and expansions from edges, corners and the middle (1 to 6, 10 to 13, 18 to 23, 27, 28,
// 33, 35 to 46, 52 to 54), the fade (119), random squares (128), the pushes (129, 130,
// 133, 134), the blinds (137, 138), pixelate (168) and dissolve (169). Every other style
// fades.
constexpr std::array<StyleEntry, kStyleCount> kStyles{{
    // name, routine
    {"Expand from right", Expand<E::End, E::Full>},                        // 1
    {"Expand from left", Expand<E::Start, E::Full>},                       // 2
    {"Slide in from right", Slide<E::End, E::Full>},                       // 3
    {"Slide in from left", Slide<E::Start, E::Full>},                      // 4
    {"Reveal from left", Reveal<E::Start, E::Full>},                       // 5
    {"Reveal from right", Reveal<E::End, E::Full>},                        // 6
    {"Expand in from right", nullptr},                                     // 7
    {"Expand in from left", nullptr},                                      // 8
    {"Expand in to middle", nullptr},                                      // 9
    {"Expand out from middle", Expand<E::Middle, E::Full>},                // 10
    {"Reveal out from middle", Reveal<E::Middle, E::Full>},                // 11
    {"Reveal in from sides", RevealInFromSides},                           // 12
    {"Expand in from sides", ExpandInFromSides},                           // 13
    {"Unroll from left", nullptr},                                         // 14
    {"Unroll from right", nullptr},                                        // 15
    {"Build up from right", nullptr},                                      // 16
    {"Build up from left", nullptr},                                       // 17
    {"Expand from bottom", Expand<E::Full, E::End>},                       // 18
    {"Expand from top", Expand<E::Full, E::Start>},                        // 19
    {"Slide in from bottom", Slide<E::Full, E::End>},                      // 20
    {"Slide in from top", Slide<E::Full, E::Start>},                       // 21
    {"Reveal from top", Reveal<E::Full, E::Start>},                        // 22
    {"Reveal from bottom", Reveal<E::Full, E::End>},                       // 23
    {"Expand in from bottom", nullptr},                                    // 24
    {"Expand in from top", nullptr},                                       // 25
    {"Expand in to middle (horiz)", nullptr},                              // 26
    {"Expand out from middle (horiz)", Expand<E::Full, E::Middle>},        // 27
    {"Reveal from middle (horiz)", Reveal<E::Full, E::Middle>},            // 28
    {"Slide in from top / bottom", nullptr},                               // 29
    {"Expand in from top / bottom", nullptr},                              // 30
    {"Unroll from top", nullptr},                                          // 31
    {"Unroll from bottom", nullptr},                                       // 32
    {"Expand from bottom", Expand<E::Full, E::End>},                       // 33
    {"Expand in from top", nullptr},                                       // 34
    {"Expand from bottom right", Expand<E::End, E::End>},                  // 35
    {"Expand from top right", Expand<E::End, E::Start>},                   // 36
    {"Expand from top left", Expand<E::Start, E::Start>},                  // 37
    {"Expand from bottom left", Expand<E::Start, E::End>},                 // 38
    {"Slide in from bottom right", Slide<E::End, E::End>},                 // 39
    {"Slide in from top right", Slide<E::End, E::Start>},                  // 40
    {"Slide in from top left", Slide<E::Start, E::Start>},                 // 41
    {"Slide in from bottom left", Slide<E::Start, E::End>},                // 42
    {"Reveal from top left", Reveal<E::Start, E::Start>},                  // 43
    {"Reveal from bottom left", Reveal<E::Start, E::End>},                 // 44
    {"Reveal from bottom right", Reveal<E::End, E::End>},                  // 45
    {"Reveal from top right", Reveal<E::End, E::Start>},                   // 46
    {"Appear and Contract to top left", nullptr},                          // 47
    {"Appear and Contract to bottom left", nullptr},                       // 48
    {"Appear and Contract to bottom right", nullptr},                      // 49
    {"Appear and Contract to top right", nullptr},                         // 50
    {"Appear and Contract to middle", nullptr},                            // 51
    {"Expand out from centre", Expand<E::Middle, E::Middle>},              // 52
    {"Reveal out from centre", Reveal<E::Middle, E::Middle>},              // 53
    {"Reveal in to centre", RevealInToCentre},                             // 54
    {"Quarters Reveal in to middle", nullptr},                             // 55
    {"Quarters Expand to middle", nullptr},                                // 56
    {"Quarters Slide in to middle", nullptr},                              // 57
    {"Curved Reveal from left", nullptr},                                  // 58
    {"Curved Reveal from right", nullptr},                                 // 59
    {"Bars in from right", nullptr},                                       // 60
    {"Bars in from left", nullptr},                                        // 61
    {"Bars left then right", nullptr},                                     // 62
    {"Bars right then left", nullptr},                                     // 63
    {"Bars from both sides", nullptr},                                     // 64
    {"Uneven shred from right", nullptr},                                  // 65
    {"Uneven shred from left", nullptr},                                   // 66
    {"Uneven shred out from middle (horiz)", nullptr},                     // 67
    {"Uneven shred in to middle (horiz)", nullptr},                        // 68
    {"Curved Reveal from top", nullptr},                                   // 69
    {"Curved Reveal from bottom", nullptr},                                // 70
    {"Bars from bottom", nullptr},                                         // 71
    {"Bars from top", nullptr},                                            // 72
    {"Bars top then bottom", nullptr},                                     // 73
    {"Bars bottom then top", nullptr},                                     // 74
    {"Bars from top and bottom", nullptr},                                 // 75
    {"Unven shred from bottom", nullptr},                                  // 76
    {"Uneven shred from top", nullptr},                                    // 77
    {"Uneven shred from horizon", nullptr},                                // 78
    {"Uneven shred in to horizon", nullptr},                               // 79
    {"Curved reveal from top left", nullptr},                              // 80
    {"Curved reveal from top right", nullptr},                             // 81
    {"Curved reveal from bottom left", nullptr},                           // 82
    {"Curved reveal from bottom right", nullptr},                          // 83
    {"Elliptic reveal out from centre", nullptr},                          // 84
    {"Elliptic reveal in to centre", nullptr},                             // 85
    {"Criss Cross reveal from bottom right", nullptr},                     // 86
    {"Criss Cross reveal from top right", nullptr},                        // 87
    {"Criss Cross reveal from bottom left", nullptr},                      // 88
    {"Criss Cross reveal from top left", nullptr},                         // 89
    {"Criss Cross reveal bounce from top left", nullptr},                  // 90
    {"Criss Cross reveal bounce from bottom left", nullptr},               // 91
    {"Criss Cross reveal bounce from top right", nullptr},                 // 92
    {"Criss Cross reveal bounce from bottom right", nullptr},              // 93
    {"Criss Cross reveal from right top and bottom", nullptr},             // 94
    {"Criss Cross reveal from left top and bottom", nullptr},              // 95
    {"Criss Cross reveal from left right and bottom", nullptr},            // 96
    {"Criss Cross reveal from left right and top", nullptr},               // 97
    {"Criss Cross reveal from top left right and bottom", nullptr},        // 98
    {"Criss Cross reveal from bottom left top right", nullptr},            // 99
    {"Uneven shred from bottom and right", nullptr},                       // 100
    {"Uneven shred from top and right", nullptr},                          // 101
    {"Uneven shred from bottom and left", nullptr},                        // 102
    {"Uneven shred from top and left", nullptr},                           // 103
    {"Uneven shred from horiz and right", nullptr},                        // 104
    {"Uneven shred from horiz and left", nullptr},                         // 105
    {"Uneven shred from bottom and vert middle", nullptr},                 // 106
    {"Uneven shred from top and vert middle", nullptr},                    // 107
    {"Uneven shred from centre", nullptr},                                 // 108
    {"Uneven shred to centre", nullptr},                                   // 109
    {"Reveal diagonal from top left", nullptr},                            // 110
    {"Reveal diagonal from top right", nullptr},                           // 111
    {"Reveal diagonal from bottom left", nullptr},                         // 112
    {"Reveal diagonal from bottom right", nullptr},                        // 113
    {"Diagonal sweep from top left bottom right anticlockwise", nullptr},  // 114
    {"Diagonal sweep from top left bottom right clockwise", nullptr},      // 115
    {"Starburst clockwise from center", nullptr},                          // 116
    {"Starburst anticlockwise from center", nullptr},                      // 117
    {"Triangular shred", nullptr},                                         // 118
    {"Fade", Fade},                                                        // 119
    {"Pivot from top left", nullptr},                                      // 120
    {"Pivot from bottom left", nullptr},                                   // 121
    {"Pivot from top right", nullptr},                                     // 122
    {"Pivot from bottom right", nullptr},                                  // 123
    {"Speckle appear from right", nullptr},                                // 124
    {"Speckle appear from left", nullptr},                                 // 125
    {"Speckle appear from bottom", nullptr},                               // 126
    {"Speckle appear from top", nullptr},                                  // 127
    {"Random squares appear", RandomSquares},                              // 128
    {"Push right", PushRight},                                             // 129
    {"Push left", PushLeft},                                               // 130
    {"Push and squeeze right", nullptr},                                   // 131
    {"Push and squeeze left", nullptr},                                    // 132
    {"Push down", PushDown},                                               // 133
    {"Push up", PushUp},                                                   // 134
    {"Push and sqeeze down", nullptr},                                     // 135
    {"Push and sqeeze up", nullptr},                                       // 136
    {"Blind vertically", BlindVertically},                                 // 137
    {"Blind horizontally", BlindHorizontally},                             // 138
    {"Uneven blind from left", nullptr},                                   // 139
    {"Uneven blind from right", nullptr},                                  // 140
    {"Uneven blind from top", nullptr},                                    // 141
    {"Uneven blind from bottom", nullptr},                                 // 142
    {"Rectangular shred", nullptr},                                        // 143
    {"Sweep clockwise", nullptr},                                          // 144
    {"Sweep anticlockwise", nullptr},                                      // 145
    {"Rectangles apear from left and disapear to right", nullptr},         // 146
    {"Rectangles apear from right and disapear to left", nullptr},         // 147
    {"Rectangles apear from up and disapear to bottom", nullptr},          // 148
    {"Rectangles apear from bottom and disapear to up", nullptr},          // 149
    {"Rotational rectangle in center", nullptr},                           // 150
    {"Rotational star in center", nullptr},                                // 151
    {"Spiral rectangle", nullptr},                                         // 152
    {"Circular shred", nullptr},                                           // 153
    {"Reveal V from left", nullptr},                                       // 154
    {"Reveal V from right", nullptr},                                      // 155
    {"Reveal V from top", nullptr},                                        // 156
    {"Reveal V from bottom", nullptr},                                     // 157
    {"Bow Tie Horizontal", nullptr},                                       // 158
    {"Bow Tie Vertical", nullptr},                                         // 159
    {"Diagonal Cross In", nullptr},                                        // 160
    {"Diagonal Cross Out", nullptr},                                       // 161
    {"Zigzag Horizontal", nullptr},                                        // 162
    {"Zigzag Vertical", nullptr},                                          // 163
    {"Diamond shred", nullptr},                                            // 164
    {"Reveal diamond out from centre", nullptr},                           // 165
    {"Reveal diamond in to centre", nullptr},                              // 166
    {"Diagonal Box Out", nullptr},                                         // 167
    {"Pixelate", Pixelate},                                                // 168
    {"Dissolve", Dissolve},                                                // 169
    {"Random Bars Horizontal", nullptr},                                   // 170
    {"Random Bars Vertical", nullptr},                                     // 171
    {"Channel Mix", nullptr},                                              // 172
}};
static_assert(kStyles.size() == 172);
static_assert(kStyles[kFadeStyle - 1].name == "Fade");
static_assert(kStyles[51 - 1].name == "Appear and Contract to middle");

constexpr bool EqualNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

}  // namespace

void Fade(Bitmap& screen, const Bitmap& newImage, int w, int h, int, int, int progress) {
  if (w <= 0 || h <= 0 || screen.Width() != w || screen.Height() != h || newImage.Width() != w ||
      newImage.Height() != h || screen.PixelFormat() != Bitmap::Format::Bgra32 ||
      newImage.PixelFormat() != Bitmap::Format::Bgra32) {
    return;
  }
  const int a = MulDiv(256, std::clamp(progress, 0, 100), 100);
  // s + floor((n - s) * a / 256) equals floor((s * (256 - a) + n * a) / 256), since
  // 256 * s divides evenly; that sum is never negative and never above 65 280, so the
  // blend runs on sixteen unsigned 16-bit lanes at a time (four pixels). The fourth byte
  // gets the weights 256 and 0, which keep it. 32-bit rows have no padding, so the
  // picture is one run.
  const auto keep = uint16_t(256 - a);
  const auto take = uint16_t(a);
  const U16x16 keepWeights = {keep, keep, keep, 256, keep, keep, keep, 256,
                              keep, keep, keep, 256, keep, keep, keep, 256};
  const U16x16 takeWeights = {take, take, take, 0, take, take, take, 0,
                              take, take, take, 0, take, take, take, 0};
  uint8_t* s = screen.Data();
  const uint8_t* n = newImage.Data();
  const size_t bytes = size_t(w) * size_t(h) * 4;
  size_t i = 0;
  for (; i + sizeof(U8x16) <= bytes; i += sizeof(U8x16)) {
    U8x16 sv;
    U8x16 nv;
    std::memcpy(&sv, s + i, sizeof sv);
    std::memcpy(&nv, n + i, sizeof nv);
    const U16x16 blended = (__builtin_convertvector(sv, U16x16) * keepWeights +
                            __builtin_convertvector(nv, U16x16) * takeWeights) >>
                           8;
    const U8x16 out = __builtin_convertvector(blended, U8x16);
    std::memcpy(s + i, &out, sizeof out);
  }
  // The last pixels when the count is not a multiple of four, in the plain signed form.
  for (; i < bytes; i += 4) {
    for (size_t c = 0; c < 3; ++c) {
      s[i + c] = uint8_t(s[i + c] + (((int(n[i + c]) - int(s[i + c])) * a) >> 8));
    }
  }
}

std::string_view TransitionStyleName(int style) {
  if (style == 0) return kCustomStyleName;
  if (style < 0 || style > kStyleCount) return {};
  return kStyles[size_t(style - 1)].name;
}

int FindTransitionStyle(std::string_view name) {
  if (EqualNoCase(name, kCustomStyleName)) return 0;
  for (size_t i = 0; i < kStyles.size(); ++i) {
    if (EqualNoCase(name, kStyles[i].name)) return int(i) + 1;
  }
  return -1;
}

TransitionRoutine TransitionRoutineOf(int style) {
  if (style < 1 || style > kStyleCount) return nullptr;
  const TransitionRoutine own = kStyles[size_t(style - 1)].routine;
  return own ? own : &Fade;
}

bool HasOwnRoutine(int style) {
  return style >= 1 && style <= kStyleCount && kStyles[size_t(style - 1)].routine != nullptr;
}

}  // namespace controls
