#include "speedtest/Formats.h"

#include <gtest/gtest.h>

#include "speedtest/MachineFacts.h"

namespace speedtest {
namespace {

TEST(Formats, PercentHasAtLeastThreeDigits) {
  EXPECT_EQ(FormatPercent(0), "000");
  EXPECT_EQ(FormatPercent(5), "005");
  EXPECT_EQ(FormatPercent(100), "100");
}

TEST(Formats, MhzHasAtLeastFourDigits) {
  EXPECT_EQ(FormatMhz(0), "0000");
  EXPECT_EQ(FormatMhz(850), "0850");
  EXPECT_EQ(FormatMhz(1600), "1600");
  EXPECT_EQ(FormatMhz(12000), "12000");
}

TEST(Formats, ActualSpeedIsPaddedMhzWithUnit) {
  EXPECT_EQ(ActualSpeedText(2992), "2992 Mhz");
  EXPECT_EQ(ActualSpeedText(850), "0850 Mhz");
  EXPECT_EQ(ActualSpeedText(0), "0000 Mhz");
}

}  // namespace
}  // namespace speedtest
