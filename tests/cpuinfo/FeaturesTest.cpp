// Feature set definitions, lookups by bit and by mnemonic, and presence.
#include <gtest/gtest.h>

#include "tests/cpuinfo/FakeCpu.h"

namespace cpuinfo {
namespace {

using testing::FakeCpu;
using testing::Processor0;

// A processor of the vendor with leaf 1, and extended leaves up to extendedMax.
FakeCpu Cpu(const std::string& vendor, uint32_t signature = 0x673,
            uint32_t extendedMax = 0x80000008) {
  FakeCpu cpu;
  cpu.Vendor(vendor, 1).Signature(signature, 0, 0xFFFFFFFF, 0xFFFFFFFF);
  if (extendedMax) cpu.ExtendedMax(extendedMax);
  cpu.Set(0x80000001, 0, 0, 0, 0xFFFFFFFF).Set(0x80000007, 0, 0, 0, 0x3F);
  return cpu;
}

TEST(FeatureTable, RowsAreWellFormed) {
  ASSERT_EQ(FeatureTable().size(), 48u);
  for (const TFeatureDetail& row : FeatureTable()) {
    EXPECT_LT(row.Bit, 32) << row.Mnemonic;
    EXPECT_NE(row.Sets, 0) << row.Mnemonic;
    EXPECT_NE(row.VendorCode, kFeatureVendorIntel) << row.Mnemonic;
  }
}

TEST(FeatureSets, StandardSetHasThirtySlotsForEveryVendor) {
  for (const char* vendor : {"GenuineIntel", "AuthenticAMD", "CyrixInstead", "CentaurHauls"}) {
    FakeCpu cpu = Cpu(vendor);
    ScopedCpuidSource use(cpu);
    const Ref<ICpuFeatureSet> standard = Processor0()->Features()->Standard();
    EXPECT_EQ(standard->Count()->Value(), 30u) << vendor;
    EXPECT_EQ(standard->ByBit(10)->Bit(), kNoBit);
    EXPECT_EQ(standard->ByBit(20)->Mnemonic(), "RES");
    EXPECT_EQ(standard->ByBit(20)->Description(), "Reserved or unused");
    EXPECT_EQ(Processor0()->Features()->StandardEcx()->Count()->Value(), 3u);
  }
}

TEST(FeatureSets, ExtendedSetDependsOnTheFeatureVendor) {
  struct Case {
    const char* vendor;
    uint32_t count;
    const char* bit19;
    const char* bit24;
  };
  for (const Case& c :
       {Case{"GenuineIntel", 19, "CLFSH", "FXSR"}, Case{"AuthenticAMD", 24, "MP", "FXSR"},
        Case{"GenuineTMx86", 24, "MP", "FXSR"}, Case{"CyrixInstead", 21, "CLFSH", "MMX+"}}) {
    FakeCpu cpu = Cpu(c.vendor);
    ScopedCpuidSource use(cpu);
    const Ref<ICpuFeatureSet> extended = Processor0()->Features()->Extended();
    EXPECT_EQ(extended->Count()->Value(), c.count) << c.vendor;
    EXPECT_EQ(extended->ByBit(19)->Mnemonic(), c.bit19) << c.vendor;
    EXPECT_EQ(extended->ByBit(24)->Mnemonic(), c.bit24) << c.vendor;
  }
}

TEST(FeatureSets, PowerManagementOnlyForAmdCodes) {
  {
    FakeCpu cpu = Cpu("GenuineIntel");
    ScopedCpuidSource use(cpu);
    EXPECT_EQ(Processor0()->Features()->PowerManagement()->Count()->Value(), 0u);
  }
  FakeCpu cpu = Cpu("AuthenticAMD");
  ScopedCpuidSource use(cpu);
  const Ref<ICpuFeatureSet> power = Processor0()->Features()->PowerManagement();
  EXPECT_EQ(power->Count()->Value(), 6u);
  EXPECT_EQ(power->ByBit(4)->Mnemonic(), "TM");
  EXPECT_TRUE(power->ByBit(5)->Available()->Value());
  EXPECT_EQ(power->ByBit(6)->Bit(), kNoBit);
}

TEST(FeatureSets, ASetWithoutItsLeafCountsZeroButKeepsItsNames) {
  FakeCpu cpu = Cpu("AuthenticAMD", 0x673, 0x80000006);
  ScopedCpuidSource use(cpu);
  const Ref<ICpuFeatureSet> power = Processor0()->Features()->PowerManagement();
  EXPECT_FALSE(power->Available()->Value());
  EXPECT_EQ(power->Count()->Value(), 0u);
  EXPECT_EQ(power->ByBit(0)->Mnemonic(), "TS");
  EXPECT_FALSE(power->ByBit(0)->Available()->Value());
}

TEST(Feature, PresenceReadsTheSetsRegister) {
  FakeCpu cpu;
  cpu.Vendor("GenuineIntel", 1).Signature(0x673, 0, 1u << 26, 1u << 7);
  ScopedCpuidSource use(cpu);
  const Ref<IProcessorFeatures> features = Processor0()->Features();
  EXPECT_TRUE(features->Standard()->ByBit(26)->Available()->Value());
  EXPECT_FALSE(features->Standard()->ByBit(7)->Available()->Value());
  EXPECT_TRUE(features->StandardEcx()->ByBit(7)->Available()->Value());
  EXPECT_FALSE(features->Extended()->ByBit(0)->Available()->Value());  // no leaf
  EXPECT_EQ(features->Standard()->ByBit(32)->Bit(), kNoBit);
  EXPECT_EQ(features->Standard()->ByBit(255)->Bit(), kNoBit);
}

// Every question executes the leaf afresh, once, after its range's availability test.
TEST(Feature, PresenceExecutesItsLeafOnceEachTime) {
  FakeCpu cpu = Cpu("AuthenticAMD");
  ScopedCpuidSource use(cpu);
  const Ref<ICpuFeature> feature = Processor0()->Features()->Extended()->ByBit(0);
  const int leafBefore = cpu.executions[0x80000001];
  const int baseBefore = cpu.executions[0x80000000];
  for (int time = 1; time <= 2; ++time) {
    EXPECT_TRUE(feature->Available()->Value());
    EXPECT_EQ(cpu.executions[0x80000001] - leafBefore, time);
    EXPECT_EQ(cpu.executions[0x80000000] - baseBefore, time);
  }
}

TEST(ByName, IgnoresLetterCase) {
  FakeCpu cpu = Cpu("GenuineIntel");
  ScopedCpuidSource use(cpu);
  const Ref<ICpuFeature> lower = Processor0()->Features()->ByName("sse2");
  EXPECT_EQ(lower->Bit(), 26);
  EXPECT_EQ(lower->Mnemonic(), "SSE2");
  EXPECT_EQ(lower->Description(), "Streaming SIMD extensions 2");
  EXPECT_EQ(Processor0()->Features()->ByName("SSE2")->Bit(), 26);
}

TEST(ByName, ExtendedMmxIsAmdOrCyrixOnly) {
  {
    FakeCpu cpu = Cpu("AuthenticAMD");
    ScopedCpuidSource use(cpu);
    const Ref<ICpuFeature> mmxPlus = Processor0()->Features()->ByName("MMX+");
    EXPECT_EQ(mmxPlus->Bit(), 22);
    EXPECT_TRUE(mmxPlus->Available()->Value());
  }
  {
    FakeCpu cpu = Cpu("CyrixInstead");
    ScopedCpuidSource use(cpu);
    EXPECT_EQ(Processor0()->Features()->ByName("mmx+")->Bit(), 24);
  }
  FakeCpu cpu = Cpu("GenuineIntel");
  ScopedCpuidSource use(cpu);
  EXPECT_EQ(Processor0()->Features()->ByName("MMX+")->Bit(), kNoBit);
}

TEST(ByName, ThermalMonitorIsLookedUpInThePowerSet) {
  {
    FakeCpu cpu = Cpu("GenuineIntel");
    ScopedCpuidSource use(cpu);
    EXPECT_EQ(Processor0()->Features()->ByName("TM")->Bit(), kNoBit);
    EXPECT_EQ(Processor0()->Features()->Standard()->ByName("TM")->Bit(), 29);
  }
  FakeCpu cpu = Cpu("AuthenticAMD");
  ScopedCpuidSource use(cpu);
  const Ref<ICpuFeature> tm = Processor0()->Features()->ByName("TM");
  EXPECT_EQ(tm->Bit(), 4);
  EXPECT_TRUE(tm->Available()->Value());
}

TEST(ByName, EarlyAmdPartsReportPageGlobalEnableAtBitNine) {
  FakeCpu cpu;
  cpu.Vendor("AuthenticAMD", 1).Signature(0x500, 0, 1u << 9);
  ScopedCpuidSource use(cpu);
  const Ref<ICpuFeature> pge = Processor0()->Features()->Standard()->ByName("PGE");
  EXPECT_EQ(pge->Bit(), 9);
  EXPECT_EQ(pge->Mnemonic(), "APIC");
  EXPECT_TRUE(pge->Available()->Value());
}

TEST(ByName, AmdFamilySixFastSystemCallFallsOnAnEmptySlot) {
  FakeCpu cpu = Cpu("AuthenticAMD", 0x644);
  ScopedCpuidSource use(cpu);
  EXPECT_EQ(Processor0()->Features()->Standard()->ByName("SEP")->Bit(), kNoBit);
  FakeCpu k7 = Cpu("AuthenticAMD", 0x544);
  ScopedCpuidSource useK7(k7);
  EXPECT_EQ(Processor0()->Features()->Standard()->ByName("SEP")->Bit(), 11);
}

TEST(ByName, UnknownNamesGiveTheUnknownFeature) {
  FakeCpu cpu = Cpu("AuthenticAMD");
  ScopedCpuidSource use(cpu);
  for (const char* name : {"", "XYZ", "RES"}) {
    const Ref<ICpuFeature> feature = Processor0()->Features()->ByName(name);
    EXPECT_EQ(feature->Bit(), kNoBit) << name;
    EXPECT_EQ(feature->Mnemonic(), "RES");
    EXPECT_FALSE(feature->Available()->Value());
  }
}

}  // namespace
}  // namespace cpuinfo
