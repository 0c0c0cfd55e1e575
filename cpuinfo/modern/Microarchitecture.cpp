#include "cpuinfo/modern/Microarchitecture.h"

#include <array>

#include "cpuinfo/Bits.h"

namespace cpuinfo::modern {
namespace {

struct VendorName {
  std::string_view id;
  CpuVendor vendor;
};

// vendor identification string, vendor
constexpr std::array<VendorName, 16> kVendors{{
    {"GenuineIntel", CpuVendor::Intel},
    {"AuthenticAMD", CpuVendor::Amd},
    {"AMDisbetter!", CpuVendor::Amd},
    {"HygonGenuine", CpuVendor::Hygon},
    {"  Shanghai  ", CpuVendor::Zhaoxin},
    {"CentaurHauls", CpuVendor::Centaur},
    {"VIA VIA VIA ", CpuVendor::Centaur},
    {"CyrixInstead", CpuVendor::Cyrix},
    {"NexGenDriven", CpuVendor::NexGen},
    {"UMC UMC UMC ", CpuVendor::Umc},
    {"RiseRiseRise", CpuVendor::Rise},
    {"GenuineTMx86", CpuVendor::Transmeta},
    {"TransmetaCPU", CpuVendor::Transmeta},
    {"SiS SiS SiS ", CpuVendor::SiS},
    {"Geode by NSC", CpuVendor::Nsc},
    {"GenuineIotel", CpuVendor::Intel},  // a known misprint in some Intel parts
}};

}  // namespace

CpuVendor VendorOf(std::string_view vendorId) {
  for (const VendorName& entry : kVendors) {
    if (entry.id == vendorId) return entry.vendor;
  }
  return CpuVendor::Unknown;
}

Signature DecodeSignature(const CpuidSnapshot& snapshot) {
  Signature signature;
  signature.vendor = VendorOf(snapshot.VendorId());
  if (snapshot.MaxStandard() < 1) return signature;
  const uint32_t value = snapshot.Leaf(1).eax;
  const uint32_t family = Bits(value, 11, 8);
  signature.family = family == 0xF ? family + Bits(value, 27, 20) : family;
  // The extended model counts from family 6 on (Intel 6 and 15, AMD 15 and up,
  // Centaur and Zhaoxin 6 and 7); earlier families leave it 0.
  signature.model = Bits(value, 7, 4) | (family >= 6 ? Bits(value, 19, 16) << 4 : 0);
  signature.stepping = Bits(value, 3, 0);
  return signature;
}

Microarchitecture DecodeMicroarchitecture(const CpuidSnapshot& snapshot) {
  const Signature s = DecodeSignature(snapshot);
  for (const MicroarchitectureInfo& row : MicroarchitectureTable()) {
    if (row.vendor == s.vendor && row.family == s.family && s.model >= row.modelFirst &&
        s.model <= row.modelLast && s.stepping >= row.steppingFirst &&
        s.stepping <= row.steppingLast) {
      return {row.name, row.codename, row.process, true};
    }
  }
  return {};
}

}  // namespace cpuinfo::modern
