// The core clock: the rate a processor's core really runs at. The time-stamp counter ticks
// at a fixed rate on every processor of the last fifteen years, whatever boost or power
// saving do to the core, so the start-up measurement gives the counter's rate. A chain of
// dependent additions runs at one addition a core clock on practically every x86 core:
// timing one measures the core itself, with no privilege and no performance counter.
#pragma once

#include <cstdint>
#include <vector>

namespace speedtest {

// Dependent additions in one block of the chain.
inline constexpr uint64_t kChainBlock = 100;

// Runs blocks × kChainBlock additions, each waiting for the one before, on the calling
// thread's processor.
void RunAdditionChain(uint64_t blocks);

// One timed run of the chain.
struct ChainTiming {
  uint64_t additions = 0;
  int64_t counts = 0;     // performance-counter counts it took
  int64_t frequency = 0;  // performance-counter counts per second
  uint64_t ticks = 0;     // time-stamp-counter ticks it took
};

// Additions per microsecond: the core clock in MHz at one addition a clock. 0 for a run
// that took no time.
double ChainMhz(const ChainTiming& run);
// The core clock over the counter's rate: additions per counter tick, 0 without ticks.
double CounterRatio(const ChainTiming& run);

// The chain and the clocks that time it: the machine's own, or a test's. Used from every
// measuring thread at once.
class ChainBench {
 public:
  virtual ~ChainBench() = default;
  virtual void RunChain(uint64_t blocks) = 0;
  virtual int64_t PerformanceCounter() = 0;
  virtual int64_t PerformanceFrequency() = 0;
  virtual uint64_t TimeStampCounter() = 0;
};

ChainBench& MachineChain();

// About 20 ms on the calling thread's processor: probes double in length until one lasts
// a millisecond, which sizes kChainLaps laps of about 50 us each, timed one after another
// on the time-stamp counter. A lap the thread was pre-empted or interrupted in lasts far
// longer than the others, and one run before the core reached its clock a little longer:
// only laps within kSlowestKeptLap of the fastest count. The counter's rate across all the
// laps, read in brackets of the performance counter, turns their ticks into time.
inline constexpr int kChainLaps = 300;
inline constexpr double kSlowestKeptLap = 1.01;
ChainTiming TimeFastestChain(ChainBench& bench);

struct CoreClock {
  uint32_t cpu = 0;  // the processor's number, its bit in the affinity mask
  double mhz = 0;
  double counterRatio = 0;
};

// Each processor the process may run on, one after another while the others idle: bound
// to it, at the priority the start-up measurement raises to. About 20 ms a processor.
std::vector<CoreClock> MeasureCoreClocks(ChainBench& bench = MachineChain());

// Every processor at the same time, each on a thread of its own bound to it: the clock
// with all cores busy, which boost usually holds lower. About 20 ms in all.
std::vector<CoreClock> MeasureCoreClocksUnderLoad(ChainBench& bench = MachineChain());

// Whether the processor's adders run at twice its clock, as the Pentium 4 family's (Intel,
// family 15) do: the chain may then complete up to two additions a clock and show up to
// twice the core clock.
bool DoubleSpeedAdders(uint8_t processor);

}  // namespace speedtest
