// Processor count and the process-wide binding to processors.
#include "platform/System.h"

#include <gtest/gtest.h>

namespace {

class Affinity : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::InitAffinity();
    saved_ = platform::ProcessAffinity();
  }
  void TearDown() override {
    platform::SetProcessAffinity(saved_);
    platform::YieldProcessor();
  }
  uint32_t saved_ = 0;
};

TEST(ProcessorCount, IsAtLeastOne) {
  EXPECT_GE(platform::ProcessorCount(), 1u);
}

TEST_F(Affinity, BindingFunctionIsFound) {
  EXPECT_TRUE(platform::AffinityAvailable());
}

TEST_F(Affinity, InitialisingTwiceKeepsTheBinding) {
  platform::InitAffinity();
  EXPECT_TRUE(platform::AffinityAvailable());
  EXPECT_EQ(platform::ProcessAffinity(), saved_);
}

TEST_F(Affinity, MaskNamesOnlyReportedProcessors) {
  ASSERT_NE(saved_, 0u);
  const uint32_t count = platform::ProcessorCount();
  if (count >= 32) GTEST_SKIP() << "a 32-bit mask names every processor";
  EXPECT_EQ(saved_ >> count, 0u) << "mask " << saved_ << ", " << count;
}

TEST_F(Affinity, BindsToEachProcessorAndRestores) {
  for (uint32_t processor = 0; processor < 32; ++processor) {
    const uint32_t single = uint32_t{1} << processor;
    if ((saved_ & single) == 0) continue;
    platform::SetProcessAffinity(single);
    platform::YieldProcessor();
    EXPECT_EQ(platform::ProcessAffinity(), single) << "processor " << processor;
  }
  platform::SetProcessAffinity(saved_);
  EXPECT_EQ(platform::ProcessAffinity(), saved_);
}

TEST_F(Affinity, EmptyMaskIsRefused) {
  // No processor at all is not a binding: the previous one stays.
  platform::SetProcessAffinity(0);
  platform::YieldProcessor();
  EXPECT_EQ(platform::ProcessAffinity(), saved_);
}

}  // namespace
