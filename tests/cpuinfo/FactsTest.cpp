// The processor texts the CPU details page shows.
#include <gtest/gtest.h>

#include "tests/cpuinfo/FakeCpu.h"

namespace cpuinfo {
namespace {

using testing::FakeCpu;

TEST(Facts, TextsOfProcessorZero) {
  FakeCpu cpu;
  cpu.Vendor("GenuineIntel", 2).Signature(0x673, 0, 0x0387F9FF).Set(2, 0x03020101, 0, 0, 0x43);
  ScopedCpuidSource use(cpu);
  EXPECT_EQ(ReadCpuDescription(), "Intel Pentium III");
  EXPECT_EQ(ReadCpuVendor(), "Intel Corporation");
  EXPECT_EQ(ReadCpuFamily(), "x86 Family 6 Model 7 Stepping 3");
  const InstructionSetFlags flags = ReadInstructionSetFlags();
  EXPECT_EQ(MmxText(flags), "MMX Yes");
  EXPECT_EQ(SseSse2Text(flags), "SSE Yes, SSE2 No");
}

TEST(Facts, InstructionSetFlagsReadLeafOneWithoutALeafTest) {
  FakeCpu cpu;
  cpu.Vendor("GenuineIntel", 0).Signature(0, 0, (1u << 23) | (1u << 26));
  ScopedCpuidSource use(cpu);
  const InstructionSetFlags flags = ReadInstructionSetFlags();
  EXPECT_EQ(MmxText(flags), "MMX Yes");
  EXPECT_EQ(SseSse2Text(flags), "SSE No, SSE2 Yes");
}

TEST(Facts, NoFlags) {
  EXPECT_EQ(MmxText({}), "MMX No");
  EXPECT_EQ(SseSse2Text({}), "SSE No, SSE2 No");
}

}  // namespace
}  // namespace cpuinfo
