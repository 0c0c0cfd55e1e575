// Mixing two colours channel by channel, for gradients and soft edges.
#pragma once

#include <algorithm>
#include <cmath>

#include "gui/Color.h"

namespace widgets {

// t = 0 gives from, t = 1 gives to; t is clamped to that range.
inline gui::Color Mix(gui::Color from, gui::Color to, double t) {
  t = std::clamp(t, 0.0, 1.0);
  auto channel = [t](uint8_t a, uint8_t b) {
    return uint8_t(std::lround(double(a) + (double(b) - double(a)) * t));
  };
  return gui::Rgb(channel(gui::Red(from), gui::Red(to)), channel(gui::Green(from), gui::Green(to)),
                  channel(gui::Blue(from), gui::Blue(to)));
}

// Scales every channel by factor (above 1 brightens, clamped at 255).
inline gui::Color Scale(gui::Color color, double factor) {
  auto channel = [factor](uint8_t v) {
    return uint8_t(std::clamp(std::lround(double(v) * factor), 0L, 255L));
  };
  return gui::Rgb(channel(gui::Red(color)), channel(gui::Green(color)), channel(gui::Blue(color)));
}

}  // namespace widgets
