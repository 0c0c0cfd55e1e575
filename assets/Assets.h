#pragma once

#include <cstddef>

// The program's artwork, compiled in as the bytes of its PNG and JPEG files
// (drawn by assets/draw_artwork.py; sizes and places in assets/README.md).
namespace assets {

struct Asset {
  const unsigned char* data;
  std::size_t size;
};

// Caption bar of the main window and the dialogs: left cap 6 x 21, centre piece
// 64 x 21 (every column alike, stretched across the bar), right cap 25 x 21.
Asset CaptionLeft();
Asset CaptionCentre();
Asset CaptionRight();

// Instrument cluster: the top area's right part (472 x 312) and the two gauges'
// dial faces at twice their size, 400 wide (percent 400 x 244, MHz 400 x 356).
Asset DialPanel();
Asset DialPercent();
Asset DialMhz();

// Test page: the page picture (96 x 104, alpha) and the medal's two JPEGs (73 x 75).
Asset TestPage();
Asset MedalBackground();
Asset Medal();

// CPU details page: the vendor badges, alpha over the panel (152 x 56, 146 x 56).
Asset LogoIntel();
Asset LogoAmd();

// Welcome page: the hero picture (120 x 120) and the three 16 x 16 line icons.
Asset WelcomeCpu();
Asset IconSecure();
Asset IconGuaranteed();
Asset IconNoSpyware();

// Result dialog (136 x 132) and promotion dialog (300 x 230 and its 48 x 48 icon).
Asset Result();
Asset Promo();
Asset PromoIcon();

// About page: Bexo with red and with green eyes (136 x 168 each, 24-bit), the
// badge seal (64 x 64) and the flag (48 x 36).
Asset BexoRed();
Asset BexoGreen();
Asset AboutBadge();
Asset AboutFlag();

// Online scores page: globe (72 x 70), home country (62 x 64), the world map
// (465 x 256) and the eight continent overlays (alpha), in reveal order.
Asset Globe();
Asset Country();
Asset WorldMap();
Asset MapNorthAmerica();
Asset MapAsia();
Asset MapOceania();
Asset MapEurope();
Asset MapAfrica();
Asset MapMidEast();
Asset MapSouthAmerica();
Asset MapGreenland();

}  // namespace assets
