#include <array>

#include "cpuinfo/Speed.h"
#include "cpuinfo/Texts.h"

namespace cpuinfo {
namespace {

// The two-digit endings of marketed clock rates, ascending.
constexpr std::array<uint32_t, 12> kSpeedEndings{0, 17, 20, 33, 50, 60, 66, 67, 80, 83, 90, 100};
static_assert(kSpeedEndings.size() == 12);

// MHz, Rating: processors with a 256 KB level-2 cache
constexpr std::array<TMappingInfo, 18> kRatings256{{
    {950, "1100+"},
    {1000, "1200+"},
    {1100, "1300+"},
    {1200, "1400+"},
    {1300, "1500+"},
    {1333, "1500+"},
    {1400, "1600+"},
    {1467, "1700+"},
    {1500, "1800+"},
    {1533, "1800+"},
    {1600, "1900+"},
    {1667, "2000+"},
    {1733, "2100+"},
    {1800, "2200+"},
    {2000, "2400+"},
    {2083, "2600+"},
    {2167, "2700+"},
    {2250, "2800+"},
}};
static_assert(kRatings256.size() == 18);

// MHz, Rating: processors with a 512 KB level-2 cache
constexpr std::array<TMappingInfo, 16> kRatings512{{
    {1300, "1700+"},
    {1400, "1800+"},
    {1467, "1900+"},
    {1533, "2000+"},
    {1600, "2100+"},
    {1667, "2200+"},
    {1800, "2400+"},
    {1833, "2500+"},
    {1867, "2500+"},
    {1917, "2600+"},
    {2000, "2600+"},
    {2083, "2800+"},
    {2100, "3000+"},
    {2133, "2800+"},
    {2167, "3000+"},
    {2200, "3200+"},
}};
static_assert(kRatings512.size() == 16);

std::string Search(std::span<const TMappingInfo> table, uint32_t mhz) {
  for (const TMappingInfo& row : table) {
    if (row.Mhz == mhz) return Localized(row.Rating);
  }
  return {};
}

}  // namespace

std::span<const uint32_t> SpeedEndings() {
  return kSpeedEndings;
}
std::span<const TMappingInfo> RatingTable256() {
  return kRatings256;
}
std::span<const TMappingInfo> RatingTable512() {
  return kRatings512;
}

std::string AmdRating(uint32_t normalizedMhz, uint32_t level2Bytes) {
  const uint32_t kilobytes = level2Bytes / 1024;
  if (kilobytes == 256) return Search(kRatings256, normalizedMhz);
  if (kilobytes == 512) return Search(kRatings512, normalizedMhz);
  return {};
}

}  // namespace cpuinfo
