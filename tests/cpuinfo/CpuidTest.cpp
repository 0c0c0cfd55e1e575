// Executing leaves, leaf ranges, the processor binding and the processor counts.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "cpuinfo/CpuidDump.h"
#include "platform/System.h"
#include "tests/cpuinfo/FakeCpu.h"

namespace cpuinfo {
namespace {

using testing::FakeCpu;
using testing::RecordingBinding;

TEST(LeafRange, OnlyTheDocumentedSpansAreExtendedOrTransmeta) {
  EXPECT_EQ(RangeOfLeaf(0), CpuidRange::Standard);
  EXPECT_EQ(RangeOfLeaf(0x80000000), CpuidRange::Extended);
  EXPECT_EQ(RangeOfLeaf(0x80000008), CpuidRange::Extended);
  EXPECT_EQ(RangeOfLeaf(0x80000009), CpuidRange::Standard);
  EXPECT_EQ(RangeOfLeaf(0x80860007), CpuidRange::Transmeta);
  EXPECT_EQ(RangeOfLeaf(0x80860008), CpuidRange::Standard);
}

TEST(Leaf, ExecutesAvailableLeavesAndZeroesTheOthers) {
  FakeCpu cpu;
  cpu.Vendor("GenuineIntel", 2).Signature(0x673).ExtendedMax(0x80000008);
  cpu.Set(0x80000009, 1, 2, 3, 4).Set(3, 9, 9, 9, 9);
  ScopedCpuidSource use(cpu);
  EXPECT_EQ(ExecuteLeaf(0, 1)->Eax()->Value(), 0x673u);
  const Ref<ICpuid> beyond = ExecuteLeaf(0, 0x80000009);
  EXPECT_FALSE(beyond->Available()->Value());
  EXPECT_EQ(beyond->AsText(), std::string(16, '\0'));
  EXPECT_EQ(ExecuteLeaf(0, 3)->Eax()->Value(), 0u);  // above the highest standard leaf
  EXPECT_TRUE(ExecuteLeaf(0, 0)->Available()->Value());
  EXPECT_NE(ExecuteLeaf(0, 0)->Ebx()->Value(), 0u);
}

TEST(Leaf, WithoutExtendedLeavesTheirBaseIsNotAvailable) {
  FakeCpu cpu;
  cpu.Vendor("GenuineIntel", 1);
  ScopedCpuidSource use(cpu);
  EXPECT_FALSE(ExecuteLeaf(0, 0x80000000)->Available()->Value());
  EXPECT_EQ(testing::Processor0()->Cpuid()->Extended()->MaxLeaf()->Value(), 0u);
  EXPECT_FALSE(testing::Processor0()->Cpuid()->Transmeta()->Available()->Value());
}

TEST(Leaf, RepeatsRunInARowAndBelowOneNothingRuns) {
  FakeCpu cpu;
  cpu.Vendor("GenuineIntel", 2).Set(2, 0x03020101, 0, 0, 0);
  ScopedCpuidSource use(cpu);
  const Ref<ICpuid> leaf = ExecuteLeaf(0, 2, 3);
  EXPECT_EQ(leaf->Repeats(), 3);
  EXPECT_EQ(cpu.executions[2], 3);
  const Ref<ICpuid> none = ExecuteLeaf(0, 2, 0);
  EXPECT_EQ(cpu.executions[2], 3);
  EXPECT_EQ(none->Eax()->Value(), 0u);
}

TEST(Leaf, AsTextJoinsTheFourRegisters) {
  FakeCpu cpu;
  cpu.Vendor("GenuineIntel", 0);
  ScopedCpuidSource use(cpu);
  EXPECT_EQ(ExecuteLeaf(0, 0)->AsText().substr(4), "GenuntelineI");
}

TEST(Leaf, NothingIsCachedBetweenQuestions) {
  FakeCpu cpu;
  cpu.Vendor("GenuineIntel", 1).Signature(0x673);
  ScopedCpuidSource use(cpu);
  const Ref<IProcessorSignature> signature = testing::Processor0()->Signature();
  const int before = cpu.executions[1];
  signature->Family();
  testing::Processor0()->Signature();
  EXPECT_EQ(cpu.executions[1], before + 1);
}

TEST(Binding, ASingleProcessorMachineNeverTouchesTheAffinity) {
  RecordingBinding binding;
  FakeCpu cpu;
  cpu.Vendor("GenuineIntel", 1).Signature(0x673).Processors(1).WithBinding(binding);
  ScopedCpuidSource use(cpu);
  EXPECT_FALSE(CpuInstance().MultiProcessor());
  testing::Processor0()->Name()->Name();
  CpuInstance().Processors()->LogicalCount();
  EXPECT_TRUE(binding.calls.empty());
}

TEST(Binding, EachLeafRunsBoundAndRestoresTheMaskInOrder) {
  RecordingBinding binding;
  FakeCpu cpu;
  cpu.Vendor("GenuineIntel", 1).Signature(0x673).Processors(2).WithBinding(binding);
  ScopedCpuidSource use(cpu);
  EXPECT_TRUE(CpuInstance().MultiProcessor());
  ExecuteLeaf(1, 1);
  // Outer binding, then the availability test's own nested binding, which finds the
  // processor already bound and leaves it; the outer one restores the mask.
  const std::vector<std::string> expected{"mask", "set 2", "yield", "mask", "set 3"};
  EXPECT_EQ(binding.calls, expected);
  EXPECT_EQ(binding.mask, 3u);
  for (uint32_t mask : cpu.executedUnderMask) EXPECT_EQ(mask, 2u);
}

TEST(Binding, ABindingToAnotherProcessorInsideOneStillMoves) {
  RecordingBinding binding;
  FakeCpu cpu;
  cpu.Vendor("GenuineIntel", 1).Processors(2).WithBinding(binding);
  ScopedCpuidSource use(cpu);
  const Ref<ICpuAffinity> outer = Make<TCpuAffinity>(0);
  { const Ref<ICpuAffinity> inner = Make<TCpuAffinity>(1); }
  const std::vector<std::string> expected{"mask",  "set 1", "yield", "mask",
                                          "set 2", "yield", "set 1"};
  EXPECT_EQ(binding.calls, expected);
}

TEST(Binding, AnIndexBeyondTheLastProcessorBindsProcessorZero) {
  RecordingBinding binding;
  FakeCpu cpu;
  cpu.Vendor("GenuineIntel", 1).Processors(2).WithBinding(binding);
  ScopedCpuidSource use(cpu);
  const Ref<ICpuAffinity> affinity = Make<TCpuAffinity>(5);
  EXPECT_EQ(binding.mask, 1u);
}

TEST(Binding, IndicesOfThirtyTwoAndAboveAreNotBound) {
  RecordingBinding binding;
  FakeCpu cpu;
  cpu.Vendor("GenuineIntel", 1).Processors(64).WithBinding(binding);
  ScopedCpuidSource use(cpu);
  const Ref<ICpuAffinity> affinity = Make<TCpuAffinity>(32);
  EXPECT_TRUE(binding.calls.empty());
}

TEST(Binding, WithoutTheBindingFunctionOnlyTheYieldHappens) {
  RecordingBinding binding;
  binding.available = false;
  FakeCpu cpu;
  cpu.Vendor("GenuineIntel", 1).Processors(2).WithBinding(binding);
  ScopedCpuidSource use(cpu);
  { const Ref<ICpuAffinity> affinity = Make<TCpuAffinity>(1); }
  const std::vector<std::string> expected{"mask", "yield"};
  EXPECT_EQ(binding.calls, expected);
}

// A recorded machine replayed, with the process's affinity noted at every leaf.
class WatchedReplay final : public CpuidSource {
 public:
  explicit WatchedReplay(CpuidDump dump) : replay_(std::move(dump)) {}
  CpuidRegisters Execute(uint32_t leaf) override {
    affinities.push_back(platform::ProcessAffinity());
    return replay_.Execute(leaf);
  }
  uint32_t ProcessorCount() override { return replay_.ProcessorCount(); }
  ProcessorBinding* Binding() override { return replay_.Binding(); }

  std::vector<uint32_t> affinities;

 private:
  ReplayCpuidSource replay_;
};

TEST(Binding, ARecordedMachineHasNothingToBind) {
  WatchedReplay recorded(
      ParseCpuidDump("# processors: 4\n"
                     "00000000 00000001 756E6547 6C65746E 49656E69\n"
                     "00000001 00000673 00000000 00000000 0383F9FF\n",
                     "four.cpuid"));
  EXPECT_EQ(recorded.Binding(), nullptr);
  const uint32_t before = platform::ProcessAffinity();
  ScopedCpuidSource use(recorded);
  // The library would bind to each processor of a live machine of four; the recording
  // answers the same on every processor and the process stays where it was.
  EXPECT_TRUE(CpuInstance().MultiProcessor());
  for (uint8_t processor = 0; processor < 4; ++processor) {
    EXPECT_EQ(ExecuteLeaf(processor, 1)->Eax()->Value(), 0x673u) << int(processor);
  }
  ASSERT_FALSE(recorded.affinities.empty());
  for (uint32_t affinity : recorded.affinities) EXPECT_EQ(affinity, before);
  EXPECT_EQ(platform::ProcessAffinity(), before);
}

TEST(ProcessorCount, SystemCountIsTheSourcesCount) {
  FakeCpu cpu;
  cpu.Vendor("GenuineIntel", 1).Processors(6);
  ScopedCpuidSource use(cpu);
  EXPECT_EQ(CpuInstance().Processors()->SystemCount()->Value(), 6u);
}

TEST(ProcessorCount, HyperThreadingMultipliesByLogicalProcessorsPerPackage) {
  FakeCpu cpu;
  cpu.Vendor("GenuineIntel", 1).Signature(0xF29, 0x00020809, 0xBFEBFBFF).Processors(2);
  ScopedCpuidSource use(cpu);
  EXPECT_EQ(CpuInstance().Processors()->LogicalCount()->Value(), 4u);
}

TEST(ProcessorCount, WithoutHyperThreadingEachProcessorCountsOnce) {
  FakeCpu cpu;
  cpu.Vendor("GenuineIntel", 1).Signature(0x543, 0x00020000, 0x008003BF).Processors(3);
  ScopedCpuidSource use(cpu);
  EXPECT_EQ(CpuInstance().Processors()->LogicalCount()->Value(), 3u);
}

TEST(ProcessorCount, TheCountIsTakenAsEightBits) {
  FakeCpu cpu;
  cpu.Vendor("GenuineIntel", 1).Processors(257);
  ScopedCpuidSource use(cpu);
  EXPECT_EQ(CpuInstance().Processors()->LogicalCount()->Value(), 1u);
}

}  // namespace
}  // namespace cpuinfo
