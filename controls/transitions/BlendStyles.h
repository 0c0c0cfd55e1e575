// Styles that mix the colours of the two pictures: the fade's blend, and the channel mix
// that fades blue, green and red one after another.
#pragma once

#include <array>

#include "controls/transitions/TransitionFrame.h"

namespace controls::transitions {

// Moves every blue, green and red byte toward the new image's by floor((n - s) * a / 256),
// with a weight a from 0 to 256 for each of the three channels (blue first); the fourth
// byte stays. Both bitmaps are 32-bit and w x h.
void BlendToward(gui::Bitmap& screen, const gui::Bitmap& image, int w, int h,
                 std::array<int, 3> weights);

// Blue fades first, green in the middle, red last, each over part of the time.
struct ChannelMix {};

void Compose(const TransitionFrame& frame, const ChannelMix& style);

}  // namespace controls::transitions
