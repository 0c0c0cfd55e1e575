#include "cpuinfo/Cache.h"

#include "cpuinfo/Bits.h"
#include "cpuinfo/Processor.h"
#include "cpuinfo/Vendor.h"

namespace cpuinfo {
namespace {

constexpr uint32_t kNeverAvailableLeaf = 0x80000099;

uint32_t ExtendedLeafOf(uint8_t kind) {
  if (kind == kCacheLevel1Code || kind == kCacheLevel1Data) return 0x80000005;
  if (kind == kCacheLevel2) return 0x80000006;
  return kNeverAvailableLeaf;  // every value of this source is then 0
}

// The associativity row whose code equals the raw value; "None" when none does.
uint8_t AssociativityIndexOf(uint32_t raw) {
  const std::span<const TCacheAssociativityInfo> table = AssociativityTable();
  for (size_t i = 0; i < table.size(); ++i) {
    if (table[i].Code == raw) return static_cast<uint8_t>(i);
  }
  return 0;
}

Ref<ICpuCache> MakeCache(uint8_t processor, uint8_t kind, bool byExtended) {
  if (byExtended) return Make<TCacheByExtendedCpuid>(processor, kind);
  return Make<TCacheByDescriptor>(processor, kind);
}

}  // namespace

TCpuCacheDescriptors::TCpuCacheDescriptors(uint8_t processor, uint8_t kind) {
  Ref<ICpuid> leaf;
  if (CpuInstance().Information(processor)->Vendor()->Index() == kVendorIntel) {
    // The low byte of leaf 2's EAX tells how often the leaf must run to report all.
    const uint32_t repeats = Bits(ExecuteLeaf(processor, 2)->Eax()->Value(), 7, 0);
    leaf = ExecuteLeaf(processor, 2, static_cast<int32_t>(repeats));
  } else {
    const bool level1 = kind < kCacheLevel2 || kind == kCacheTrace;
    leaf = ExecuteLeaf(processor, level1 ? 0x80000005 : 0x80000006);
  }
  const uint32_t registers[4] = {leaf->Eax()->Value(), leaf->Ebx()->Value(), leaf->Ecx()->Value(),
                                 leaf->Edx()->Value()};
  for (unsigned r = 0; r < 4; ++r) {
    if (Bit(registers[r], 31)) continue;  // a register with bit 31 set holds no descriptors
    for (unsigned byte = 0; byte < 4; ++byte) {
      FDescriptors[r * 4 + byte] = Bits(registers[r], byte * 8 + 7, byte * 8);
    }
  }
}

uint32_t TCpuCacheDescriptors::Descriptor(uint32_t index) {
  if (index < 1 || index > FDescriptors.size()) return 0;
  return FDescriptors[index - 1];
}

Ref<ICpuBoolean> TCpuCacheDescriptors::Contains(uint32_t descriptor) {
  for (uint32_t entry : FDescriptors) {
    if (entry == descriptor) return MakeBoolean(true);
  }
  return MakeBoolean(false);
}

const TCacheDescriptorInfo* TCacheByDescriptor::LastMatch() {
  const TCacheDescriptorInfo* match = nullptr;
  for (const TCacheDescriptorInfo& row : DescriptorTable()) {
    if (row.Type == FKind && FDescriptors->Contains(row.Descriptor)->Value()) match = &row;
  }
  return match;
}

Ref<ICpuNumber> TCacheByDescriptor::Size() {
  const TCacheDescriptorInfo* match = LastMatch();
  return MakeNumber(match ? match->Size * 1024 : 0);
}

Ref<ICpuBoolean> TCacheByDescriptor::Available() {
  return MakeBoolean(Size()->Value() != 0);
}

Ref<ICpuNumber> TCacheByDescriptor::LineSize() {
  if (!Available()->Value()) return MakeNumber(0);
  const TCacheDescriptorInfo* match = LastMatch();
  return MakeNumber(match ? match->LineSize : 0);
}

Ref<ICpuCacheAssociativity> TCacheByDescriptor::Associativity() {
  if (!Available()->Value()) return Make<TCpuCacheAssociativity>(0);
  const TCacheDescriptorInfo* match = LastMatch();
  return Make<TCpuCacheAssociativity>(match ? match->Associativity : 0);
}

TCacheByExtendedCpuid::TCacheByExtendedCpuid(uint8_t processor, uint8_t kind)
    : FProcessor(processor), FKind(kind), FCpuid(ExecuteLeaf(processor, ExtendedLeafOf(kind))) {}

Ref<ICpuNumber> TCacheByExtendedCpuid::Size() {
  const uint32_t ecx = FCpuid->Ecx()->Value();
  switch (FKind) {
    case kCacheLevel1Code:
      return MakeNumber(Bits(FCpuid->Edx()->Value(), 31, 24) * 1024);
    case kCacheLevel1Data:
      return MakeNumber(Bits(ecx, 31, 24) * 1024);
    case kCacheLevel2: {
      const bool centaur =
          CpuInstance().Information(FProcessor)->Vendor()->Index() == kVendorCentaur;
      return MakeNumber((centaur ? Bits(ecx, 31, 24) : Bits(ecx, 31, 16)) * 1024);
    }
    default:
      return MakeNumber(0);
  }
}

Ref<ICpuBoolean> TCacheByExtendedCpuid::Available() {
  return MakeBoolean(Size()->Value() != 0);
}

Ref<ICpuNumber> TCacheByExtendedCpuid::LineSize() {
  if (!Available()->Value()) return MakeNumber(0);
  switch (FKind) {
    case kCacheLevel1Code:
      return MakeNumber(Bits(FCpuid->Edx()->Value(), 7, 0));
    case kCacheLevel1Data:
    case kCacheLevel2:
      return MakeNumber(Bits(FCpuid->Ecx()->Value(), 7, 0));
    default:
      return MakeNumber(0);
  }
}

uint32_t TCacheByExtendedCpuid::RawAssociativity() {
  switch (FKind) {
    case kCacheLevel1Code:
      return Bits(FCpuid->Edx()->Value(), 23, 16);
    case kCacheLevel1Data:
      return Bits(FCpuid->Ecx()->Value(), 23, 16);
    case kCacheLevel2: {
      // AMD family 6 reports its level-2 associativity where this reads nothing useful.
      const Ref<IProcessorInformation> information = CpuInstance().Information(FProcessor);
      if (information->Vendor()->Index() == kVendorAmd &&
          information->Signature()->Family()->Value()->Value() == 6) {
        return 8;
      }
      return Bits(FCpuid->Ecx()->Value(), 23, 16);
    }
    default:
      return 0;
  }
}

Ref<ICpuCacheAssociativity> TCacheByExtendedCpuid::Associativity() {
  if (!Available()->Value()) return Make<TCpuCacheAssociativity>(0);
  return Make<TCpuCacheAssociativity>(AssociativityIndexOf(RawAssociativity()));
}

Ref<ICpuCache> TCpuSegmentedCache::Code() {
  return MakeCache(FProcessor, kCacheLevel1Code, FByExtended);
}
Ref<ICpuCache> TCpuSegmentedCache::Data() {
  return MakeCache(FProcessor, kCacheLevel1Data, FByExtended);
}
Ref<ICpuCache> TCpuSegmentedCache::Unified() {
  return MakeCache(FProcessor, kCacheLevel1Unified, FByExtended);
}

TProcessorCache::TProcessorCache(uint8_t processor)
    : FProcessor(processor),
      FByExtended(CpuInstance().Information(processor)->Vendor()->CacheMethod() ==
                  kCacheByExtendedLeaves) {}

Ref<ICpuSegmentedCache> TProcessorCache::Level1() {
  return Make<TCpuSegmentedCache>(FProcessor, FByExtended);
}
Ref<ICpuCache> TProcessorCache::Level2() {
  return MakeCache(FProcessor, kCacheLevel2, FByExtended);
}
Ref<ICpuCache> TProcessorCache::Level3() {
  return MakeCache(FProcessor, kCacheLevel3, FByExtended);
}
Ref<ICpuCache> TProcessorCache::Trace() {
  return MakeCache(FProcessor, kCacheTrace, FByExtended);
}

}  // namespace cpuinfo
