#include "speedtest/Formats.h"

#include <cstdio>

namespace speedtest {
namespace {

std::string FormatPadded(const char* format, int32_t value) {
  char text[16];
  const int length = std::snprintf(text, sizeof(text), format, value);
  return std::string(text, static_cast<size_t>(length));
}

}  // namespace

std::string FormatPercent(int32_t percent) {
  return FormatPadded("%.3d", percent);
}

std::string FormatMhz(int32_t mhz) {
  return FormatPadded("%.4d", mhz);
}

std::string SpeedCaption(const std::string& mhzText) {
  return mhzText + " Mhz";
}

}  // namespace speedtest
