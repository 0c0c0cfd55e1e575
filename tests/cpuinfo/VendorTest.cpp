// Recognising the vendor and decoding the signature.
#include <gtest/gtest.h>

#include "tests/cpuinfo/FakeCpu.h"

namespace cpuinfo {
namespace {

using testing::FakeCpu;
using testing::Processor0;

Ref<IProcessorVendor> VendorOf(const std::string& id) {
  FakeCpu cpu;
  cpu.Vendor(id);
  ScopedCpuidSource use(cpu);
  return Processor0()->Vendor();
}

TEST(Vendor, RecognisesEachIdentificationString) {
  EXPECT_EQ(VendorOf("GenuineIntel")->Index(), kVendorIntel);
  EXPECT_EQ(VendorOf("GenuineIntel")->Name(), "Intel Corporation");
  EXPECT_EQ(VendorOf("AuthenticAMD")->Name(), "Advanced Micro Devices");
  EXPECT_EQ(VendorOf("CyrixInstead")->Index(), kVendorCyrix);
  EXPECT_EQ(VendorOf("CyrixInstead")->Name(), "Via Technologies Inc");
  EXPECT_EQ(VendorOf("CentaurHauls")->Index(), kVendorCentaur);
  EXPECT_EQ(VendorOf("CentaurHauls")->Name(), "Via Technologies Inc");
  EXPECT_EQ(VendorOf("NexGenDriven")->Index(), kVendorNexGen);
  EXPECT_EQ(VendorOf("UMC UMC UMC ")->Index(), kVendorUmc);
  EXPECT_EQ(VendorOf("RiseRiseRise")->Index(), kVendorRise);
  EXPECT_EQ(VendorOf("GenuineTMx86")->Index(), kVendorTransmeta);
  EXPECT_EQ(VendorOf("GenuineTMx86")->FeatureVendor(), kFeatureVendorAmd);
}

TEST(Vendor, CodesSteerFeaturesAndCaches) {
  EXPECT_EQ(VendorOf("AuthenticAMD")->FeatureVendor(), kFeatureVendorAmd);
  EXPECT_EQ(VendorOf("AuthenticAMD")->CacheMethod(), 1);
  EXPECT_EQ(VendorOf("CyrixInstead")->FeatureVendor(), kFeatureVendorCyrix);
  EXPECT_EQ(VendorOf("CyrixInstead")->CacheMethod(), 2);
  EXPECT_EQ(VendorOf("CentaurHauls")->CacheMethod(), 1);
  EXPECT_EQ(VendorOf("GenuineIntel")->CacheMethod(), 0);
}

TEST(Vendor, AnythingElseIsTheUnknownVendor) {
  for (const char* id : {"genuineintel", "GenuineIntal", "HygonGenuine", ""}) {
    const Ref<IProcessorVendor> vendor = VendorOf(id);
    EXPECT_EQ(vendor->Index(), kVendorUnknown) << id;
    EXPECT_EQ(vendor->IdString(), "BadCpuVendor");
    EXPECT_EQ(vendor->Name(), "Unknown Vendor");
    EXPECT_EQ(vendor->FeatureVendor(), 0);
    EXPECT_EQ(vendor->CacheMethod(), 0);
  }
}

TEST(Vendor, ShortNamesEndWithOneSpace) {
  for (const TCpuVendorInfo& row : VendorTable()) {
    const std::string name = row.ShortName;
    EXPECT_EQ(name.back(), ' ') << row.Id;
    EXPECT_NE(name[name.size() - 2], ' ') << row.Id;
    EXPECT_EQ(std::string(row.Id).size(), 12u);
  }
}

struct Decoded {
  uint32_t type, family, model, stepping;
  bool familyExtended, modelExtended;
};

Decoded Decode(uint32_t signature) {
  FakeCpu cpu;
  cpu.Vendor("GenuineIntel").Signature(signature);
  ScopedCpuidSource use(cpu);
  const Ref<IProcessorSignature> s = Processor0()->Signature();
  return {s->ProcessorType()->Value()->Value(), s->Family()->Value()->Value(),
          s->Model()->Value()->Value(),         s->Stepping()->Value()->Value(),
          s->Family()->IsExtended()->Value(),   s->Model()->IsExtended()->Value()};
}

TEST(Signature, ExtendedFamilyIsAddedWhenTheFamilyReadsFifteen) {
  const Decoded p4 = Decode(0x00000F29);
  EXPECT_EQ(p4.family, 15u);
  EXPECT_EQ(p4.model, 2u);
  EXPECT_EQ(p4.stepping, 9u);
  EXPECT_TRUE(p4.familyExtended);
  EXPECT_EQ(Decode(0x00100F22).family, 16u);
  EXPECT_EQ(Decode(0x00100F22).model, 2u);
  EXPECT_EQ(Decode(0x00100622).family, 6u);  // extended family ignored below 15
}

TEST(Signature, ExtendedModelIsAddedOnlyWhenTheModelReadsFifteen) {
  const Decoded fb = Decode(0x000006FB);
  EXPECT_EQ(fb.model, 15u);
  EXPECT_TRUE(fb.modelExtended);
  EXPECT_EQ(fb.stepping, 11u);
  const Decoded penryn = Decode(0x00010676);
  EXPECT_EQ(penryn.family, 6u);
  EXPECT_EQ(penryn.model, 7u);
  EXPECT_EQ(penryn.stepping, 6u);
  EXPECT_FALSE(penryn.modelExtended);
  EXPECT_EQ(Decode(0x00020FF0).model, 17u);  // added to 15, not shifted
}

TEST(Signature, ProcessorTypeFromBitsThirteenAndTwelve) {
  const Decoded overdrive = Decode(0x00001632);
  EXPECT_EQ(overdrive.type, 1u);
  EXPECT_EQ(overdrive.family, 6u);
  EXPECT_EQ(overdrive.model, 3u);
  EXPECT_EQ(overdrive.stepping, 2u);
}

TEST(Signature, OnlyFamilyAndModelCanBeExtended) {
  for (int kind : {0, 3, 4, 9}) {
    EXPECT_FALSE(SignatureFieldExtended(0xFFFFFFFF, static_cast<uint8_t>(kind)));
  }
  EXPECT_EQ(DecodeSignatureField(0x12345678, 9), 0u);
  EXPECT_EQ(DecodeSignatureField(0x12345678, kSignatureBrand), 0x12345678u);
}

TEST(Signature, DescriptionAndMissingLeafOne) {
  FakeCpu cpu;
  cpu.Vendor("GenuineIntel", 0).Signature(0x673);
  ScopedCpuidSource use(cpu);
  EXPECT_EQ(Processor0()->Signature()->AsText(), "x86 Family 0 Model 0 Stepping 0");
  EXPECT_EQ(Processor0()->Signature()->Value()->Value(), 0u);
}

uint32_t BrandOf(FakeCpu& cpu) {
  ScopedCpuidSource use(cpu);
  return Processor0()->Signature()->Brand()->Value()->Value();
}

TEST(BrandIndex, LowByteOfLeafOneEbx) {
  FakeCpu intel;
  intel.Vendor("GenuineIntel").Signature(0x6B1, 0x12345602);
  EXPECT_EQ(BrandOf(intel), 2u);
  FakeCpu amdModel4;
  amdModel4.Vendor("AuthenticAMD").Signature(0xF40, 0x00000007).ExtendedMax(0x80000001);
  amdModel4.Set(0x80000001, 0, 0x1234, 0, 0);
  EXPECT_EQ(BrandOf(amdModel4), 7u);
}

TEST(BrandIndex, AmdSixtyFourBitGenerationFallsBackToTheExtendedLeaf) {
  FakeCpu withEbx;
  withEbx.Vendor("AuthenticAMD").Signature(0x20FF0, 0x00000800).ExtendedMax(0x80000001);
  withEbx.Set(0x80000001, 0, 0x10A, 0, 0);
  EXPECT_EQ(BrandOf(withEbx), 0u);  // EBX is not 0, so its low byte counts
  FakeCpu zeroEbx;
  zeroEbx.Vendor("AuthenticAMD").Signature(0x20FF0, 0).ExtendedMax(0x80000001);
  zeroEbx.Set(0x80000001, 0, 0x0001010A, 0, 0);
  EXPECT_EQ(BrandOf(zeroEbx), 0x0001010Au);  // the whole register, unmasked
  FakeCpu noLeaf;
  noLeaf.Vendor("AuthenticAMD").Signature(0x20FF0, 0);
  noLeaf.Set(0x80000001, 0, 0x10A, 0, 0);
  EXPECT_EQ(BrandOf(noLeaf), 0u);
}

TEST(BrandIndex, NeverExtended) {
  FakeCpu cpu;
  cpu.Vendor("GenuineIntel").Signature(0xFFFFFFFF, 0xFF);
  ScopedCpuidSource use(cpu);
  EXPECT_FALSE(Processor0()->Signature()->Brand()->IsExtended()->Value());
  EXPECT_FALSE(Processor0()->Signature()->Stepping()->IsExtended()->Value());
  EXPECT_FALSE(Processor0()->Signature()->ProcessorType()->IsExtended()->Value());
}

}  // namespace
}  // namespace cpuinfo
