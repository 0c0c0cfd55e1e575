#include "controls/transitions/StripStyles.h"

#include <algorithm>

#include "controls/TransitionStyles.h"
#include "controls/transitions/RandomOrder.h"
#include "controls/transitions/RevealMask.h"
#include "controls/transitions/StretchCopy.h"

namespace controls::transitions {
namespace {

constexpr int kBarCount = 10;
constexpr int kBlindSlat = 16;
constexpr int kUnevenSlatMin = 8;
constexpr int kUnevenSlatMax = 32;
constexpr int kShredWidth = 4;
constexpr double kShredSpread = 0.6;  // how far the longest strip runs ahead of the shortest
constexpr int kCrissCrossBands = 8;   // across the shorter side
constexpr uint32_t kSlatSeed = 0x51A7;
constexpr uint32_t kRowShredSeed = 0x5E0D;
constexpr uint32_t kColumnShredSeed = 0xC01D;

// The length of the axis a band is uncovered along, and of the one its bands divide.
int Along(const TransitionFrame& f, Axis axis) {
  return axis == Axis::Across ? f.w : f.h;
}
int Beside(const TransitionFrame& f, Axis axis) {
  return axis == Axis::Across ? f.h : f.w;
}

// Uncovers `part` of a band's length from an edge.
// Narrow bands go through a mask, which copies each row once in runs.
void UncoverBand(RevealMask& mask, const TransitionFrame& f, Axis axis, Span band, Edge edge,
                 int part) {
  const Uncovered uncovered = UncoveredFrom(edge, Along(f, axis), part);
  for (int i = 0; i < uncovered.count; ++i) {
    mask.AddRect(BandRect(axis, band, uncovered.spans[size_t(i)]));
  }
}

// Every strip of `width` runs ahead or behind by a fixed random share.
void UncoverShreds(RevealMask& mask, const TransitionFrame& f, Axis axis, Edge edge,
                   uint32_t seed) {
  if (edge == Edge::None) return;
  const int length = Along(f, axis);
  const double time = f.progress / 100.0 * (1 + kShredSpread);
  for (int lo = 0, i = 0; lo < Beside(f, axis); lo += kShredWidth, ++i) {
    const double phase = std::clamp(time - kShredSpread * RandomUnit(seed, uint32_t(i)), 0.0, 1.0);
    UncoverBand(mask, f, axis, {lo, lo + kShredWidth}, edge, Part(length, phase));
  }
}

}  // namespace

void Compose(const TransitionFrame& f, const Bars& style) {
  const int length = Along(f, style.axis);
  const int across = Beside(f, style.axis);
  const int size = std::max(1, (across + kBarCount - 1) / kBarCount);
  const int bars = (across + size - 1) / size;
  const int evens = (bars + 1) / 2;
  for (int i = 0; i < bars; ++i) {
    const bool even = i % 2 == 0;
    // Together, the bars run one cascade; one group after the other, each its own half.
    const double phase = !style.oddAfterEven ? StaggeredPhase(f.progress, i, bars, 0.5)
                         : even ? StaggeredPhase(f.progress, i / 2, evens, 0.5, 0.0, 0.5)
                                : StaggeredPhase(f.progress, i / 2, bars - evens, 0.5, 0.5, 1.0);
    const int part = Part(length, phase);
    const bool fromStart = (even ? style.even : style.odd) == Edge::Start;
    // A bar slides in with its far end first.
    const Span to = fromStart ? Span{0, part} : Span{length - part, length};
    const Span from = fromStart ? Span{length - part, length} : Span{0, part};
    const Span band{i * size, std::min(across, (i + 1) * size)};
    StretchCopy(f.screen, BandRect(style.axis, band, to), f.image,
                BandRect(style.axis, band, from));
  }
}

void Compose(const TransitionFrame& f, const Blinds& style) {
  const int length = Along(f, style.axis);
  if (style.wave == Edge::None) {
    for (int lo = 0; lo < length; lo += kBlindSlat) {
      const int open = MulDiv(std::min(kBlindSlat, length - lo), f.progress, 100);
      CopyNew(f.screen, f.image, BandRect(style.axis, {0, Beside(f, style.axis)}, {lo, lo + open}));
    }
    return;
  }
  const bool fromStart = style.wave == Edge::Start;
  for (int lo = 0, i = 0; lo < length; ++i) {
    const int size = kUnevenSlatMin +
                     int(RandomUnit(kSlatSeed, uint32_t(i)) * (kUnevenSlatMax - kUnevenSlatMin));
    const int hi = std::min(length, lo + size);
    const double centre = (lo + hi) / 2.0 / length;
    const double start = 0.5 * (fromStart ? centre : 1 - centre);
    const int open = Part(hi - lo, Phase(f.progress, start, start + 0.5));
    const Span slat = fromStart ? Span{lo, lo + open} : Span{hi - open, hi};
    CopyNew(f.screen, f.image, BandRect(style.axis, {0, Beside(f, style.axis)}, slat));
    lo = hi;
  }
}

void Compose(const TransitionFrame& f, const Shreds& style) {
  RevealMask mask(f.w, f.h);
  UncoverShreds(mask, f, Axis::Across, style.across, kRowShredSeed);
  UncoverShreds(mask, f, Axis::Down, style.down, kColumnShredSeed);
  mask.CopyNewInside(f);
}

void Compose(const TransitionFrame& f, const CrissCross& style) {
  const int size = std::max(2, std::min(f.w, f.h) / kCrissCrossBands);
  // Even bands lead; bouncing, the odd ones come back once the even ones are across.
  const double oddStart = style.bounce ? 0.5 : 0.4;
  const double evenEnd = style.bounce ? 0.5 : 0.6;
  RevealMask mask(f.w, f.h);
  for (const Axis axis : {Axis::Across, Axis::Down}) {
    const bool rows = axis == Axis::Across;
    for (int lo = 0, i = 0; lo < Beside(f, axis); lo += size, ++i) {
      const bool even = i % 2 == 0;
      const Edge edge = rows ? (even ? style.rowsEven : style.rowsOdd)
                             : (even ? style.columnsEven : style.columnsOdd);
      const double phase = even ? Phase(f.progress, 0, evenEnd) : Phase(f.progress, oddStart, 1);
      UncoverBand(mask, f, axis, {lo, lo + size}, edge, Part(Along(f, axis), phase));
    }
  }
  mask.CopyNewInside(f);
}

}  // namespace controls::transitions
