// What the whole program shares, one value of each for as long as it runs: the clock rate
// measured at start-up and whether a score was submitted. The main window holds it and
// hands it to its pages and dialogs.
#pragma once

#include <cstdint>

namespace ui {

struct ProgramState {
  // The measured rate in whole MHz, 0 until measured; written once, on UM_GETSPEED.
  int32_t MeasuredMhz = 0;
  // Set by a score submission, read when the main window closes; nothing clears it.
  bool scoreSubmitted = false;
};

}  // namespace ui
