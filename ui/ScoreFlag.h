// The program-wide flag a score submission sets and closing reads; nothing clears it.
#pragma once

namespace ui {

extern bool scoreSubmitted;

}  // namespace ui
