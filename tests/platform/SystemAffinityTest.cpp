// Processor count and the process-wide binding to processors.
#include "platform/System.h"

#include <gtest/gtest.h>

#include <bit>

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

TEST_F(Affinity, MaskHoldsNoMoreProcessorsThanReported) {
  ASSERT_NE(saved_, 0u);
  EXPECT_LE(static_cast<uint32_t>(std::popcount(saved_)), platform::ProcessorCount());
}

// The library asks for the count while it holds a processor bound; narrowing the thread
// must not change the answer (Linux binds threads, and counts the thread's processors).
TEST_F(Affinity, CountIsTheSameWhileBoundToOneProcessor) {
  const uint32_t count = platform::ProcessorCount();
  const uint32_t last = uint32_t{1} << (31 - std::countl_zero(saved_));
  platform::SetProcessAffinity(last);
  EXPECT_EQ(platform::ProcessorCount(), count);
  platform::SetProcessAffinity(saved_);
  EXPECT_EQ(platform::ProcessorCount(), count);
  EXPECT_EQ(platform::SetThreadAffinity(last), saved_);
  EXPECT_EQ(platform::ProcessorCount(), count);
  EXPECT_EQ(platform::SetThreadAffinity(saved_), last);
  EXPECT_EQ(platform::ProcessorCount(), count);
}

TEST_F(Affinity, ThreadBindingReturnsTheMaskItReplaces) {
  const uint32_t first = saved_ & (~saved_ + 1);
  EXPECT_EQ(platform::SetThreadAffinity(first), saved_);
  EXPECT_EQ(platform::SetThreadAffinity(0), 0u) << "no processor at all is refused";
  EXPECT_EQ(platform::SetThreadAffinity(saved_), first);
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
