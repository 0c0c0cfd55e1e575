#include "speedtest/MachineFacts.h"

#include <gtest/gtest.h>

namespace speedtest {
namespace {

TEST(MemoryText, WholeMegabytesTruncated) {
  EXPECT_EQ(MemoryMbText(2'147'483'648), "2048");
  EXPECT_EQ(MemoryMbText(1'073'201'152), "1023");
  EXPECT_EQ(MemoryMbText(4'294'967'295), "4095");
}

TEST(MemoryText, CountsBeyondFourGigabytesAreNotCutTo32Bits) {
  EXPECT_EQ(MemoryMbText(uint64_t{24} << 30), "24576");
  EXPECT_EQ(MemoryMbText(uint64_t{4} << 30), "4096");
}

TEST(MemoryText, UnknownMemoryGivesNoText) {
  EXPECT_EQ(MemoryMbText(0), "");
}

TEST(MemoryText, LabelAddsUnit) {
  EXPECT_EQ(MemoryLabelText("2048"), "2048 MB");
}

TEST(VendorLogo, IntelInAnyCaseShowsTheIntelPicture) {
  EXPECT_EQ(ChooseVendorLogo("Intel Corporation"), VendorLogo::kIntel);
  EXPECT_EQ(ChooseVendorLogo("GENUINEINTEL"), VendorLogo::kIntel);
}

TEST(VendorLogo, EveryOtherVendorShowsTheAmdPicture) {
  EXPECT_EQ(ChooseVendorLogo("Advanced Micro Devices"), VendorLogo::kAmd);
  EXPECT_EQ(ChooseVendorLogo("Via Technologies Inc"), VendorLogo::kAmd);
  EXPECT_EQ(ChooseVendorLogo("Cyrix Corporation"), VendorLogo::kAmd);
  EXPECT_EQ(ChooseVendorLogo(""), VendorLogo::kAmd);
}

}  // namespace
}  // namespace speedtest
