#include "cpuinfo/Cpuid.h"

#include <array>

#include "cpuinfo/Processor.h"

namespace cpuinfo {
namespace {

// range, base leaf, last leaf of the range
constexpr std::array<TCpuidRangeInfo, 3> kRanges{{
    {CpuidRange::Standard, 0x00000000, 0x00000000},
    {CpuidRange::Extended, 0x80000000, 0x80000008},
    {CpuidRange::Transmeta, 0x80860000, 0x80860007},
}};
static_assert(kRanges.size() == 3);

Ref<ICpuAffinity> BindWhenMultiProcessor(uint8_t processor) {
  if (!CpuInstance().MultiProcessor()) return {};
  return Make<TCpuAffinity>(processor);
}

}  // namespace

CpuidRange RangeOfLeaf(uint32_t leaf) {
  for (const TCpuidRangeInfo& info : kRanges) {
    if (info.range != CpuidRange::Standard && leaf >= info.base && leaf <= info.last) {
      return info.range;
    }
  }
  return CpuidRange::Standard;
}

uint32_t RangeBaseLeaf(CpuidRange range) {
  return kRanges[static_cast<size_t>(range)].base;
}

bool LeafAvailable(uint8_t processor, uint32_t leaf) {
  const Ref<ICpuAffinity> binding = BindWhenMultiProcessor(processor);
  const uint32_t highest = ActiveCpuidSource().Execute(RangeBaseLeaf(RangeOfLeaf(leaf))).eax;
  return leaf <= highest;
}

TCpuid::TCpuid(uint8_t processor, uint32_t leaf, int32_t repeats)
    : FProcessor(processor), FLeaf(leaf), FRepeats(repeats) {
  const Ref<ICpuAffinity> binding = BindWhenMultiProcessor(processor);
  if (!LeafAvailable(processor, leaf)) return;
  CpuidSource& source = ActiveCpuidSource();
  for (int32_t i = 0; i < repeats; ++i) {
    const CpuidRegisters registers = source.Execute(leaf);
    FEax = registers.eax;
    FEbx = registers.ebx;
    FEcx = registers.ecx;
    FEdx = registers.edx;
  }
}

std::string TCpuid::AsText() {
  return Eax()->AsText() + Ebx()->AsText() + Ecx()->AsText() + Edx()->AsText();
}

Ref<ICpuBoolean> TCpuid::Available() {
  return MakeBoolean(LeafAvailable(FProcessor, FLeaf));
}

TCpuAffinity::TCpuAffinity(uint8_t processor) {
  if (!CpuInstance().MultiProcessor() || processor >= 32) return;
  ProcessorBinding* binding = ActiveCpuidSource().Binding();
  if (!binding) return;
  FSavedMask = binding->Mask();
  const uint32_t count = CpuInstance().Processors()->SystemCount()->Value();
  if (processor > count - 1) processor = 0;
  FMask = 1u << processor;
  // Inside a binding to the same processor (every leaf's availability test is) the code
  // already runs there: nothing to set, move or restore.
  if (FSavedMask == FMask) return;
  FProcess = binding;
  if (binding->Available()) binding->SetMask(FMask);
  binding->Yield();
}

TCpuAffinity::~TCpuAffinity() {
  if (FProcess && FProcess->Available()) FProcess->SetMask(FSavedMask);
}

TCpuidInformation::TCpuidInformation(uint8_t processor, CpuidRange range)
    : FBase(ExecuteLeaf(processor, RangeBaseLeaf(range))) {}

Ref<ICpuidInformation> TProcessorCpuid::Standard() {
  return Make<TCpuidInformation>(FProcessor, CpuidRange::Standard);
}

Ref<ICpuidInformation> TProcessorCpuid::Extended() {
  return Make<TCpuidInformation>(FProcessor, CpuidRange::Extended);
}

Ref<ICpuidInformation> TProcessorCpuid::Transmeta() {
  return Make<TCpuidInformation>(FProcessor, CpuidRange::Transmeta);
}

}  // namespace cpuinfo
