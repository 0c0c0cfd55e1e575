// Every recorded processor replayed, with the facts worked out by hand from its dump.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "cpuinfo/Information.h"

namespace cpuinfo {
namespace {

std::string DumpPath(const std::string& file) {
  return std::string(TACHORA_SOURCE_DIR) + "/tests/data/cpuid-dumps/" + file;
}

// The facts of one processor, named field by field so that a failure says which.
struct Expected {
  uint8_t vendor;
  struct {
    uint32_t family, model, stepping, brand;
  } signature;
  struct {
    const char* text;
    bool fromLookup;  // from the lookup tables rather than the brand string
  } name;
  struct {
    uint32_t size;
    const char* associativity;
  } l2;
  // How many flags each feature register reports.
  struct {
    uint32_t standard, standardEcx, extended, power;
  } features;
  struct {
    uint32_t system, logical;
  } processors;
};

class Replay : public ::testing::Test {
 protected:
  void Load(const std::string& file) {
    source_ = std::make_unique<ReplayCpuidSource>(LoadCpuidDump(DumpPath(file)));
    scope_ = std::make_unique<ScopedCpuidSource>(*source_);
  }
  void TearDown() override {
    scope_.reset();
    source_.reset();
  }

  Ref<IProcessorInformation> Info() { return CpuInstance().Information(0); }
  bool Flag(const Ref<ICpuFeatureSet>& set, uint8_t bit) {
    return set->ByBit(bit)->Available()->Value();
  }

  void ExpectFacts(const Expected& e) {
    const Ref<IProcessorInformation> info = Info();
    EXPECT_EQ(info->Vendor()->Index(), e.vendor);
    const Ref<IProcessorSignature> signature = info->Signature();
    EXPECT_EQ(signature->Family()->Value()->Value(), e.signature.family);
    EXPECT_EQ(signature->Model()->Value()->Value(), e.signature.model);
    EXPECT_EQ(signature->Stepping()->Value()->Value(), e.signature.stepping);
    EXPECT_EQ(signature->Brand()->Value()->Value(), e.signature.brand);
    EXPECT_EQ(info->Name()->Name(), e.name.text);
    EXPECT_EQ(info->Name()->FromLookup()->Value(), e.name.fromLookup);
    EXPECT_EQ(info->Cache()->Level2()->Size()->Value(), e.l2.size);
    EXPECT_EQ(info->Cache()->Level2()->Associativity()->Name(), e.l2.associativity);
    const Ref<IProcessorFeatures> features = info->Features();
    EXPECT_EQ(features->Standard()->Count()->Value(), e.features.standard);
    EXPECT_EQ(features->StandardEcx()->Count()->Value(), e.features.standardEcx);
    EXPECT_EQ(features->Extended()->Count()->Value(), e.features.extended);
    EXPECT_EQ(features->PowerManagement()->Count()->Value(), e.features.power);
    EXPECT_EQ(CpuInstance().Processors()->SystemCount()->Value(), e.processors.system);
    EXPECT_EQ(CpuInstance().Processors()->LogicalCount()->Value(), e.processors.logical);
    EXPECT_FALSE(info->Errata()->FdivFlaw()->Value());
  }

 private:
  std::unique_ptr<ReplayCpuidSource> source_;
  std::unique_ptr<ScopedCpuidSource> scope_;
};

TEST_F(Replay, AmdAthlonThunderbird) {
  Load("amd-athlon-thunderbird-0644.cpuid");
  // Level 2 from leaf 80000006 ECX 01008140: 256 KB; family 6 reads as 16-way.
  ExpectFacts({.vendor = kVendorAmd,
               .signature = {.family = 6, .model = 4, .stepping = 4, .brand = 0},
               .name = {.text = "AMD Athlon(tm) Processor", .fromLookup = false},
               .l2 = {.size = 262144, .associativity = "16-Way"},
               .features = {.standard = 30, .standardEcx = 3, .extended = 24, .power = 0},
               .processors = {.system = 1, .logical = 1}});
  const Ref<IProcessorFeatures> features = Info()->Features();
  EXPECT_TRUE(Flag(features->Extended(), 31));  // 3DNow!
  EXPECT_TRUE(Flag(features->Extended(), 30));  // extended 3DNow!
  EXPECT_TRUE(features->ByName("MMX+")->Available()->Value());
  EXPECT_EQ(features->ByName("SEP")->Bit(), kNoBit);  // family 6: bit 10, an empty slot
  EXPECT_FALSE(Flag(features->Standard(), 25));
  EXPECT_EQ(Info()->Cache()->Level1()->Data()->Associativity()->Name(), "2-Way");
  EXPECT_EQ(AmdRating(NormalizeSpeed(1332), Info()->Cache()->Level2()->Size()->Value()), "1500+");
}

TEST_F(Replay, AmdAthlon64Venice) {
  Load("amd-athlon64-venice-20ff0.cpuid");
  // 00020FF0: family 15 + 0, model 15 + 2; level 2 is 512 KB with raw associativity 0.
  ExpectFacts({.vendor = kVendorAmd,
               .signature = {.family = 15, .model = 17, .stepping = 0, .brand = 0},
               .name = {.text = "AMD Athlon(tm) 64 Processor 3200+", .fromLookup = false},
               .l2 = {.size = 524288, .associativity = "None"},
               .features = {.standard = 30, .standardEcx = 3, .extended = 24, .power = 6},
               .processors = {.system = 1, .logical = 1}});
  EXPECT_TRUE(Info()->Signature()->Family()->IsExtended()->Value());
  EXPECT_TRUE(Info()->Signature()->Model()->IsExtended()->Value());
  EXPECT_TRUE(Info()->Features()->ByName("TM")->Available()->Value());
  EXPECT_TRUE(Info()->Features()->ByName("LM")->Available()->Value());
  EXPECT_EQ(AmdRating(2000, Info()->Cache()->Level2()->Size()->Value()), "2600+");
}

TEST_F(Replay, AmdK5) {
  Load("amd-k5-ssa5-0500.cpuid");
  ExpectFacts({.vendor = kVendorAmd,
               .signature = {.family = 5, .model = 0, .stepping = 0, .brand = 0},
               .name = {.text = "AMD K5", .fromLookup = true},
               .l2 = {.size = 0, .associativity = "None"},
               .features = {.standard = 30, .standardEcx = 3, .extended = 0, .power = 0},
               .processors = {.system = 1, .logical = 1}});
  const Ref<ICpuFeature> pge = Info()->Features()->ByName("PGE");
  EXPECT_EQ(pge->Bit(), 9);  // family 5 model 0 reports it at the APIC bit
  EXPECT_TRUE(pge->Available()->Value());
  EXPECT_FALSE(Flag(Info()->Features()->Standard(), 23));  // no MMX
}

TEST_F(Replay, AmdRyzen9Matisse) {
  Load("amd-ryzen9-matisse-870f10.cpuid");
  // 24 processors, each reporting 0x18 logical processors per package.
  ExpectFacts({.vendor = kVendorAmd,
               .signature = {.family = 23, .model = 1, .stepping = 0, .brand = 0},
               .name = {.text = "AMD Ryzen 9 PRO 3900 12-Core Processor", .fromLookup = false},
               .l2 = {.size = 524288, .associativity = "None"},
               .features = {.standard = 30, .standardEcx = 3, .extended = 24, .power = 6},
               .processors = {.system = 24, .logical = 576}});
  EXPECT_EQ(Info()->Cache()->Level1()->Code()->Associativity()->Name(), "16-Way");
  EXPECT_EQ(Info()->Cpuid()->Extended()->MaxLeaf()->Value(), 0x80000020u);
}

TEST_F(Replay, CentaurC3Samuel2) {
  Load("centaur-c3-samuel2-0673.cpuid");
  // Centaur's level-2 size is the top byte of 80000006 ECX 40040120: 64 KB, 4-way.
  ExpectFacts({.vendor = kVendorCentaur,
               .signature = {.family = 6, .model = 7, .stepping = 3, .brand = 0},
               .name = {.text = "VIA Samuel 2", .fromLookup = false},
               .l2 = {.size = 65536, .associativity = "4-Way"},
               .features = {.standard = 30, .standardEcx = 3, .extended = 19, .power = 0},
               .processors = {.system = 1, .logical = 1}});
  EXPECT_EQ(Info()->Vendor()->Name(), "Via Technologies Inc");
  EXPECT_EQ(Info()->Cache()->Level2()->LineSize()->Value(), 32u);
  EXPECT_EQ(Info()->Features()->ByName("MMX+")->Bit(), kNoBit);
}

TEST_F(Replay, Cyrix6x86MX) {
  Load("cyrix-6x86mx-mii-0600.cpuid");
  ExpectFacts({.vendor = kVendorCyrix,
               .signature = {.family = 6, .model = 0, .stepping = 0, .brand = 0},
               .name = {.text = "Cyrix 6x86MX", .fromLookup = true},
               .l2 = {.size = 0, .associativity = "None"},
               .features = {.standard = 30, .standardEcx = 3, .extended = 0, .power = 0},
               .processors = {.system = 1, .logical = 1}});
  const Ref<ICpuFeature> mmxPlus = Info()->Features()->ByName("MMX+");
  EXPECT_EQ(mmxPlus->Bit(), 24);
  EXPECT_EQ(mmxPlus->Mnemonic(), "MMX+");
  EXPECT_FALSE(mmxPlus->Available()->Value());  // no extended leaves
  EXPECT_TRUE(Flag(Info()->Features()->Standard(), 23));
}

TEST_F(Replay, HygonIsAnUnknownVendor) {
  Load("hygon-c86-3185-900f02.cpuid");
  // Unknown vendors take caches from descriptors; here the bytes of 80000005/6 hold
  // 0x08 (16 KB level-1 code) and 0x40 (no level 2).
  ExpectFacts({.vendor = kVendorUnknown,
               .signature = {.family = 24, .model = 0, .stepping = 2, .brand = 0},
               .name = {.text = "Hygon C86 3185  8-core Processor", .fromLookup = false},
               .l2 = {.size = 0, .associativity = "None"},
               .features = {.standard = 30, .standardEcx = 3, .extended = 19, .power = 0},
               .processors = {.system = 16, .logical = 256}});
  EXPECT_EQ(Info()->Vendor()->IdString(), "BadCpuVendor");
  EXPECT_EQ(Info()->Cache()->Level1()->Code()->Size()->Value(), 16384u);
}

TEST_F(Replay, Intel486DX4) {
  Load("intel-486dx4-0480.cpuid");
  ExpectFacts({.vendor = kVendorIntel,
               .signature = {.family = 4, .model = 8, .stepping = 0, .brand = 0},
               .name = {.text = "Intel 80486DX4", .fromLookup = true},
               .l2 = {.size = 0, .associativity = "None"},
               .features = {.standard = 30, .standardEcx = 3, .extended = 0, .power = 0},
               .processors = {.system = 1, .logical = 1}});
  EXPECT_TRUE(Flag(Info()->Features()->Standard(), 0));
  EXPECT_FALSE(Flag(Info()->Features()->Standard(), 4));
}

TEST_F(Replay, IntelCeleronMendocino) {
  Load("intel-celeron-mendocino-0665.cpuid");
  // Descriptor 0x41 gives 128 KB, which the model 6 rule already calls the mobile part.
  ExpectFacts({.vendor = kVendorIntel,
               .signature = {.family = 6, .model = 6, .stepping = 5, .brand = 0},
               .name = {.text = "Intel Mobile Pentium II", .fromLookup = true},
               .l2 = {.size = 131072, .associativity = "4-Way"},
               .features = {.standard = 30, .standardEcx = 3, .extended = 0, .power = 0},
               .processors = {.system = 1, .logical = 1}});
}

TEST_F(Replay, IntelCoreI7Haswell) {
  Load("intel-core-i7-haswell-306c3.cpuid");
  ExpectFacts({.vendor = kVendorIntel,
               .signature = {.family = 6, .model = 12, .stepping = 3, .brand = 0},
               .name = {.text = "Intel(R) Core(TM) i7-4770 CPU @ 3.40GHz", .fromLookup = false},
               .l2 = {.size = 0, .associativity = "None"},
               .features = {.standard = 30, .standardEcx = 3, .extended = 19, .power = 0},
               .processors = {.system = 8, .logical = 128}});
  EXPECT_TRUE(Flag(Info()->Features()->Standard(), 28));
  EXPECT_TRUE(Flag(Info()->Features()->StandardEcx(), 7));  // TM2
}

TEST_F(Replay, IntelCore2Penryn) {
  Load("intel-core2-penryn-10676.cpuid");
  // 00010676: the extended model is ignored because the model field is not 15.
  ExpectFacts(
      {.vendor = kVendorIntel,
       .signature = {.family = 6, .model = 7, .stepping = 6, .brand = 0},
       .name = {.text = "Intel(R) Core(TM)2 Duo CPU     P8400  @ 2.26GHz", .fromLookup = false},
       .l2 = {.size = 0, .associativity = "None"},
       .features = {.standard = 30, .standardEcx = 3, .extended = 19, .power = 0},
       .processors = {.system = 2, .logical = 4}});
  EXPECT_EQ(Info()->Cache()->Level1()->Data()->Size()->Value(), 32768u);
  EXPECT_EQ(Info()->Cache()->Level1()->Code()->Associativity()->Name(), "8-Way");
}

TEST_F(Replay, IntelPentium2Klamath) {
  Load("intel-p2-klamath-0633.cpuid");
  ExpectFacts({.vendor = kVendorIntel,
               .signature = {.family = 6, .model = 3, .stepping = 3, .brand = 0},
               .name = {.text = "Intel Pentium II", .fromLookup = true},
               .l2 = {.size = 524288, .associativity = "4-Way"},
               .features = {.standard = 30, .standardEcx = 3, .extended = 0, .power = 0},
               .processors = {.system = 1, .logical = 1}});
}

TEST_F(Replay, IntelPentium3Katmai) {
  Load("intel-p3-katmai-0673.cpuid");
  ExpectFacts({.vendor = kVendorIntel,
               .signature = {.family = 6, .model = 7, .stepping = 3, .brand = 0},
               .name = {.text = "Intel Pentium III", .fromLookup = true},
               .l2 = {.size = 524288, .associativity = "4-Way"},
               .features = {.standard = 30, .standardEcx = 3, .extended = 0, .power = 0},
               .processors = {.system = 1, .logical = 1}});
  const Ref<IProcessorSerial> serial = Info()->Serial();
  EXPECT_TRUE(serial->Available()->Value());
  EXPECT_EQ(serial->Text(), "0000-0000-0000-D043-8EF1-8AEE");
  EXPECT_TRUE(Flag(Info()->Features()->Standard(), 25));
  EXPECT_FALSE(Flag(Info()->Features()->Standard(), 26));
}

TEST_F(Replay, IntelPentium4Northwood) {
  Load("intel-p4-northwood-0f29.cpuid");
  // Leaf 2 lists 0x40 and 0x7B; the later row (512 KB, 8-way) wins.
  ExpectFacts({.vendor = kVendorIntel,
               .signature = {.family = 15, .model = 2, .stepping = 9, .brand = 9},
               .name = {.text = "Intel(R) Pentium(R) 4 CPU 2.80GHz", .fromLookup = false},
               .l2 = {.size = 524288, .associativity = "8-Way"},
               .features = {.standard = 30, .standardEcx = 3, .extended = 19, .power = 0},
               .processors = {.system = 2, .logical = 4}});
  EXPECT_EQ(Info()->Cache()->Trace()->Size()->Value(), 12288u);
  EXPECT_EQ(Info()->Cache()->Level1()->Data()->Size()->Value(), 8192u);
  EXPECT_FALSE(Info()->Cache()->Level3()->Available()->Value());
  // Without its brand string, brand index 9 at signature 0F29 would name it so.
  EXPECT_EQ(Make<TIntelProcessorLookup>(0)->Name(), "Intel Geniune Processor");
}

TEST_F(Replay, IntelPentiumMmx) {
  Load("intel-pentium-mmx-p55c-0543.cpuid");
  ExpectFacts({.vendor = kVendorIntel,
               .signature = {.family = 5, .model = 4, .stepping = 3, .brand = 0},
               .name = {.text = "Intel Pentium MMX", .fromLookup = true},
               .l2 = {.size = 0, .associativity = "None"},
               .features = {.standard = 30, .standardEcx = 3, .extended = 0, .power = 0},
               .processors = {.system = 2, .logical = 2}});
  EXPECT_TRUE(CpuInstance().MultiProcessor());
}

TEST_F(Replay, TransmetaCrusoe) {
  Load("transmeta-crusoe-tm5800-0543.cpuid");
  // The name comes from leaves 80860003-6, which this part fills with its firmware text.
  ExpectFacts({.vendor = kVendorTransmeta,
               .signature = {.family = 5, .model = 4, .stepping = 3, .brand = 0},
               .name = {.text = "20030618 15:27 official release 4.4.3#1", .fromLookup = false},
               .l2 = {.size = 524288, .associativity = "None"},
               .features = {.standard = 30, .standardEcx = 3, .extended = 24, .power = 0},
               .processors = {.system = 1, .logical = 1}});
  EXPECT_EQ(Info()->Serial()->Text(), "229B-3189");
  EXPECT_TRUE(Info()->Serial()->Available()->Value());
  EXPECT_EQ(Info()->Cache()->Level2()->LineSize()->Value(), 128u);
  EXPECT_EQ(Info()->Cache()->Level1()->Code()->Associativity()->Name(), "16-Way");
}

TEST(ReplayFolder, EveryDumpHasItsTest) {
  const std::set<std::string> covered{"amd-athlon-thunderbird-0644.cpuid",
                                      "amd-athlon64-venice-20ff0.cpuid",
                                      "amd-k5-ssa5-0500.cpuid",
                                      "amd-ryzen9-matisse-870f10.cpuid",
                                      "centaur-c3-samuel2-0673.cpuid",
                                      "cyrix-6x86mx-mii-0600.cpuid",
                                      "hygon-c86-3185-900f02.cpuid",
                                      "intel-486dx4-0480.cpuid",
                                      "intel-celeron-mendocino-0665.cpuid",
                                      "intel-core-i7-haswell-306c3.cpuid",
                                      "intel-core2-penryn-10676.cpuid",
                                      "intel-p2-klamath-0633.cpuid",
                                      "intel-p3-katmai-0673.cpuid",
                                      "intel-p4-northwood-0f29.cpuid",
                                      "intel-pentium-mmx-p55c-0543.cpuid",
                                      "transmeta-crusoe-tm5800-0543.cpuid"};
  std::set<std::string> found;
  for (const auto& entry : std::filesystem::directory_iterator(DumpPath(""))) {
    if (entry.path().extension() == ".cpuid") found.insert(entry.path().filename().string());
  }
  EXPECT_EQ(found, covered);
}

}  // namespace
}  // namespace cpuinfo
