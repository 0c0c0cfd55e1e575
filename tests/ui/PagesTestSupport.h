// Pixels of the program's pages on the headless main window.
#pragma once

#include "UiTestSupport.h"

namespace ui::testing {

// A presented pixel at a point of a control, in the control's own coordinates.
inline uint32_t PixelOf(UiHarness& h, const gui::Control& control, int x, int y) {
  const gui::Point origin = control.WindowOrigin();
  return h.Native(*h.form).Pixel(origin.x + x, origin.y + y);
}

}  // namespace ui::testing
