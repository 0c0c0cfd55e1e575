#include <gtest/gtest.h>

#include "cpuinfo/CpuidDump.h"
#include "platform/System.h"
#include "speedtest/MachineFacts.h"
#include "speedtest/MachineIdentity.h"
#include "speedtest/OperatingSystem.h"

namespace speedtest {
namespace {

constexpr const char* kPentiumIII =
    "# name: Intel Pentium III (Katmai)\n"
    "# processors: 1\n"
    "00000000 00000002 756E6547 6C65746E 49656E69\n"
    "00000001 00000672 00000000 00000000 0387F9FF\n"
    "00000002 03020101 00000000 00000000 0C040843\n";

constexpr const char* kViaC3 =
    "# name: VIA C3 (Nehemiah)\n"
    "# processors: 1\n"
    "00000000 00000001 746E6543 736C7561 48727561\n"
    "00000001 00000698 00000000 00000000 0381B93F\n";

MachineFacts GatherOn(const char* dumpText) {
  cpuinfo::ReplayCpuidSource source(cpuinfo::ParseCpuidDump(dumpText, "dump"));
  cpuinfo::ScopedCpuidSource installed(source);
  return GatherMachineFacts(850);
}

TEST(GatherMachineFacts, PentiumIIIDump) {
  const MachineFacts facts = GatherOn(kPentiumIII);
  EXPECT_EQ(facts.Processor.CpuDescription, "Intel Pentium III");
  EXPECT_EQ(facts.Processor.CpuVendor, "Intel Corporation");
  EXPECT_EQ(facts.Processor.CpuFamily, "x86 Family 6 Model 7 Stepping 2");
  EXPECT_EQ(facts.Logo, VendorLogo::kIntel);
  EXPECT_EQ(facts.MmxText, "MMX Yes");
  EXPECT_EQ(facts.SseSse2Text, "SSE Yes, SSE2 No");
}

TEST(GatherMachineFacts, ViaDumpShowsTheAmdPicture) {
  const MachineFacts facts = GatherOn(kViaC3);
  EXPECT_EQ(facts.Processor.CpuVendor, "Via Technologies Inc");
  EXPECT_EQ(facts.Processor.CpuFamily, "x86 Family 6 Model 9 Stepping 8");
  EXPECT_EQ(facts.Logo, VendorLogo::kAmd);
  EXPECT_EQ(facts.MmxText, "MMX Yes");
  EXPECT_EQ(facts.SseSse2Text, "SSE Yes, SSE2 No");
}

TEST(GatherMachineFacts, MachineSideFactsOfThisMachine) {
  const MachineFacts facts = GatherOn(kPentiumIII);
  EXPECT_EQ(facts.MachineIdentity, GetMachineIdentity());
  EXPECT_EQ(facts.OsName, OperatingSystemName());
  EXPECT_EQ(facts.MemoryMb, MemoryMbText(platform::TotalPhysicalMemory()));
  EXPECT_FALSE(facts.MemoryMb.empty());
  EXPECT_EQ(facts.ActualSpeed, "0850 Mhz");
  EXPECT_FALSE(facts.Processor.CpuPublishedSpeed.empty());
}

}  // namespace
}  // namespace speedtest
