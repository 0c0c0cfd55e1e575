// The scale windows are shown at: the screen's density in quarter steps, and what
// TACHORA_SCALE forces.
#include "platform/DisplayScale.h"

#include <gtest/gtest.h>

namespace platform {
namespace {

TEST(DisplayScaleTest, DensitiesBecomeQuarterSteps) {
  EXPECT_EQ(ScaleForDpi(96), 100);
  EXPECT_EQ(ScaleForDpi(120), 125);
  EXPECT_EQ(ScaleForDpi(144), 150);
  EXPECT_EQ(ScaleForDpi(168), 175);
  EXPECT_EQ(ScaleForDpi(192), 200);
  EXPECT_EQ(ScaleForDpi(288), 300);
  EXPECT_EQ(ScaleForDpi(72), 100);  // never smaller than the design
  EXPECT_EQ(ScaleForDpi(100), 100);
}

TEST(DisplayScaleTest, TheSettingForcesAScaleOrFollowsTheScreen) {
  EXPECT_EQ(ForcedScale("1"), 100);
  EXPECT_EQ(ForcedScale("2"), 200);
  EXPECT_EQ(ForcedScale("1.5"), 150);
  EXPECT_EQ(ForcedScale("1.3"), 125);
  EXPECT_EQ(ForcedScale("175%"), 175);
  EXPECT_EQ(ForcedScale("auto"), std::nullopt);
  EXPECT_EQ(ForcedScale(""), std::nullopt);
  EXPECT_EQ(ForcedScale("big"), std::nullopt);
  EXPECT_EQ(ForcedScale("2x"), std::nullopt);
  EXPECT_EQ(ForcedScale("0"), std::nullopt);
}

}  // namespace
}  // namespace platform
