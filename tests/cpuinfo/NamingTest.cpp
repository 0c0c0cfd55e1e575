// Brand strings and the vendors' naming rules.
#include <gtest/gtest.h>

#include "tests/cpuinfo/FakeCpu.h"

namespace cpuinfo {
namespace {

using testing::FakeCpu;
using testing::Processor0;

std::string NameOf(FakeCpu& cpu) {
  ScopedCpuidSource use(cpu);
  return Processor0()->Name()->Name();
}

// A processor without brand string; leaf 2 reports the level-2 cache descriptor.
FakeCpu Intel(uint32_t signature, uint32_t brand = 0, uint8_t l2Descriptor = 0, uint32_t edx = 0) {
  FakeCpu cpu;
  cpu.Vendor("GenuineIntel", 2).Signature(signature, brand, edx);
  cpu.Set(2, 0x00000001u | (uint32_t{l2Descriptor} << 8), 0, 0, 0);
  return cpu;
}

FakeCpu Vendor(const std::string& id, uint32_t signature) {
  FakeCpu cpu;
  cpu.Vendor(id, 1).Signature(signature);
  return cpu;
}

TEST(BrandString, IsTrimmedOfSpacesAndNuls) {
  FakeCpu cpu;
  cpu.Vendor("GenuineIntel").Signature(0xF24).ExtendedMax(0x80000004);
  cpu.BrandString("              Intel(R) Pentium(R) 4 CPU 2.40GHz");
  ScopedCpuidSource use(cpu);
  EXPECT_EQ(Processor0()->Name()->Name(), "Intel(R) Pentium(R) 4 CPU 2.40GHz");
  EXPECT_FALSE(Processor0()->Name()->FromLookup()->Value());
  EXPECT_EQ(Make<TProcessorNameDetect>(0)->Name().size(), 48u);
}

TEST(BrandString, CharactersInsideTheTextStay) {
  FakeCpu cpu;
  cpu.Vendor("AuthenticAMD").Signature(0x644).ExtendedMax(0x80000004);
  cpu.BrandString(std::string("AMD\0Athlon  X", 13));
  EXPECT_EQ(NameOf(cpu), std::string("AMD\0Athlon  X", 13));
}

TEST(BrandString, AnEmptyBrandStringIsNotReplaced) {
  FakeCpu cpu;
  cpu.Vendor("GenuineIntel").Signature(0x673).ExtendedMax(0x80000004).BrandString("    ");
  EXPECT_EQ(NameOf(cpu), "");
}

TEST(BrandString, NeedsExtendedLeavesUpTo80000004) {
  FakeCpu three = Intel(0x543);
  three.ExtendedMax(0x80000003).BrandString("Should not be read");
  ScopedCpuidSource use(three);
  EXPECT_TRUE(Processor0()->Name()->FromLookup()->Value());
  EXPECT_EQ(Processor0()->Name()->Name(), "Intel Pentium MMX");
}

TEST(BrandString, TransmetaReadsItsOwnFourLeaves) {
  FakeCpu cpu;
  cpu.Vendor("GenuineTMx86").Signature(0x543).ExtendedMax(0x80000004).BrandString("Wrong");
  cpu.Set(0x80860000, 0x80860006, 0, 0, 0);
  const std::string text = "  Transmeta(tm) Crusoe(tm) Processor TM5800 with a long tail  ";
  for (uint32_t i = 0; i < 4; ++i) {
    const std::string part = (text + std::string(64, '\0')).substr(i * 16, 16);
    cpu.Set(0x80860003 + i, FakeCpu::Word(part, 0), FakeCpu::Word(part, 4), FakeCpu::Word(part, 8),
            FakeCpu::Word(part, 12));
  }
  ScopedCpuidSource use(cpu);
  EXPECT_EQ(Processor0()->Name()->Name(),
            "Transmeta(tm) Crusoe(tm) Processor TM5800 with a long tail");
  EXPECT_EQ(Make<TProcessorNameDetect>(0)->Name().size(), 64u);
}

TEST(BrandString, TransmetaBelow80860006UsesTheFallback) {
  FakeCpu cpu;
  cpu.Vendor("GenuineTMx86").Signature(0x543).ExtendedMax(0x80000004).BrandString("Wrong");
  cpu.Set(0x80860000, 0x80860005, 0, 0, 0);
  EXPECT_EQ(NameOf(cpu), "Transmeta x86 Family 5 Model 4 Stepping 3");
}

TEST(IntelLookup, ByFamilyAndModel) {
  FakeCpu mmx = Intel(0x543);
  EXPECT_EQ(NameOf(mmx), "Intel Pentium MMX");
  FakeCpu unknownModel = Intel(0x581);
  EXPECT_EQ(NameOf(unknownModel), "Intel x86 Family 5 Model 8 Stepping 1");
  FakeCpu dx4 = Intel(0x480);
  EXPECT_EQ(NameOf(dx4), "Intel 80486DX4");
  FakeCpu pro = Intel(0x619);
  EXPECT_EQ(NameOf(pro), "Intel Pentium Pro");
  FakeCpu overdrive = Intel(0x1632);
  EXPECT_EQ(NameOf(overdrive), "Intel Pentium II Overdrive");
  FakeCpu klamath = Intel(0x633);
  EXPECT_EQ(NameOf(klamath), "Intel Pentium II");
}

TEST(IntelLookup, FamilySixModelSevenByLevelTwoSize) {
  FakeCpu katmai = Intel(0x673, 0, 0x43);  // 512 KB
  EXPECT_EQ(NameOf(katmai), "Intel Pentium III");
  FakeCpu xeon = Intel(0x673, 0, 0x44);  // 1 MB
  EXPECT_EQ(NameOf(xeon), "Intel Pentium III Xeon");
}

TEST(IntelLookup, FamilySixModelFiveByLevelTwoSize) {
  FakeCpu none = Intel(0x652, 0, 0x40);
  EXPECT_EQ(NameOf(none), "Intel Celeron");
  FakeCpu p2 = Intel(0x652, 0, 0x41);  // 128 KB, the first size that is not a Celeron
  EXPECT_EQ(NameOf(p2), "Intel Pentium II");
  FakeCpu xeon = Intel(0x652, 0, 0x44);
  EXPECT_EQ(NameOf(xeon), "Intel Pentium II Xeon");
}

TEST(IntelLookup, FamilySixModelSixBySizeThenSerialFlag) {
  FakeCpu mobile = Intel(0x665, 0, 0x42);
  EXPECT_EQ(NameOf(mobile), "Intel Mobile Pentium II");
  FakeCpu withSerial = Intel(0x665, 0, 0x40, 1u << 18);
  EXPECT_EQ(NameOf(withSerial), "Intel Mobile Celeron");
  FakeCpu withoutSerial = Intel(0x665, 0, 0x40);
  EXPECT_EQ(NameOf(withoutSerial), "Intel Celeron");
}

TEST(IntelLookup, BrandIndexComesFirst) {
  FakeCpu early = Intel(0xF12, 8);
  EXPECT_EQ(NameOf(early), "Intel Pentium 4");
  FakeCpu later = Intel(0xF13, 8);
  EXPECT_EQ(NameOf(later), "Intel Geniune Processor");
  FakeCpu celeron = Intel(0x6B1, 3);
  EXPECT_EQ(NameOf(celeron), "Intel Celeron");
  FakeCpu xeon = Intel(0x6B4, 3);
  EXPECT_EQ(NameOf(xeon), "Intel Pentium III Xeon");
  FakeCpu xeonMp = Intel(0xF12, 11);
  EXPECT_EQ(NameOf(xeonMp), "Intel Xeon MP");
  FakeCpu mobileP4 = Intel(0xF29, 14);
  EXPECT_EQ(NameOf(mobileP4), "Intel Mobile Pentium 4");
}

TEST(IntelLookup, BrandIndicesWithoutANameFallThrough) {
  for (uint32_t brand : {0u, 5u, 13u, 16u, 255u}) {
    FakeCpu cpu = Intel(0x543, brand);
    EXPECT_EQ(NameOf(cpu), "Intel Pentium MMX") << brand;
  }
  FakeCpu p4 = Intel(0xF29);
  EXPECT_EQ(NameOf(p4), "Intel x86 Family 15 Model 2 Stepping 9");
}

TEST(OtherVendors, TheirTables) {
  struct Case {
    const char* vendor;
    uint32_t signature;
    const char* name;
  };
  for (const Case& c :
       {Case{"AuthenticAMD", 0x500, "AMD K5"}, Case{"AuthenticAMD", 0x570, "AMD K6"},
        Case{"AuthenticAMD", 0x580, "AMD K6 2"}, Case{"AuthenticAMD", 0x5D0, "AMD K6 III"},
        Case{"AuthenticAMD", 0x4F0, "AMD AM5x86"},
        Case{"AuthenticAMD", 0x644, "AMD x86 Family 6 Model 4 Stepping 4"},
        Case{"CyrixInstead", 0x600, "Cyrix 6x86MX"}, Case{"CyrixInstead", 0x670, "Via Cyrix III"},
        Case{"CyrixInstead", 0x490, "Cyrix Cx5x86"}, Case{"CentaurHauls", 0x540, "IDT WinChip"},
        Case{"CentaurHauls", 0x590, "IDT WinChip 3"},
        Case{"CentaurHauls", 0x678, "Via x86 Family 6 Model 7 Stepping 8"},
        Case{"NexGenDriven", 0x500, "NexGen Nx586"}, Case{"UMC UMC UMC ", 0x420, "UMC U5D"},
        Case{"RiseRiseRise", 0x520, "Rise iDragon II"},
        Case{"RiseRiseRise", 0x530, "Rise x86 Family 5 Model 3 Stepping 0"},
        Case{"GenuineTMx86", 0x543, "Transmeta x86 Family 5 Model 4 Stepping 3"},
        Case{"SomebodyElse", 0x683, "Unknown x86 Family 6 Model 8 Stepping 3"}}) {
    FakeCpu cpu = Vendor(c.vendor, c.signature);
    EXPECT_EQ(NameOf(cpu), c.name) << c.vendor << " " << std::hex << c.signature;
  }
}

}  // namespace
}  // namespace cpuinfo
