// The scale windows are shown at, in percent: the screen's density (96 dots per inch is
// 100 %), or what TACHORA_SCALE forces: "1", "2" (or "1.5", "150%" and the like) fixes
// it, "auto" or nothing follows the screen.
#pragma once

#include <optional>
#include <string_view>

namespace platform {

// A density in dots per inch as a scale: 96 is 100, snapped to quarter steps, at least 100.
int ScaleForDpi(int dpi);
// What a TACHORA_SCALE value asks for; nothing for "auto", an empty or a malformed value.
std::optional<int> ForcedScale(std::string_view setting);
// The scale for a screen of this density, unless TACHORA_SCALE forces another.
int ChooseScale(int densityPercent);

}  // namespace platform
