// Every colour the program paints with, named once by what it colours (0x00BBGGRR: red
// in the low byte). Controls, widgets and pages take their colours from here and carry
// no colour literals of their own.
#pragma once

#include "gui/Color.h"

namespace gui::palette {

// The basic colours, by their usual names.
constexpr Color kBlack = 0x00000000;
constexpr Color kWhite = 0x00FFFFFF;
constexpr Color kRed = 0x000000FF;
constexpr Color kLime = 0x0000FF00;
constexpr Color kGreen = 0x00008000;
constexpr Color kBlue = 0x00FF0000;
constexpr Color kYellow = 0x0000FFFF;
constexpr Color kAqua = 0x00FFFF00;
constexpr Color kSilver = 0x00C0C0C0;
constexpr Color kGray = 0x00808080;

// System colours: resolved to the desktop's colour when painted (see SystemColor).
constexpr Color kSystemWindow = 0xFF000005;
constexpr Color kSystemActiveBorder = 0xFF00000A;
constexpr Color kSystemButtonFace = 0xFF00000F;

// The top area, also the dialogs' background, and the dialogs' frame rules.
constexpr Color kTopArea = 0x00302D28;
constexpr Color kDialogTopRule = 0x000000A6;
constexpr Color kDialogEdgeRule = 0x009E988D;
// The heading and bottom bars, the map's title strip, and the boxes' one-pixel borders.
constexpr Color kBar = 0x004D4C49;
constexpr Color kBoxBorder = 0x004D4C49;
// Ruling lines on the pages.
constexpr Color kRuling = 0x005B5655;
// The details table's panel and the map's footer strip.
constexpr Color kDarkPanel = 0x002A2D2B;
// The map's connection-error panel.
constexpr Color kErrorPanel = 0x00898989;
// The rank page's "view your rank online" link.
constexpr Color kRankLink = 0x00FF4242;
// The light blue of the stage names "CPU Ramp" and "Cool Off" and of the global ranks.
constexpr Color kLightBlue = 0x00F7D155;
// The global top four's bars, also the third of the top countries.
constexpr Color kScoreBar = 0x00D98110;
// The second and fourth of the top countries.
constexpr Color kCountryGreen = 0x0024B847;
constexpr Color kCountryOrange = 0x001070FF;

// The test page's stage panels, before and after the run reaches them, and the speed
// label's two flashing colours.
constexpr Color kStageIdle = 0x00FBE9AA;
constexpr Color kStageReached = kLime;
constexpr Color kSpeedLit = kRed;
constexpr Color kSpeedDark = kBlack;

// The glow buttons' frame: at rest (shown while hovered) and pressed.
constexpr Color kGlowBorder = 0x0073685F;
constexpr Color kGlowPressedBorder = kRed;

// A standard push button's face and bevel.
constexpr Color kButtonFace = 0x00F0F0F0;
constexpr Color kButtonHighlight = kWhite;
constexpr Color kButtonLight = 0x00E3E3E3;
constexpr Color kButtonShadow = 0x00A0A0A0;
constexpr Color kButtonDarkShadow = 0x00696969;
constexpr Color kButtonText = kBlack;
constexpr Color kButtonDisabledText = 0x006D6D6D;

// The 3-D bar chart: its walls and floor, their grid and edges, the bars' outline and the
// frame of the value marks.
constexpr Color kChartWall = 0x00232323;
constexpr Color kChartFloor = 0x003F3F3F;
constexpr Color kChartGrid = 0x00383838;
constexpr Color kChartWallEdge = 0x004A4A4A;
constexpr Color kChartBarOutline = 0x001F1F1F;
constexpr Color kChartMarkFrame = 0x00707070;

}  // namespace gui::palette
