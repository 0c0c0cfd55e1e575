// The style table: every style's name and the family routine that composes its frames,
// with the parameters that make it this style.
#include "controls/TransitionStyles.h"

#include <algorithm>
#include <array>

#include "controls/transitions/BlendStyles.h"
#include "controls/transitions/EdgeStyles.h"
#include "controls/transitions/PieceStyles.h"
#include "controls/transitions/ShapeStyles.h"
#include "controls/transitions/StripStyles.h"

namespace controls {
namespace {

using gui::Bitmap;
using namespace transitions;

bool Fits(const Bitmap& screen, const Bitmap& image, int w, int h) {
  return w > 0 && h > 0 && screen.Width() == w && screen.Height() == h && image.Width() == w &&
         image.Height() == h && screen.PixelFormat() == Bitmap::Format::Bgra32 &&
         image.PixelFormat() == Bitmap::Format::Bgra32;
}

// What each family's frames are made of.
constexpr TransitionKind KindOf(const EdgeMotion& style) {
  return Uncovers(style) ? TransitionKind::Reveal : TransitionKind::Motion;
}
constexpr TransitionKind KindOf(const Bars&) {
  return TransitionKind::Motion;
}
constexpr TransitionKind KindOf(const Pixelate&) {
  return TransitionKind::Motion;
}
constexpr TransitionKind KindOf(const Spin&) {
  return TransitionKind::Turning;
}
constexpr TransitionKind KindOf(const ChannelMix&) {
  return TransitionKind::Blend;
}
constexpr TransitionKind KindOf(const auto&) {
  return TransitionKind::Reveal;
}

template <auto style>
void Routine(Bitmap& screen, const Bitmap& image, int w, int h, int x, int y, int progress) {
  if (!Fits(screen, image, w, h)) return;
  Compose(TransitionFrame{screen, image, w, h, x, y, std::clamp(progress, 0, 100)}, style);
}

struct Behaviour {
  TransitionRoutine routine;
  TransitionKind kind;
};

// A family's routine with the parameters of one style.
template <auto style>
constexpr Behaviour Use{&Routine<style>, KindOf(style)};

struct StyleEntry {
  std::string_view name;
  Behaviour behaviour;
};

using enum Edge;
using enum Motion;
using enum Axis;
using enum Turn;
using enum FrontShape;
using enum CentreShape;
using enum Tiling;

// The styles in number order, from 1.
constexpr std::array<StyleEntry, kStyleCount> kStyles{{
    // name, family and parameters
    {"Expand from right", Use<EdgeMotion{Expand, End, Full}>},                  // 1
    {"Expand from left", Use<EdgeMotion{Expand, Start, Full}>},                 // 2
    {"Slide in from right", Use<EdgeMotion{Slide, End, Full}>},                 // 3
    {"Slide in from left", Use<EdgeMotion{Slide, Start, Full}>},                // 4
    {"Reveal from left", Use<EdgeMotion{Reveal, Start, Full}>},                 // 5
    {"Reveal from right", Use<EdgeMotion{Reveal, End, Full}>},                  // 6
    {"Expand in from right", Use<EdgeMotion{ExpandIn, End, Full}>},             // 7
    {"Expand in from left", Use<EdgeMotion{ExpandIn, Start, Full}>},            // 8
    {"Expand in to middle", Use<EdgeMotion{ExpandIn, Sides, Full}>},            // 9
    {"Expand out from middle", Use<EdgeMotion{Expand, Middle, Full}>},          // 10
    {"Reveal out from middle", Use<EdgeMotion{Reveal, Middle, Full}>},          // 11
    {"Reveal in from sides", Use<EdgeMotion{Reveal, Sides, Full}>},             // 12
    {"Expand in from sides", Use<EdgeMotion{Expand, Sides, Full}>},             // 13
    {"Unroll from left", Use<EdgeMotion{Unroll, Start, Full}>},                 // 14
    {"Unroll from right", Use<EdgeMotion{Unroll, End, Full}>},                  // 15
    {"Build up from right", Use<EdgeMotion{BuildUp, End, Full}>},               // 16
    {"Build up from left", Use<EdgeMotion{BuildUp, Start, Full}>},              // 17
    {"Expand from bottom", Use<EdgeMotion{Expand, Full, End}>},                 // 18
    {"Expand from top", Use<EdgeMotion{Expand, Full, Start}>},                  // 19
    {"Slide in from bottom", Use<EdgeMotion{Slide, Full, End}>},                // 20
    {"Slide in from top", Use<EdgeMotion{Slide, Full, Start}>},                 // 21
    {"Reveal from top", Use<EdgeMotion{Reveal, Full, Start}>},                  // 22
    {"Reveal from bottom", Use<EdgeMotion{Reveal, Full, End}>},                 // 23
    {"Expand in from bottom", Use<EdgeMotion{ExpandIn, Full, End}>},            // 24
    {"Expand in from top", Use<EdgeMotion{ExpandIn, Full, Start}>},             // 25
    {"Expand in to middle (horiz)", Use<EdgeMotion{ExpandIn, Full, Sides}>},    // 26
    {"Expand out from middle (horiz)", Use<EdgeMotion{Expand, Full, Middle}>},  // 27
    {"Reveal from middle (horiz)", Use<EdgeMotion{Reveal, Full, Middle}>},      // 28
    {"Slide in from top / bottom", Use<EdgeMotion{Slide, Full, Sides}>},        // 29
    {"Expand in from top / bottom", Use<EdgeMotion{Expand, Full, Sides}>},      // 30
    {"Unroll from top", Use<EdgeMotion{Unroll, Full, Start}>},                  // 31
    {"Unroll from bottom", Use<EdgeMotion{Unroll, Full, End}>},                 // 32
    // 33 and 34 are the upright build-ups; their names repeat 18 and 25.
    {"Expand from bottom", Use<EdgeMotion{BuildUp, Full, End}>},                    // 33
    {"Expand in from top", Use<EdgeMotion{BuildUp, Full, Start}>},                  // 34
    {"Expand from bottom right", Use<EdgeMotion{Expand, End, End}>},                // 35
    {"Expand from top right", Use<EdgeMotion{Expand, End, Start}>},                 // 36
    {"Expand from top left", Use<EdgeMotion{Expand, Start, Start}>},                // 37
    {"Expand from bottom left", Use<EdgeMotion{Expand, Start, End}>},               // 38
    {"Slide in from bottom right", Use<EdgeMotion{Slide, End, End}>},               // 39
    {"Slide in from top right", Use<EdgeMotion{Slide, End, Start}>},                // 40
    {"Slide in from top left", Use<EdgeMotion{Slide, Start, Start}>},               // 41
    {"Slide in from bottom left", Use<EdgeMotion{Slide, Start, End}>},              // 42
    {"Reveal from top left", Use<EdgeMotion{Reveal, Start, Start}>},                // 43
    {"Reveal from bottom left", Use<EdgeMotion{Reveal, Start, End}>},               // 44
    {"Reveal from bottom right", Use<EdgeMotion{Reveal, End, End}>},                // 45
    {"Reveal from top right", Use<EdgeMotion{Reveal, End, Start}>},                 // 46
    {"Appear and Contract to top left", Use<EdgeMotion{Contract, Start, Start}>},   // 47
    {"Appear and Contract to bottom left", Use<EdgeMotion{Contract, Start, End}>},  // 48
    {"Appear and Contract to bottom right", Use<EdgeMotion{Contract, End, End}>},   // 49
    {"Appear and Contract to top right", Use<EdgeMotion{Contract, End, Start}>},    // 50
    {"Appear and Contract to middle", Use<EdgeMotion{Contract, Middle, Middle}>},   // 51
    {"Expand out from centre", Use<EdgeMotion{Expand, Middle, Middle}>},            // 52
    {"Reveal out from centre", Use<EdgeMotion{Reveal, Middle, Middle}>},            // 53
    {"Reveal in to centre", Use<EdgeMotion{CloseIn, Middle, Middle}>},              // 54
    {"Quarters Reveal in to middle", Use<EdgeMotion{Reveal, Sides, Sides}>},        // 55
    {"Quarters Expand to middle", Use<EdgeMotion{Expand, Sides, Sides}>},           // 56
    {"Quarters Slide in to middle", Use<EdgeMotion{Slide, Sides, Sides}>},          // 57
    {"Curved Reveal from left", Use<Ellipse{Start, Middle}>},                       // 58
    {"Curved Reveal from right", Use<Ellipse{End, Middle}>},                        // 59
    {"Bars in from right", Use<Bars{Across, End, End}>},                            // 60
    {"Bars in from left", Use<Bars{Across, Start, Start}>},                         // 61
    {"Bars left then right", Use<Bars{Across, Start, End, true}>},                  // 62
    {"Bars right then left", Use<Bars{Across, End, Start, true}>},                  // 63
    {"Bars from both sides", Use<Bars{Across, Start, End}>},                        // 64
    {"Uneven shred from right", Use<Shreds{End, None}>},                            // 65
    {"Uneven shred from left", Use<Shreds{Start, None}>},                           // 66
    {"Uneven shred out from middle (horiz)", Use<Shreds{Middle, None}>},            // 67
    {"Uneven shred in to middle (horiz)", Use<Shreds{Sides, None}>},                // 68
    {"Curved Reveal from top", Use<Ellipse{Middle, Start}>},                        // 69
    {"Curved Reveal from bottom", Use<Ellipse{Middle, End}>},                       // 70
    {"Bars from bottom", Use<Bars{Down, End, End}>},                                // 71
    {"Bars from top", Use<Bars{Down, Start, Start}>},                               // 72
    {"Bars top then bottom", Use<Bars{Down, Start, End, true}>},                    // 73
    {"Bars bottom then top", Use<Bars{Down, End, Start, true}>},                    // 74
    {"Bars from top and bottom", Use<Bars{Down, Start, End}>},                      // 75
    {"Unven shred from bottom", Use<Shreds{None, End}>},                            // 76
    {"Uneven shred from top", Use<Shreds{None, Start}>},                            // 77
    {"Uneven shred from horizon", Use<Shreds{None, Middle}>},                       // 78
    {"Uneven shred in to horizon", Use<Shreds{None, Sides}>},                       // 79
    {"Curved reveal from top left", Use<Ellipse{Start, Start}>},                    // 80
    {"Curved reveal from top right", Use<Ellipse{End, Start}>},                     // 81
    {"Curved reveal from bottom left", Use<Ellipse{Start, End}>},                   // 82
    {"Curved reveal from bottom right", Use<Ellipse{End, End}>},                    // 83
    {"Elliptic reveal out from centre", Use<Ellipse{Middle, Middle}>},              // 84
    {"Elliptic reveal in to centre", Use<Ellipse{Middle, Middle, true}>},           // 85
    // Criss-crosses: even rows, odd rows, even columns, odd columns, bouncing.
    {"Criss Cross reveal from bottom right", Use<CrissCross{End, End, End, End}>},      // 86
    {"Criss Cross reveal from top right", Use<CrissCross{End, End, Start, Start}>},     // 87
    {"Criss Cross reveal from bottom left", Use<CrissCross{Start, Start, End, End}>},   // 88
    {"Criss Cross reveal from top left", Use<CrissCross{Start, Start, Start, Start}>},  // 89
    {"Criss Cross reveal bounce from top left",
     Use<CrissCross{Start, End, Start, End, true}>},  // 90
    {"Criss Cross reveal bounce from bottom left",
     Use<CrissCross{Start, End, End, Start, true}>},  // 91
    {"Criss Cross reveal bounce from top right",
     Use<CrissCross{End, Start, Start, End, true}>},  // 92
    {"Criss Cross reveal bounce from bottom right",
     Use<CrissCross{End, Start, End, Start, true}>},                                          // 93
    {"Criss Cross reveal from right top and bottom", Use<CrissCross{End, End, Start, End}>},  // 94
    {"Criss Cross reveal from left top and bottom",
     Use<CrissCross{Start, Start, Start, End}>},                                               // 95
    {"Criss Cross reveal from left right and bottom", Use<CrissCross{Start, End, End, End}>},  // 96
    {"Criss Cross reveal from left right and top",
     Use<CrissCross{Start, End, Start, Start}>},  // 97
    {"Criss Cross reveal from top left right and bottom",
     Use<CrissCross{Start, End, Start, End}>},  // 98
    {"Criss Cross reveal from bottom left top right",
     Use<CrissCross{Start, End, End, Start}>},                               // 99
    {"Uneven shred from bottom and right", Use<Shreds{End, End}>},           // 100
    {"Uneven shred from top and right", Use<Shreds{End, Start}>},            // 101
    {"Uneven shred from bottom and left", Use<Shreds{Start, End}>},          // 102
    {"Uneven shred from top and left", Use<Shreds{Start, Start}>},           // 103
    {"Uneven shred from horiz and right", Use<Shreds{End, Middle}>},         // 104
    {"Uneven shred from horiz and left", Use<Shreds{Start, Middle}>},        // 105
    {"Uneven shred from bottom and vert middle", Use<Shreds{Middle, End}>},  // 106
    {"Uneven shred from top and vert middle", Use<Shreds{Middle, Start}>},   // 107
    {"Uneven shred from centre", Use<Shreds{Middle, Middle}>},               // 108
    {"Uneven shred to centre", Use<Shreds{Sides, Sides}>},                   // 109
    {"Reveal diagonal from top left", Use<Front{Straight, Start, Start}>},   // 110
    {"Reveal diagonal from top right", Use<Front{Straight, End, Start}>},    // 111
    {"Reveal diagonal from bottom left", Use<Front{Straight, Start, End}>},  // 112
    {"Reveal diagonal from bottom right", Use<Front{Straight, End, End}>},   // 113
    // Fans: hub across and down, blades, start angle, on the diagonal, turn, sweep.
    {"Diagonal sweep from top left bottom right anticlockwise",
     Use<Fan{Middle, Middle, 2, 0, true, Anticlockwise, 180}>},  // 114
    {"Diagonal sweep from top left bottom right clockwise",
     Use<Fan{Middle, Middle, 2, 0, true, Clockwise, 180}>},  // 115
    {"Starburst clockwise from center",
     Use<Fan{Middle, Middle, 8, -90, false, Clockwise, 45}>},  // 116
    {"Starburst anticlockwise from center",
     Use<Fan{Middle, Middle, 8, -90, false, Anticlockwise, 45}>},                          // 117
    {"Triangular shred", Use<RandomPieces{Triangles}>},                                    // 118
    {"Fade", {&Fade, TransitionKind::Blend}},                                              // 119
    {"Pivot from top left", Use<Fan{Start, Start, 1, 0, false, Clockwise, 90}>},           // 120
    {"Pivot from bottom left", Use<Fan{Start, End, 1, 0, false, Anticlockwise, 90}>},      // 121
    {"Pivot from top right", Use<Fan{End, Start, 1, 180, false, Anticlockwise, 90}>},      // 122
    {"Pivot from bottom right", Use<Fan{End, End, 1, 180, false, Clockwise, 90}>},         // 123
    {"Speckle appear from right", Use<Speckle{End, None}>},                                // 124
    {"Speckle appear from left", Use<Speckle{Start, None}>},                               // 125
    {"Speckle appear from bottom", Use<Speckle{None, End}>},                               // 126
    {"Speckle appear from top", Use<Speckle{None, Start}>},                                // 127
    {"Random squares appear", Use<RandomPieces{Squares}>},                                 // 128
    {"Push right", Use<EdgeMotion{Push, Start, Full}>},                                    // 129
    {"Push left", Use<EdgeMotion{Push, End, Full}>},                                       // 130
    {"Push and squeeze right", Use<EdgeMotion{Squeeze, Start, Full}>},                     // 131
    {"Push and squeeze left", Use<EdgeMotion{Squeeze, End, Full}>},                        // 132
    {"Push down", Use<EdgeMotion{Push, Full, Start}>},                                     // 133
    {"Push up", Use<EdgeMotion{Push, Full, End}>},                                         // 134
    {"Push and sqeeze down", Use<EdgeMotion{Squeeze, Full, Start}>},                       // 135
    {"Push and sqeeze up", Use<EdgeMotion{Squeeze, Full, End}>},                           // 136
    {"Blind vertically", Use<Blinds{Across, None}>},                                       // 137
    {"Blind horizontally", Use<Blinds{Down, None}>},                                       // 138
    {"Uneven blind from left", Use<Blinds{Across, Start}>},                                // 139
    {"Uneven blind from right", Use<Blinds{Across, End}>},                                 // 140
    {"Uneven blind from top", Use<Blinds{Down, Start}>},                                   // 141
    {"Uneven blind from bottom", Use<Blinds{Down, End}>},                                  // 142
    {"Rectangular shred", Use<RandomPieces{Bricks}>},                                      // 143
    {"Sweep clockwise", Use<Fan{Middle, Middle, 1, -90, false, Clockwise, 360}>},          // 144
    {"Sweep anticlockwise", Use<Fan{Middle, Middle, 1, -90, false, Anticlockwise, 360}>},  // 145
    {"Rectangles apear from left and disapear to right", Use<BoxWave{Start, None}>},       // 146
    {"Rectangles apear from right and disapear to left", Use<BoxWave{End, None}>},         // 147
    {"Rectangles apear from up and disapear to bottom", Use<BoxWave{None, Start}>},        // 148
    {"Rectangles apear from bottom and disapear to up", Use<BoxWave{None, End}>},          // 149
    {"Rotational rectangle in center", Use<Spin{0}>},                                      // 150
    {"Rotational star in center", Use<Spin{5}>},                                           // 151
    {"Spiral rectangle", Use<Spiral{}>},                                                   // 152
    {"Circular shred", Use<RandomPieces{Rings}>},                                          // 153
    {"Reveal V from left", Use<Front{Vee, Start, Full}>},                                  // 154
    {"Reveal V from right", Use<Front{Vee, End, Full}>},                                   // 155
    {"Reveal V from top", Use<Front{Vee, Full, Start}>},                                   // 156
    {"Reveal V from bottom", Use<Front{Vee, Full, End}>},                                  // 157
    {"Bow Tie Horizontal", Use<Fan{Middle, Middle, 2, 0, false, BothWays, 180}>},          // 158
    {"Bow Tie Vertical", Use<Fan{Middle, Middle, 2, 90, false, BothWays, 180}>},           // 159
    {"Diagonal Cross In", Use<Centred{DiagonalCross, true}>},                              // 160
    {"Diagonal Cross Out", Use<Centred{DiagonalCross, false}>},                            // 161
    {"Zigzag Horizontal", Use<Front{Zigzag, Full, Start}>},                                // 162
    {"Zigzag Vertical", Use<Front{Zigzag, Start, Full}>},                                  // 163
    {"Diamond shred", Use<RandomPieces{Diamonds}>},                                        // 164
    {"Reveal diamond out from centre", Use<Centred{Diamond, false}>},                      // 165
    {"Reveal diamond in to centre", Use<Centred{Diamond, true}>},                          // 166
    {"Diagonal Box Out", Use<BoxWave{Middle, Middle}>},                                    // 167
    {"Pixelate", Use<Pixelate{}>},                                                         // 168
    {"Dissolve", Use<Speckle{None, None}>},                                                // 169
    {"Random Bars Horizontal", Use<RandomPieces{Rows}>},                                   // 170
    {"Random Bars Vertical", Use<RandomPieces{Columns}>},                                  // 171
    {"Channel Mix", Use<ChannelMix{}>},                                                    // 172
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
  if (!Fits(screen, newImage, w, h)) return;
  const int a = MulDiv(256, std::clamp(progress, 0, 100), 100);
  BlendToward(screen, newImage, w, h, {a, a, a});
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
  return kStyles[size_t(style - 1)].behaviour.routine;
}

TransitionKind TransitionStyleKind(int style) {
  if (style < 1 || style > kStyleCount) return TransitionKind::Reveal;
  return kStyles[size_t(style - 1)].behaviour.kind;
}

}  // namespace controls
