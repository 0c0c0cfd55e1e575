#include "gui/StretchMapping.h"

#include <gtest/gtest.h>

#include <cmath>

namespace gui {
namespace {

TEST(StretchMappingTest, EnlargingRepeatsEachSourcePixel) {
  // Two pixels over four: each source pixel twice.
  EXPECT_EQ(StretchedSourcePixel(0, 4, 2), 0);
  EXPECT_EQ(StretchedSourcePixel(1, 4, 2), 0);
  EXPECT_EQ(StretchedSourcePixel(2, 4, 2), 1);
  EXPECT_EQ(StretchedSourcePixel(3, 4, 2), 1);
}

TEST(StretchMappingTest, SqueezingTakesThePixelUnderEachCentre) {
  // Four pixels into two: the centres 1 and 3 of the source.
  EXPECT_EQ(StretchedSourcePixel(0, 2, 4), 1);
  EXPECT_EQ(StretchedSourcePixel(1, 2, 4), 3);
}

TEST(StretchMappingTest, IsTheFloorOfTheCentreScaled) {
  for (int n = 1; n <= 40; ++n) {
    for (int m = 1; m <= 40; ++m) {
      for (int d = 0; d < n; ++d) {
        const auto expected = int64_t(std::floor((d + 0.5) * m / n));
        ASSERT_EQ(StretchedSourcePixel(d, n, m), expected) << d << " of " << n << " from " << m;
      }
    }
  }
}

}  // namespace
}  // namespace gui
