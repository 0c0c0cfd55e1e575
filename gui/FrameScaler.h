// A composed frame shown on a denser screen: the window is drawn at its design size and
// enlarged for the screen. Whole factors (2x, 3x) repeat each pixel exactly; fractional
// ones (1.25x, 1.5x, 1.75x) give each screen pixel the average of the design pixels it
// covers, weighted by the area covered (an area filter: sharp edges stay within a pixel).
// Scales are in percent, 100 and above.
#pragma once

#include <vector>

#include "gui/Bitmap.h"
#include "gui/Geometry.h"

namespace gui {

// The size of a design length on the screen.
int ScaledLength(int designLength, int scalePercent);
// The screen pixels a design rectangle touches (with the neighbours a fractional factor
// blends in).
Rect ScaledRect(const Rect& design, int scalePercent);
// The design pixel under a screen pixel.
int DesignCoordinate(int screen, int scalePercent);

class FrameScaler {
 public:
  // Makes target the source's enlargement (32-bit), redrawing only the screen pixels of
  // area (all of them when area is empty); target is resized when its size is wrong.
  void Scale(const Bitmap& source, int scalePercent, Bitmap& target, const Rect& area = {});

 private:
  // For each screen column (or row): the first design pixel it covers and the weight
  // (0 to 256) of that pixel; the rest of the weight goes to the next one.
  struct Tap {
    int first;
    int weight;
  };
  static void MakeTaps(int designLength, int scalePercent, std::vector<Tap>& taps);

  int scale_ = 0;
  int width_ = 0;
  int height_ = 0;
  std::vector<Tap> columns_;
  std::vector<Tap> rows_;
};

}  // namespace gui
