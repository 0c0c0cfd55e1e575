#include "cpuinfo/Vendor.h"

#include <array>

namespace cpuinfo {
namespace {

// Id, ShortName, LongName, FeatureVendor, CacheMethod; indices 1 to 9.
constexpr std::array<TCpuVendorInfo, 9> kVendors{{
    {"BadCpuVendor", "Unknown ", "Unknown Vendor", 0, 0},
    {"GenuineIntel", "Intel ", "Intel Corporation", 1, 0},
    {"AuthenticAMD", "AMD ", "Advanced Micro Devices", 2, 1},
    {"CyrixInstead", "Cyrix ", "Via Technologies Inc", 3, 2},
    {"CentaurHauls", "Via ", "Via Technologies Inc", 0, 1},
    {"NexGenDriven", "NexGen ", "NexGen Inc", 0, 0},
    {"UMC UMC UMC ", "UMC ", "United Microelectronics Corp", 0, 0},
    {"RiseRiseRise", "Rise ", "Rise Technology", 0, 0},
    {"GenuineTMx86", "Transmeta ", "Transmeta", 2, 1},
}};
static_assert(kVendors.size() == 9);

}  // namespace

std::span<const TCpuVendorInfo> VendorTable() {
  return kVendors;
}

const TCpuVendorInfo& VendorInfo(uint8_t index) {
  if (index < 1 || index > kVendors.size()) return kVendors[0];
  return kVendors[index - 1];
}

uint8_t VendorIndexOf(const std::string& id) {
  for (size_t i = 0; i < kVendors.size(); ++i) {
    if (id == kVendors[i].Id) return static_cast<uint8_t>(i + 1);
  }
  return kVendorUnknown;
}

TProcessorVendor::TProcessorVendor(uint8_t processor) {
  const Ref<ICpuid> leaf0 = ExecuteLeaf(processor, 0);
  FVendor = VendorIndexOf(leaf0->Ebx()->AsText() + leaf0->Edx()->AsText() + leaf0->Ecx()->AsText());
}

}  // namespace cpuinfo
