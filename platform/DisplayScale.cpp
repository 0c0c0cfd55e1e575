#include "platform/DisplayScale.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <string>

namespace platform {
namespace {

constexpr int kMinScale = 100;
constexpr int kMaxScale = 400;

int Snap(int percent) {
  return std::clamp((percent + 12) / 25 * 25, kMinScale, kMaxScale);
}

}  // namespace

int ScaleForDpi(int dpi) {
  return Snap(dpi * 100 / 96);
}

std::optional<int> ForcedScale(std::string_view setting) {
  if (setting.empty() || setting == "auto") return std::nullopt;
  const bool percent = setting.back() == '%';
  if (percent) setting.remove_suffix(1);
  double value = 0;
  const auto [end, error] = std::from_chars(setting.data(), setting.data() + setting.size(), value);
  if (error != std::errc() || end != setting.data() + setting.size() || value <= 0) {
    return std::nullopt;
  }
  return Snap(int(percent ? value : value * 100 + 0.5));
}

int ChooseScale(int densityPercent) {
  const char* setting = std::getenv("TACHORA_SCALE");
  if (const std::optional<int> forced = ForcedScale(setting ? setting : "")) return *forced;
  return std::clamp(densityPercent, kMinScale, kMaxScale);
}

}  // namespace platform
