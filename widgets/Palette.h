// The colours the widgets fall back on, in one place (0x00BBGGRR).
#pragma once

#include "gui/Color.h"

namespace widgets::palette {

constexpr gui::Color kBlack = 0x00000000;
constexpr gui::Color kWhite = 0x00FFFFFF;
constexpr gui::Color kRed = 0x000000FF;
constexpr gui::Color kLime = 0x0000FF00;
constexpr gui::Color kSilver = 0x00C0C0C0;
constexpr gui::Color kGray = 0x00808080;

// The glow buttons' frame: at rest (shown while hovered) and pressed.
constexpr gui::Color kGlowBorder = 0x0073685F;
constexpr gui::Color kGlowPressedBorder = kRed;

// A standard push button's face and bevel.
constexpr gui::Color kButtonFace = 0x00F0F0F0;
constexpr gui::Color kButtonHighlight = 0x00FFFFFF;
constexpr gui::Color kButtonLight = 0x00E3E3E3;
constexpr gui::Color kButtonShadow = 0x00A0A0A0;
constexpr gui::Color kButtonDarkShadow = 0x00696969;
constexpr gui::Color kButtonText = 0x00000000;
constexpr gui::Color kButtonDisabledText = 0x006D6D6D;

}  // namespace widgets::palette
