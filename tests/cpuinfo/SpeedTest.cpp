// Rated speed, the measurement on simulated counters, serial number, usage and errata.
#include <gtest/gtest.h>

#include <vector>

#include "platform/FloatingPoint.h"
#include "tests/cpuinfo/FakeCpu.h"

namespace cpuinfo {
namespace {

using testing::FakeCpu;
using testing::Processor0;

// Counters that advance only when the measurement sleeps: mhz TSC ticks per microsecond.
class SimulatedClocks final : public platform::MeasurementClocks {
 public:
  explicit SimulatedClocks(double mhz, int64_t frequency = 10000000)
      : mhz_(mhz), frequency_(frequency) {}
  uint64_t TimeStampCounter() override {
    const auto ticks = static_cast<uint64_t>(microseconds_ * mhz_);
    // The thread pre-empted right after the read, before the next clock read.
    if (ticksReads_ < pauses.size()) microseconds_ += pauses[ticksReads_];
    ++ticksReads_;
    return ticks;
  }
  int64_t PerformanceCounter() override {
    return static_cast<int64_t>(microseconds_ * (frequency_ ? frequency_ : 1) / 1000000);
  }
  int64_t PerformanceFrequency() override { return frequency_; }
  uint32_t TickCount() override {
    ++tickReads;
    if (shortSleep_ && tickReads > 1) microseconds_ += 1000;  // the spin moves time
    return static_cast<uint32_t>(microseconds_ / 1000);
  }
  void SleepMs(uint32_t milliseconds) override {
    slept += milliseconds;
    microseconds_ += shortSleep_ ? 1000 : milliseconds * 1000.0;
  }
  // The library's measurement sleeps by milliseconds only.
  void SleepUntil(int64_t) override { ADD_FAILURE() << "SleepUntil called"; }
  void RaiseToTimeCritical() override { raised = true; }

  void EndSleepsEarly() { shortSleep_ = true; }
  std::vector<double> pauses;  // microseconds after each time-stamp read
  uint32_t slept = 0;
  int tickReads = 0;
  bool raised = false;

 private:
  double mhz_;
  int64_t frequency_;
  double microseconds_ = 1000000;
  bool shortSleep_ = false;
  size_t ticksReads_ = 0;
};

class ScopedClocks {
 public:
  explicit ScopedClocks(platform::MeasurementClocks& clocks)
      : previous_(InstallSpeedClocks(&clocks)) {}
  ~ScopedClocks() { InstallSpeedClocks(previous_); }

 private:
  platform::MeasurementClocks* previous_;
};

TEST(NormalizeSpeed, MovesToTheNearestMarketedEnding) {
  EXPECT_EQ(NormalizeSpeed(1994), 1990u);
  EXPECT_EQ(NormalizeSpeed(1997), 2000u);
  EXPECT_EQ(NormalizeSpeed(2395), 2400u);  // a tie goes up
  EXPECT_EQ(NormalizeSpeed(1408), 1400u);
  EXPECT_EQ(NormalizeSpeed(1409), 1417u);
  EXPECT_EQ(NormalizeSpeed(2166), 2166u);
  EXPECT_EQ(NormalizeSpeed(2167), 2167u);
  EXPECT_EQ(NormalizeSpeed(2175), 2180u);
  EXPECT_EQ(NormalizeSpeed(2400), 2400u);
  EXPECT_EQ(NormalizeSpeed(0), 0u);
  EXPECT_EQ(NormalizeSpeed(1332), 1333u);
}

TEST(NormalizeSpeed, TablesInOrder) {
  EXPECT_EQ(SpeedEndings().size(), 12u);
  EXPECT_EQ(SpeedEndings().back(), 100u);
  EXPECT_EQ(RatingTable256().size(), 18u);
  EXPECT_EQ(RatingTable512().size(), 16u);
}

TEST(Rating, AmdByLevelTwoSize) {
  EXPECT_EQ(AmdRating(1667, 262144), "2000+");
  EXPECT_EQ(AmdRating(1833, 524288), "2500+");
  EXPECT_EQ(AmdRating(1700, 262144), "");
  EXPECT_EQ(AmdRating(1667, 1048576), "");
  EXPECT_EQ(AmdRating(2200, 524288 + 1023), "3200+");  // whole kilobytes count
}

FakeCpu Athlon(const std::string& vendor, uint32_t l2Ecx) {
  FakeCpu cpu;
  cpu.Vendor(vendor, 1).Signature(0x644).ExtendedMax(0x80000006);
  cpu.Set(0x80000006, 0, 0, l2Ecx, 0);
  return cpu;
}

TEST(SpeedObject, MeasuresOnTheCountersAndRatesAnAthlon) {
  SimulatedClocks clocks(1333.4);
  ScopedClocks installed(clocks);
  FakeCpu cpu = Athlon("AuthenticAMD", 0x01008140);
  ScopedCpuidSource use(cpu);
  const Ref<IProcessorSpeedInformation> speed = Processor0()->Speed();
  EXPECT_TRUE(clocks.raised);
  EXPECT_EQ(clocks.slept, 200u);
  EXPECT_EQ(speed->RawSpeed()->Value(), 1333u);
  EXPECT_EQ(speed->NormalizedSpeed()->Value(), 1333u);
  EXPECT_EQ(speed->NormalizedSpeed()->AsMhz(), "1.3 Ghz");
  EXPECT_EQ(speed->Rating(), "1500+");
}

TEST(SpeedObject, OtherVendorsHaveNoRating) {
  SimulatedClocks clocks(1333.4);
  ScopedClocks installed(clocks);
  FakeCpu cpu = Athlon("GenuineIntel", 0x01008140);
  ScopedCpuidSource use(cpu);
  EXPECT_EQ(Processor0()->Speed()->Rating(), "");
}

TEST(SpeedObject, AnEarlySleepIsStretchedToFiveMilliseconds) {
  SimulatedClocks clocks(1000.5);
  clocks.EndSleepsEarly();
  ScopedClocks installed(clocks);
  const Ref<IProcessorSpeedInformation> speed = Processor0()->Speed();
  EXPECT_EQ(clocks.tickReads, 5);  // the spin read the tick count until 5 ms had passed
  EXPECT_EQ(speed->RawSpeed()->Value(), 1000u);  // truncated, never rounded up
}

// Three brackets at each end of the window: a pause inside one of them is seen, and the
// reading of a tighter one counts. Read in sequence, the 3 ms pause would shorten the
// timed window by 1.5 % and give 1353 MHz.
TEST(SpeedObject, APreemptionBetweenTheCounterReadsIsNotCounted) {
  SimulatedClocks clocks(1333.4);
  clocks.pauses = {3000, 0, 0, 3000};
  ScopedClocks installed(clocks);
  EXPECT_EQ(Processor0()->Speed()->RawSpeed()->Value(), 1333u);
  EXPECT_EQ(clocks.slept, 200u);
}

// Every bracket pre-empted: the window cannot be timed to 2 us and is taken again, three
// windows in all; the best-timed one counts.
TEST(SpeedObject, AWindowThatCannotBeTimedIsTakenAgain) {
  SimulatedClocks clocks(1333.4);
  clocks.pauses.assign(10000, 50);
  ScopedClocks installed(clocks);
  EXPECT_EQ(Processor0()->Speed()->RawSpeed()->Value(), 1333u);
  EXPECT_EQ(clocks.slept, 600u);
}

TEST(SpeedObject, WithoutAPerformanceCounterTheSpeedIsZero) {
  SimulatedClocks clocks(2000, 0);
  ScopedClocks installed(clocks);
  const Ref<IProcessorSpeedInformation> speed = Processor0()->Speed();
  EXPECT_EQ(speed->RawSpeed()->Value(), 0u);
  EXPECT_EQ(speed->NormalizedSpeed()->AsMhz(), "0 Mhz");
}

TEST(Serial, SixGroupsFromLeafThree) {
  FakeCpu cpu;
  cpu.Vendor("GenuineIntel", 3).Signature(0x673, 0, 1u << 18).Set(3, 0, 0, 0x9ABCDEF0, 0x12345678);
  ScopedCpuidSource use(cpu);
  const Ref<IProcessorSerial> serial = Processor0()->Serial();
  EXPECT_TRUE(serial->Available()->Value());
  EXPECT_EQ(serial->Text(), "0000-0000-1234-5678-9ABC-DEF0");
  EXPECT_EQ(serial->Digits(), "00000000123456789ABCDEF0");
}

TEST(Serial, TransmetaIsOneGroupFromEbx) {
  FakeCpu cpu;
  cpu.Vendor("GenuineTMx86", 3).Signature(0x543).Set(3, 0x11111111, 0x229B3189, 2, 3);
  ScopedCpuidSource use(cpu);
  EXPECT_EQ(Processor0()->Serial()->Text(), "229B-3189");
  EXPECT_EQ(Processor0()->Serial()->Digits(), "229B3189");
  EXPECT_FALSE(Processor0()->Serial()->Available()->Value());
}

TEST(Serial, WithoutLeafThreeAllZeros) {
  FakeCpu cpu;
  cpu.Vendor("GenuineIntel", 2).Signature(0x673).Set(3, 1, 2, 3, 4);
  ScopedCpuidSource use(cpu);
  EXPECT_EQ(Processor0()->Serial()->Text(), "0000-0000-0000-0000-0000-0000");
}

TEST(Usage, IsAlwaysZero) {
  EXPECT_EQ(Processor0()->Usage()->Value()->Value(), 0u);
}

TEST(Errata, DivisionFlawTest) {
  EXPECT_FALSE(Processor0()->Errata()->FdivFlaw()->Value());
  EXPECT_FALSE(DivisionFlawed(4195835.0, 3145727.0));
  // The check is not a constant: 1 / 49 * 49 - 1 leaves a residue in doubles.
  EXPECT_TRUE(DivisionFlawed(1.0, 49.0));
}

TEST(Errata, DivisionCheckIsDoubleArithmeticAtAnyX87Precision) {
  if constexpr (!platform::kX87Arithmetic) GTEST_SKIP() << "floating point in SSE registers";
#if defined(__i386__) && !defined(__SSE2_MATH__)
  // The x87 unit set to 64-bit mantissas, as a 32-bit runtime may leave it; the check
  // must still round each step to a double and find no flaw.
  const uint16_t saved = platform::X87ControlWord();
  platform::SetX87ControlWord(static_cast<uint16_t>(saved | 0x0300u));
  const bool flawed = DivisionFlawed(4195835.0, 3145727.0);
  const bool restored = (platform::X87ControlWord() & 0x0300u) == 0x0300u;
  platform::SetX87ControlWord(saved);
  EXPECT_FALSE(flawed);
  EXPECT_TRUE(restored) << "the caller's precision setting comes back";
#endif
}

TEST(Errata, AmdFamilySixModelThreeSteppingZeroOnly) {
  struct Case {
    const char* vendor;
    uint32_t signature;
    bool erratum;
  };
  for (const Case& c : {Case{"AuthenticAMD", 0x630, true}, Case{"AuthenticAMD", 0x631, false},
                        Case{"AuthenticAMD", 0x640, false}, Case{"GenuineIntel", 0x630, false}}) {
    FakeCpu cpu;
    cpu.Vendor(c.vendor, 1).Signature(c.signature);
    ScopedCpuidSource use(cpu);
    EXPECT_EQ(Processor0()->Errata()->AmdErratum()->Value(), c.erratum)
        << c.vendor << " " << std::hex << c.signature;
  }
}

}  // namespace
}  // namespace cpuinfo
