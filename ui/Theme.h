// The main window's and the dialogs' fonts, with the palette's colours at hand as
// theme::kRed, theme::kTopArea and so on.
#pragma once

#include "gui/Canvas.h"
#include "gui/Palette.h"

namespace ui::theme {

using namespace gui::palette;

inline gui::Font Tahoma(int size, gui::Color color, bool bold = false, bool underline = false) {
  return {.name = "Tahoma", .size = size, .color = color, .bold = bold, .underline = underline};
}
inline gui::Font Arial(int size, gui::Color color, bool bold = false, bool underline = false) {
  return {.name = "Arial", .size = size, .color = color, .bold = bold, .underline = underline};
}
inline gui::Font SmallFonts(int size, gui::Color color) {
  return {.name = "Small Fonts", .size = size, .color = color};
}

}  // namespace ui::theme
