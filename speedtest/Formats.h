// The number formats of the instruments and the speed texts.
#pragma once

#include <cstdint>
#include <string>

namespace speedtest {

// At least three digits, zero-padded ("%.3d"): 5 gives 005.
std::string FormatPercent(int32_t percent);

// At least four digits, zero-padded ("%.4d"): 850 gives 0850, 12000 gives 12000.
std::string FormatMhz(int32_t mhz);

// The speed label's caption for a display text: "2992 Mhz".
std::string SpeedCaption(const std::string& mhzText);

}  // namespace speedtest
