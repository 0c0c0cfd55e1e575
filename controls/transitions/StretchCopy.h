// The one copy every transition family draws with: a rectangle of one 32-bit bitmap into
// a rectangle of another, stretched or squeezed as colour-on-colour stretching does.
#pragma once

#include "gui/Bitmap.h"
#include "gui/Geometry.h"

namespace controls::transitions {

// Copies source's `from` (which must lie inside the source) into target's `to`: pixel d of
// a span of n destination pixels takes pixel floor((d + 0.5) * m / n) of the m source
// pixels, each pixel copied whole. Parts of `to` outside the target are left out, the
// mapping unchanged. The target may be the source itself: rows are then visited in an
// order that reads every row before it is overwritten.
void StretchCopy(gui::Bitmap& target, const gui::Rect& to, const gui::Bitmap& source,
                 const gui::Rect& from);

// The new picture's pixels of `area` (clipped to the picture) copied in place.
inline void CopyNew(gui::Bitmap& screen, const gui::Bitmap& image, const gui::Rect& area) {
  const gui::Rect inside = area.Intersect({0, 0, image.Width(), image.Height()});
  StretchCopy(screen, inside, image, inside);
}

}  // namespace controls::transitions
