// Styles that move along an edge, a corner or the middle: the new picture uncovered,
// sliding in, squeezed in, unrolled or built up band by band; the old one shrinking,
// pushed out or squeezed away.
#pragma once

#include "controls/transitions/TransitionFrame.h"

namespace controls::transitions {

enum class Motion : uint8_t {
  Reveal,    // the new picture uncovered where it lies
  Slide,     // the new picture moves in over the old one
  Expand,    // the whole new picture squeezed into the growing part
  ExpandIn,  // likewise, while the old picture is squeezed into the rest
  Unroll,    // uncovered behind a roll that carries the next part squeezed
  BuildUp,   // bands travel across one after another and pile up from the edge
  Contract,  // the old picture shrinks toward the edge (or middle) over the new one
  CloseIn,   // the new picture closes in over the old one, which keeps a shrinking part
  Push,      // the new picture slides in and pushes the old one out
  Squeeze,   // the new picture slides in and squeezes the old one into the rest
};

// `across` and `down` say where the growing part lies horizontally and vertically.
struct EdgeMotion {
  Motion motion = Motion::Reveal;
  Edge across = Edge::Full;
  Edge down = Edge::Full;
};

void Compose(const TransitionFrame& frame, const EdgeMotion& style);

constexpr bool Uncovers(const EdgeMotion& style) {
  return style.motion == Motion::Reveal || style.motion == Motion::CloseIn;
}

}  // namespace controls::transitions
