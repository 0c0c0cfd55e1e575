// The machine's chain of dependent additions and the clocks that time it.
#include <cstdint>

#include "platform/System.h"
#include "speedtest/CoreClock.h"

#if !defined(__x86_64__) && !defined(__i386__)
#error "the addition chain is x86 assembly"
#endif

namespace speedtest {
namespace {

class MachineChainBench final : public ChainBench {
 public:
  void RunChain(uint64_t blocks) override { RunAdditionChain(blocks); }
  int64_t PerformanceCounter() override { return platform::PerformanceCounter(); }
  int64_t PerformanceFrequency() override { return platform::PerformanceFrequency(); }
  uint64_t TimeStampCounter() override { return platform::ReadTimeStampCounter(); }
};

}  // namespace

void RunAdditionChain(uint64_t blocks) {
  // Assembly, so the compiler can neither fold the sum nor spread it over vector lanes. A
  // register addend, since some cores fold chains of small constant additions. The sum
  // has the width of the processor's word: 64 bits, and 32 in the 32-bit build, where a
  // 64-bit sum would be an addition and an addition with carry whose carry latency
  // differs from core to core.
  uintptr_t sum = 0;
  const uintptr_t addend = 1;
  for (uint64_t block = 0; block < blocks; ++block) {
    __asm__ volatile(".rept %c2\n\tadd %1, %0\n\t.endr"
                     : "+r"(sum)
                     : "r"(addend), "i"(kChainBlock));
  }
}

ChainBench& MachineChain() {
  static MachineChainBench bench;
  return bench;
}

}  // namespace speedtest
