// The main window's and the dialogs' colours and fonts in one place (0x00BBGGRR: red in
// the low byte).
#pragma once

#include "gui/Canvas.h"
#include "gui/Color.h"

namespace ui::theme {

constexpr gui::Color kBlack = 0x00000000;
constexpr gui::Color kWhite = 0x00FFFFFF;
constexpr gui::Color kRed = 0x000000FF;
constexpr gui::Color kLime = 0x0000FF00;
constexpr gui::Color kYellow = 0x0000FFFF;
constexpr gui::Color kSilver = 0x00C0C0C0;

// The top area, the dialogs' background and their rules.
constexpr gui::Color kTopArea = 0x00302D28;
constexpr gui::Color kDialogTopRule = 0x000000A6;
constexpr gui::Color kDialogEdgeRule = 0x009E988D;
// The heading and bottom bars, and the boxes' one-pixel borders.
constexpr gui::Color kBar = 0x004D4C49;
constexpr gui::Color kBoxBorder = 0x004D4C49;
// Ruling lines on the pages.
constexpr gui::Color kRuling = 0x005B5655;
// The light blue of the idle stage panels and of the stage names "CPU Ramp", "Cool Off".
constexpr gui::Color kStageIdle = 0x00FBE9AA;
constexpr gui::Color kStageName = 0x00F7D155;

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
