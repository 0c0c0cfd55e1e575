// Caches from leaf 2 descriptors and from the extended leaves.
#include <gtest/gtest.h>

#include "tests/cpuinfo/FakeCpu.h"

namespace cpuinfo {
namespace {

using testing::FakeCpu;
using testing::Processor0;

struct CacheSeen {
  uint32_t size;
  uint32_t line;
  std::string associativity;
  bool available;
};

CacheSeen See(const Ref<ICpuCache>& cache) {
  return {cache->Size()->Value(), cache->LineSize()->Value(), cache->Associativity()->Name(),
          cache->Available()->Value()};
}

FakeCpu IntelLeaf2(uint32_t eax, uint32_t ebx, uint32_t ecx, uint32_t edx) {
  FakeCpu cpu;
  cpu.Vendor("GenuineIntel", 2).Signature(0x673).Set(2, eax, ebx, ecx, edx);
  return cpu;
}

TEST(CacheTables, SizesAndOrder) {
  EXPECT_EQ(AssociativityTable().size(), 7u);
  ASSERT_EQ(DescriptorTable().size(), 36u);
  for (const TCacheDescriptorInfo& row : DescriptorTable()) {
    EXPECT_NE(row.Type, kCacheLevel1Unified);
    EXPECT_LT(row.Associativity, AssociativityTable().size());
  }
}

TEST(Descriptors, PentiumFourLeafTwo) {
  FakeCpu cpu = IntelLeaf2(0x665B5001, 0, 0, 0x007A7040);
  ScopedCpuidSource use(cpu);
  const Ref<IProcessorCache> cache = Processor0()->Cache();
  EXPECT_FALSE(See(cache->Level1()->Code()).available);
  const CacheSeen data = See(cache->Level1()->Data());
  EXPECT_EQ(data.size, 8192u);
  EXPECT_EQ(data.line, 64u);
  EXPECT_EQ(data.associativity, "4-Way");
  const CacheSeen l2 = See(cache->Level2());
  EXPECT_EQ(l2.size, 262144u);
  EXPECT_EQ(l2.line, 64u);
  EXPECT_EQ(l2.associativity, "8-Way");
  const CacheSeen l3 = See(cache->Level3());
  EXPECT_FALSE(l3.available);
  EXPECT_EQ(l3.associativity, "None");
  const CacheSeen trace = See(cache->Trace());
  EXPECT_EQ(trace.size, 12288u);
  EXPECT_EQ(trace.associativity, "8-Way");
}

TEST(Descriptors, PentiumThreeLeafTwo) {
  FakeCpu cpu = IntelLeaf2(0x03020101, 0, 0, 0x0C040843);
  ScopedCpuidSource use(cpu);
  const Ref<IProcessorCache> cache = Processor0()->Cache();
  const CacheSeen code = See(cache->Level1()->Code());
  EXPECT_EQ(code.size, 16384u);
  EXPECT_EQ(code.line, 32u);
  EXPECT_EQ(code.associativity, "4-Way");
  EXPECT_EQ(See(cache->Level1()->Data()).size, 16384u);
  const CacheSeen l2 = See(cache->Level2());
  EXPECT_EQ(l2.size, 524288u);
  EXPECT_EQ(l2.line, 32u);
  EXPECT_EQ(l2.associativity, "4-Way");
}

TEST(Descriptors, TheLaterTableRowWins) {
  FakeCpu cpu = IntelLeaf2(0x00007B01, 0, 0, 0x00000040);
  ScopedCpuidSource use(cpu);
  const CacheSeen l2 = See(Processor0()->Cache()->Level2());
  EXPECT_EQ(l2.size, 524288u);
  EXPECT_EQ(l2.line, 64u);
  EXPECT_EQ(l2.associativity, "8-Way");
}

TEST(Descriptors, ARegisterWithBitThirtyOneSetHoldsNone) {
  FakeCpu cpu = IntelLeaf2(0x80000001, 0, 0, 0x80000043);
  ScopedCpuidSource use(cpu);
  EXPECT_FALSE(See(Processor0()->Cache()->Level2()).available);
  const Ref<ICpuCacheDescriptors> list = Make<TCpuCacheDescriptors>(0, kCacheLevel2);
  for (uint32_t i = 1; i <= 16; ++i) EXPECT_EQ(list->Descriptor(i), 0u);
}

TEST(Descriptors, EntriesInRegisterOrderLowByteFirst) {
  FakeCpu cpu = IntelLeaf2(0x04030201, 0x08070605, 0x0C0B0A09, 0x100F0E0D);
  ScopedCpuidSource use(cpu);
  const Ref<ICpuCacheDescriptors> list = Make<TCpuCacheDescriptors>(0, kCacheLevel2);
  for (uint32_t i = 1; i <= 16; ++i) EXPECT_EQ(list->Descriptor(i), i);
  EXPECT_EQ(list->Descriptor(0), 0u);
  EXPECT_EQ(list->Descriptor(17), 0u);
  EXPECT_TRUE(list->Contains(16)->Value());
  EXPECT_FALSE(list->Contains(17)->Value());
}

TEST(Descriptors, LeafTwoRunsAsOftenAsItsLowByteSays) {
  FakeCpu cpu = IntelLeaf2(0x00000003, 0, 0, 0);
  ScopedCpuidSource use(cpu);
  Make<TCpuCacheDescriptors>(0, kCacheLevel2);
  EXPECT_EQ(cpu.executions[2], 4);  // once to read the count, then three times
}

TEST(Descriptors, OtherVendorsMatchTheExtendedLeafBytes) {
  FakeCpu cpu;
  cpu.Vendor("CyrixInstead", 1).Signature(0x600).ExtendedMax(0x80000006);
  cpu.Set(0x80000006, 0, 0, 0x00000043, 0).Set(0x80000005, 0x0000000C, 0, 0, 0);
  ScopedCpuidSource use(cpu);
  EXPECT_EQ(See(Processor0()->Cache()->Level2()).size, 524288u);
  EXPECT_EQ(See(Processor0()->Cache()->Level1()->Data()).size, 16384u);
}

FakeCpu ExtendedCache(const std::string& vendor, uint32_t signature, uint32_t l1Ecx, uint32_t l1Edx,
                      uint32_t l2Ecx) {
  FakeCpu cpu;
  cpu.Vendor(vendor, 1).Signature(signature).ExtendedMax(0x80000006);
  cpu.Set(0x80000005, 0, 0, l1Ecx, l1Edx).Set(0x80000006, 0, 0, l2Ecx, 0);
  return cpu;
}

TEST(ExtendedLeaves, AmdFamilySixLevelTwoIsSixteenWay) {
  FakeCpu cpu = ExtendedCache("AuthenticAMD", 0x644, 0x40020140, 0x40020140, 0x01008140);
  ScopedCpuidSource use(cpu);
  const CacheSeen l2 = See(Processor0()->Cache()->Level2());
  EXPECT_EQ(l2.size, 262144u);
  EXPECT_EQ(l2.line, 64u);
  EXPECT_EQ(l2.associativity, "16-Way");
  const CacheSeen data = See(Processor0()->Cache()->Level1()->Data());
  EXPECT_EQ(data.size, 65536u);
  EXPECT_EQ(data.line, 64u);
  EXPECT_EQ(data.associativity, "2-Way");
}

TEST(ExtendedLeaves, AmdFamilyFifteenReadsAssociativityFromBitsTwentyThreeToSixteen) {
  FakeCpu cpu = ExtendedCache("AuthenticAMD", 0xF48, 0, 0, 0x02006140);
  ScopedCpuidSource use(cpu);
  const CacheSeen l2 = See(Processor0()->Cache()->Level2());
  EXPECT_EQ(l2.size, 524288u);
  EXPECT_EQ(l2.line, 64u);
  EXPECT_EQ(l2.associativity, "None");
}

TEST(ExtendedLeaves, CentaurLevelTwoSizeIsOneByte) {
  FakeCpu cpu = ExtendedCache("CentaurHauls", 0x673, 0, 0, 0x40040120);
  ScopedCpuidSource use(cpu);
  const CacheSeen l2 = See(Processor0()->Cache()->Level2());
  EXPECT_EQ(l2.size, 65536u);
  EXPECT_EQ(l2.line, 32u);
  EXPECT_EQ(l2.associativity, "4-Way");
}

TEST(ExtendedLeaves, CodesAreComparedUnchanged) {
  FakeCpu cpu = ExtendedCache("AuthenticAMD", 0x644, 0x40080140, 0x40FF0140, 0);
  ScopedCpuidSource use(cpu);
  EXPECT_EQ(See(Processor0()->Cache()->Level1()->Data()).associativity, "16-Way");
  EXPECT_EQ(See(Processor0()->Cache()->Level1()->Code()).associativity, "None");  // 0xFF
}

TEST(ExtendedLeaves, OnlyLevelOneSplitAndLevelTwoExist) {
  FakeCpu cpu = ExtendedCache("AuthenticAMD", 0x644, 0x40020140, 0x40020140, 0x01008140);
  cpu.Set(0x80000099, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF);
  ScopedCpuidSource use(cpu);
  const Ref<IProcessorCache> cache = Processor0()->Cache();
  EXPECT_FALSE(cache->Level1()->Unified()->Available()->Value());
  EXPECT_FALSE(cache->Level3()->Available()->Value());
  EXPECT_FALSE(cache->Trace()->Available()->Value());
  EXPECT_EQ(cache->Trace()->Associativity()->Value()->Value(), 0u);
}

TEST(ExtendedLeaves, MissingLeavesReportNoCaches) {
  FakeCpu cpu;
  cpu.Vendor("AuthenticAMD", 1).Signature(0x500);
  cpu.Set(0x80000006, 0, 0, 0x01008140, 0);
  ScopedCpuidSource use(cpu);
  const CacheSeen l2 = See(Processor0()->Cache()->Level2());
  EXPECT_FALSE(l2.available);
  EXPECT_EQ(l2.line, 0u);
}

}  // namespace
}  // namespace cpuinfo
