#include "controls/transitions/EdgeStyles.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "controls/transitions/StretchCopy.h"

namespace controls::transitions {
namespace {

using gui::Rect;

// A piece of one axis: where on the screen, and from where in the picture.
struct Piece {
  Span to;
  Span from;
};

struct Pieces {
  std::array<Piece, 2> items{};
  int count = 0;
  void Add(Span to, Span from) { items[size_t(count++)] = {to, from}; }
};

constexpr int kRollShare = 10;  // the roll is a tenth of the picture wide
constexpr int kBuildBands = 8;  // a build-up lays the picture in eight bands

// The roll ahead of an unrolled part: it carries the next stretch of the picture squeezed
// to half, and grows in at the start and shrinks away at the end.
void AddRolled(Pieces& pieces, Edge edge, int n, int part) {
  const int roll = std::min({std::max(1, n / kRollShare), part, n - part});
  if (edge == Edge::End) {
    pieces.Add({n - part, n}, {n - part, n});
    pieces.Add({n - part - roll, n - part}, {std::max(0, n - part - 2 * roll), n - part});
  } else {
    pieces.Add({0, part}, {0, part});
    pieces.Add({part, part + roll}, {part, std::min(n, part + 2 * roll)});
  }
}

// Bands laid one after another from the edge; the one on its way travels in from the
// opposite edge to its place.
void AddBuilt(Pieces& pieces, Edge edge, int n, int part) {
  const int band = (n + kBuildBands - 1) / kBuildBands;
  const int bands = (n + band - 1) / band;
  const double time = double(part) * bands / n;
  const int laid = std::min(bands, int(time));
  const int laidSize = std::min(n, laid * band);
  const bool fromEnd = edge == Edge::End;
  if (fromEnd) {
    pieces.Add({n - laidSize, n}, {n - laidSize, n});
  } else {
    pieces.Add({0, laidSize}, {0, laidSize});
  }
  if (laid == bands) return;
  const int size = std::min(band, n - laidSize);
  const int place = fromEnd ? n - laidSize - size : laidSize;
  const int away = fromEnd ? -size : n;  // just outside the opposite edge
  const int at = away + int(std::lround((place - away) * (time - laid)));
  pieces.Add({at, at + size}, {place, place + size});
}

// What of the new picture shows along one axis of n pixels once `part` of it has grown.
Pieces NewPieces(Motion motion, Edge edge, int n, int part) {
  Pieces pieces;
  if (edge == Edge::None || edge == Edge::Full) {
    pieces.Add({0, n}, {0, n});
  } else if (motion == Motion::Unroll) {
    AddRolled(pieces, edge, n, part);
  } else if (motion == Motion::BuildUp) {
    AddBuilt(pieces, edge, n, part);
  } else {
    const bool whole = motion == Motion::Expand || motion == Motion::ExpandIn;
    const bool sliding =
        motion == Motion::Slide || motion == Motion::Push || motion == Motion::Squeeze;
    const Uncovered uncovered = UncoveredFrom(edge, n, part);
    for (int i = 0; i < uncovered.count; ++i) {
      const Span to = uncovered.spans[size_t(i)];
      const bool fromStart = edge == Edge::Start || (edge == Edge::Sides && i == 0);
      // Closing in from both sides, each side shows its own half of the picture.
      const Span share = edge != Edge::Sides ? Span{0, n}
                         : fromStart         ? Span{0, n / 2}
                                             : Span{n / 2, n};
      // A sliding piece enters with its far end first.
      const int size = to.hi - to.lo;
      const Span slid = edge == Edge::Middle ? to
                        : fromStart          ? Span{share.hi - size, share.hi}
                                             : Span{share.lo, share.lo + size};
      pieces.Add(to, whole ? share : sliding ? slid : to);
    }
  }
  return pieces;
}

// Where the old picture goes along one axis, and from where it comes, when the new one
// takes `part` of it: pushed along, or squeezed into the rest.
Piece OldPiece(Motion motion, Edge edge, int n, int part) {
  switch (edge) {
    case Edge::Start:
      return {{part, n}, motion == Motion::Push ? Span{0, n - part} : Span{0, n}};
    case Edge::End:
      return {{0, n - part}, motion == Motion::Push ? Span{part, n} : Span{0, n}};
    case Edge::Sides:
      return {{part / 2, n - (part - part / 2)}, {0, n}};
    case Edge::None:
    case Edge::Middle:
    case Edge::Full:
      break;
  }
  return {{0, n}, {0, n}};
}

Rect RectOf(Span across, Span down) {
  return {across.lo, down.lo, across.hi, down.hi};
}

void CopyNewOutside(const TransitionFrame& f, const Rect& keep) {
  CopyNew(f.screen, f.image, {0, 0, f.w, keep.top});
  CopyNew(f.screen, f.image, {0, keep.bottom, f.w, f.h});
  CopyNew(f.screen, f.image, {0, keep.top, keep.left, keep.bottom});
  CopyNew(f.screen, f.image, {keep.right, keep.top, f.w, keep.bottom});
}

}  // namespace

void Compose(const TransitionFrame& f, const EdgeMotion& style) {
  const Motion motion = style.motion;
  if (motion == Motion::Contract || motion == Motion::CloseIn) {
    // The old picture keeps a part that shrinks toward the edge, corner or middle.
    const Rect keep = RectOf(UncoveredFrom(style.across, f.w, f.w - f.x).spans[0],
                             UncoveredFrom(style.down, f.h, f.h - f.y).spans[0]);
    if (motion == Motion::Contract) StretchCopy(f.screen, keep, f.screen, {0, 0, f.w, f.h});
    CopyNewOutside(f, keep);
    return;
  }
  if (motion == Motion::ExpandIn || motion == Motion::Push || motion == Motion::Squeeze) {
    const Piece across = OldPiece(motion, style.across, f.w, f.x);
    const Piece down = OldPiece(motion, style.down, f.h, f.y);
    StretchCopy(f.screen, RectOf(across.to, down.to), f.screen, RectOf(across.from, down.from));
  }
  const Pieces across = NewPieces(motion, style.across, f.w, f.x);
  const Pieces down = NewPieces(motion, style.down, f.h, f.y);
  for (int i = 0; i < across.count; ++i) {
    for (int j = 0; j < down.count; ++j) {
      const Piece& a = across.items[size_t(i)];
      const Piece& d = down.items[size_t(j)];
      StretchCopy(f.screen, RectOf(a.to, d.to), f.image, RectOf(a.from, d.from));
    }
  }
}

}  // namespace controls::transitions
