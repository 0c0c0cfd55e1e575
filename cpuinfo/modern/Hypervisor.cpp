#include "cpuinfo/modern/Hypervisor.h"

#include <array>

#include "cpuinfo/Bits.h"

namespace cpuinfo::modern {
namespace {

struct HypervisorName {
  std::string_view id;
  std::string_view name;
};

// identifier (without trailing NULs), name
constexpr std::array<HypervisorName, 17> kHypervisors{{
    {" lrpepyh  vr", "Parallels"},
    {"ACRNACRNACRN", "ACRN"},
    {"EVMMEVMMEVMM", "Intel KGT"},
    {"HAXMHAXMHAXM", "Intel HAXM"},
    {"Jailhouse", "Jailhouse"},
    {"KVMKVMKVM", "KVM"},
    {"Linux KVM Hv", "KVM (Hyper-V interface)"},
    {"Microsoft Hv", "Hyper-V"},
    {"MicrosoftXTA", "Microsoft x86 emulation"},
    {"NVMM", "NetBSD NVMM"},
    {"OpenBSDVMM58", "OpenBSD vmm"},
    {"QNXQVMBSQG", "QNX hypervisor"},
    {"TCGTCGTCGTCG", "QEMU (TCG)"},
    {"UnisysSpar64", "Unisys s-Par"},
    {"VBoxVBoxVBox", "VirtualBox"},
    {"VMwareVMware", "VMware"},
    {"XenVMMXenVMM", "Xen"},
}};

constexpr bool NamesSorted() {
  for (size_t i = 1; i < kHypervisors.size(); ++i) {
    if (!(kHypervisors[i - 1].id < kHypervisors[i].id)) return false;
  }
  return true;
}
static_assert(NamesSorted(), "hypervisor identifiers sorted, each once");

std::string RegisterText(uint32_t value) {
  std::string text;
  for (unsigned shift = 0; shift < 32; shift += 8)
    text += static_cast<char>((value >> shift) & 0xFF);
  return text;
}

}  // namespace

HypervisorInfo DecodeHypervisor(const CpuidSnapshot& snapshot) {
  HypervisorInfo info;
  info.present = snapshot.MaxStandard() >= 1 && Bit(snapshot.Leaf(1).ecx, 31);
  if (!info.present) return info;
  const CpuidRegisters base = snapshot.Leaf(0x40000000);
  info.highestLeaf = base.eax;
  info.vendorId = RegisterText(base.ebx) + RegisterText(base.ecx) + RegisterText(base.edx);
  while (!info.vendorId.empty() && info.vendorId.back() == '\0') info.vendorId.pop_back();
  for (const HypervisorName& entry : kHypervisors) {
    if (entry.id == info.vendorId) info.name = entry.name;
  }
  return info;
}

DeclaredFrequencies DecodeFrequencies(const CpuidSnapshot& snapshot) {
  DeclaredFrequencies frequencies;
  const uint32_t highest = snapshot.MaxStandard();
  if (highest >= 0x15) {
    const CpuidRegisters ratio = snapshot.Leaf(0x15);
    frequencies.crystalHz = ratio.ecx;
    if (ratio.eax != 0 && ratio.ebx != 0 && ratio.ecx != 0) {
      frequencies.tscHz = uint64_t{ratio.ecx} * ratio.ebx / ratio.eax;
    }
  }
  if (highest >= 0x16) {
    const CpuidRegisters rates = snapshot.Leaf(0x16);
    frequencies.baseMhz = Bits(rates.eax, 15, 0);
    frequencies.maxMhz = Bits(rates.ebx, 15, 0);
    frequencies.busMhz = Bits(rates.ecx, 15, 0);
  }
  const HypervisorInfo hypervisor = DecodeHypervisor(snapshot);
  if (hypervisor.present && hypervisor.highestLeaf >= 0x40000010 &&
      hypervisor.highestLeaf < 0x40000100) {
    const CpuidRegisters timing = snapshot.Leaf(0x40000010);
    frequencies.hypervisorTscKhz = timing.eax;
    frequencies.hypervisorBusKhz = timing.ebx;
  }
  return frequencies;
}

}  // namespace cpuinfo::modern
