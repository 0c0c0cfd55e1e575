// The decoders of today's CPUID on hand-made snapshots: the corner cases the recorded
// processors do not reach.
#include <gtest/gtest.h>

#include <set>

#include "cpuinfo/modern/Caches.h"
#include "cpuinfo/modern/Flags.h"
#include "cpuinfo/modern/Hypervisor.h"
#include "cpuinfo/modern/LiveSnapshot.h"
#include "cpuinfo/modern/Microarchitecture.h"
#include "cpuinfo/modern/Topology.h"

namespace cpuinfo::modern {
namespace {

// "AuthenticAMD", "GenuineIntel" as leaf 0 registers (EBX, EDX, ECX).
constexpr CpuidRegisters kAmd{0x10, 0x68747541, 0x444D4163, 0x69746E65};
constexpr CpuidRegisters kIntel{0x10, 0x756E6547, 0x6C65746E, 0x49656E69};

CpuidSnapshot Snapshot(CpuidLeafMap leaves, uint32_t processors = 1) {
  return CpuidSnapshot({std::move(leaves)}, processors);
}

TEST(ModernFlags, TableSortedAndNamesUnique) {
  std::set<std::string_view> names;
  const FlagInfo* previous = nullptr;
  for (const FlagInfo& flag : FlagTable()) {
    EXPECT_TRUE(names.insert(flag.name).second) << flag.name;
    EXPECT_LT(flag.bit, 32);
    if (previous) {
      const auto key = [](const FlagInfo* f) {
        return std::tuple(f->leaf, f->subleaf, f->reg, f->bit);
      };
      EXPECT_LT(key(previous), key(&flag)) << flag.name;
    }
    previous = &flag;
  }
  EXPECT_GT(names.size(), 300u);
}

TEST(ModernFlags, NamedAsLinuxAndOnlyWithinTheReportedLeaves) {
  CpuidRegisters zero = kIntel;
  zero.eax = 1;  // leaf 7 lies beyond the highest leaf: its bits count for nothing
  const CpuidSnapshot snapshot = Snapshot({{{0, 0}, zero},
                                           {{1, 0}, {0, 0, 1u | (1u << 19), 1u << 25}},
                                           {{7, 0}, {0, 1u << 5, 0, 0}},
                                           {{0x80000000, 0}, {0x80000001, 0, 0, 0}},
                                           {{0x80000001, 0}, {0, 0, 1, 1u << 29}}});
  std::vector<std::string_view> names;
  for (const FlagInfo* flag : PresentFlags(snapshot)) names.push_back(flag->name);
  EXPECT_EQ(names, (std::vector<std::string_view>{"pni", "sse4_1", "sse", "lahf_lm", "lm"}));
}

TEST(ModernCaches, AmdLevelOneFieldIsTheWayCountAndLevelTwoACode) {
  // 0x80000005 ECX 20080140: 32 KB, 8 ways; 0x80000006 ECX 02008140: 512 KB, code 8.
  const CpuidSnapshot snapshot = Snapshot({{{0, 0}, kAmd},
                                           {{1, 0}, {0x00600F20, 0, 0, 0}},
                                           {{0x80000000, 0}, {0x80000006, 0, 0, 0}},
                                           {{0x80000005, 0}, {0, 0, 0x20080140, 0x40FF0140}},
                                           {{0x80000006, 0}, {0, 0, 0x02008140, 0x0040F140}}});
  const std::vector<CacheInfo> caches = DecodeCaches(snapshot);
  ASSERT_EQ(caches.size(), 4u);
  EXPECT_EQ(caches[0].type, CacheType::Data);
  EXPECT_EQ(caches[0].ways, 8u);
  EXPECT_EQ(caches[0].sets, 64u);
  EXPECT_EQ(caches[1].type, CacheType::Instruction);
  EXPECT_EQ(caches[1].ways, 0u);  // 0xFF: fully associative
  EXPECT_EQ(caches[1].sets, 1u);
  EXPECT_EQ(caches[2].size, 512u * 1024);
  EXPECT_EQ(caches[2].ways, 16u);
  EXPECT_EQ(caches[3].size, 8u << 20);  // 16 units of 512 KB
  EXPECT_EQ(caches[3].ways, 0u);        // code 15: fully associative
  EXPECT_EQ(ExtendedAssociativityWays(6), 8u);
  EXPECT_EQ(ExtendedAssociativityWays(7), 0u);
}

TEST(ModernCaches, IntelDescriptorsAndTheDeterministicLeaf) {
  CpuidRegisters zero = kIntel;
  zero.eax = 2;
  // Katmai: 0x43 level 2, 0x08 and 0x0C level 1, 0x01 to 0x04 TLBs.
  const CpuidSnapshot old = Snapshot(
      {{{0, 0}, zero}, {{1, 0}, {0x673, 0, 0, 0}}, {{2, 0}, {0x03020101, 0, 0, 0x0C040843}}});
  const std::vector<CacheInfo> caches = DecodeCaches(old);
  ASSERT_EQ(caches.size(), 3u);
  EXPECT_EQ(caches[2].level, 2u);
  EXPECT_EQ(caches[2].size, 512u * 1024);
  EXPECT_EQ(caches[2].line, 32u);
  EXPECT_EQ(caches[2].sets, 4096u);

  zero.eax = 4;
  // Leaf 4: a 32 KB 8-way data cache for 2 threads, and a fully associative level 4.
  const CpuidSnapshot modern = Snapshot({{{0, 0}, zero},
                                         {{1, 0}, {0x906A3, 0, 0, 0}},
                                         {{4, 0}, {0x00004121, 0x01C0003F, 0x3F, 0}},
                                         {{4, 1}, {0x00000281, 0x0000003F, 0x3FF, 2}},
                                         {{4, 2}, {0, 0, 0, 0}}});
  const std::vector<CacheInfo> deterministic = DecodeCaches(modern);
  ASSERT_EQ(deterministic.size(), 2u);
  EXPECT_EQ(deterministic[0].size, 32u * 1024);
  EXPECT_EQ(deterministic[0].ways, 8u);
  EXPECT_EQ(deterministic[0].sharedBy, 2u);
  EXPECT_EQ(deterministic[1].level, 4u);
  EXPECT_EQ(deterministic[1].ways, 0u);
  EXPECT_TRUE(deterministic[1].inclusive);
}

TEST(ModernTopology, CountedFromEveryProcessorsIdentifier) {
  CpuidRegisters zero = kIntel;
  zero.eax = 0xB;
  // Two packages of two cores of two threads: x2APIC 0, 1, 2, 3, 16, 17, 18, 19.
  std::vector<CpuidLeafMap> cpus(8);
  const uint32_t ids[8] = {0, 1, 2, 3, 16, 17, 18, 19};
  for (uint32_t cpu = 0; cpu < 8; ++cpu) {
    cpus[cpu][{0xB, 0}] = {1, 2, 0x100, ids[cpu]};
    cpus[cpu][{0xB, 1}] = {4, 4, 0x201, ids[cpu]};
  }
  cpus[0][{0, 0}] = zero;
  cpus[0][{0xB, 2}] = {};
  const TopologyInfo t = DecodeTopology(CpuidSnapshot(cpus, 8));
  EXPECT_TRUE(t.counted);
  EXPECT_TRUE(t.agreesWithSystem);
  EXPECT_EQ(t.packages, 2u);
  EXPECT_EQ(t.cores, 2u);
  EXPECT_EQ(t.threadsPerCore, 2u);
  EXPECT_EQ(t.logical, 8u);
  EXPECT_EQ(t.source, "0xB");
  // The same machine told by a system that reports 6 processors does not agree.
  const TopologyInfo partial = DecodeTopology(CpuidSnapshot({cpus[0]}, 6));
  EXPECT_FALSE(partial.counted);
  EXPECT_FALSE(partial.agreesWithSystem);
}

TEST(ModernTopology, APentium4WithHyperThreadingHasOneCore) {
  CpuidRegisters zero = kIntel;
  zero.eax = 2;
  const CpuidSnapshot snapshot =
      Snapshot({{{0, 0}, zero}, {{1, 0}, {0xF29, 0x00020800, 0, 1u << 28}}}, 2);
  const TopologyInfo t = DecodeTopology(snapshot);
  EXPECT_EQ(t.packages, 1u);
  EXPECT_EQ(t.cores, 1u);
  EXPECT_EQ(t.threadsPerCore, 2u);
}

TEST(ModernIdentity, SignatureMicroarchitectureAndHypervisor) {
  CpuidRegisters zero = kAmd;
  zero.eax = 1;
  const CpuidSnapshot snapshot =
      Snapshot({{{0, 0}, zero},
                {{1, 0}, {0x00B40F40, 0, 1u << 31, 0}},
                {{0x40000000, 0}, {0x40000010, 0x4B4D564B, 0x564B4D56, 0x0000004D}},  // "KVMKVMKVM"
                {{0x40000010, 0}, {2600000, 1000000, 0, 0}}});
  const Signature signature = DecodeSignature(snapshot);
  EXPECT_EQ(signature.family, 26u);
  EXPECT_EQ(signature.model, 0x44u);
  EXPECT_EQ(DecodeMicroarchitecture(snapshot).name, "Zen 5");
  const HypervisorInfo hypervisor = DecodeHypervisor(snapshot);
  EXPECT_TRUE(hypervisor.present);
  EXPECT_EQ(hypervisor.vendorId, "KVMKVMKVM");
  EXPECT_EQ(hypervisor.name, "KVM");
  EXPECT_EQ(DecodeFrequencies(snapshot).hypervisorTscKhz, 2600000u);
  // A model no table row names is unknown, not a guess.
  const CpuidSnapshot unknown = Snapshot({{{0, 0}, zero}, {{1, 0}, {0x00BF0F00, 0, 0, 0}}});
  EXPECT_FALSE(DecodeMicroarchitecture(unknown).known);
  EXPECT_EQ(DecodeMicroarchitecture(unknown).codename, "unknown");
}

TEST(ModernSnapshot, WrittenAndReadBackTheSame) {
  std::vector<CpuidLeafMap> cpus(3);
  cpus[0][{0, 0}] = kIntel;
  cpus[0][{4, 0}] = {0x121, 2, 3, 4};
  cpus[0][{4, 1}] = {0x122, 2, 3, 4};
  cpus[1] = cpus[0];
  cpus[1][{0xB, 0}] = {1, 2, 0x100, 1};  // differs: kept
  cpus[2][{4, 1}] = {0x122, 2, 3, 4};    // the same as processor 0's: left out
  const CpuidSnapshot snapshot(cpus, 4);
  const CpuidDump dump = DumpFromSnapshot(snapshot, "Test\nprocessor");
  const std::string text = DumpText(dump);
  EXPECT_EQ(text.rfind("# name: Test processor\n# processors: 4\n", 0), 0u);
  EXPECT_NE(text.find("00000004:1 00000122 00000002 00000003 00000004\n"), std::string::npos);
  const CpuidDump back = ParseCpuidDump(text, "x");
  EXPECT_EQ(back.cpus.at(0), cpus[0]);
  EXPECT_EQ(back.cpus.at(1).size(), 1u);
  EXPECT_EQ(back.cpus.count(2), 0u);
  const CpuidSnapshot reread = SnapshotFromDump(back);
  EXPECT_EQ(reread.Leaf(0xB, 0, 1).edx, 1u);
  EXPECT_EQ(reread.Leaf(4, 1, 3), (CpuidRegisters{0x122, 2, 3, 4}));  // as processor 0
  EXPECT_EQ(reread.SystemCount(), 4u);
}

TEST(ModernSnapshot, AFewOfManyProcessorsStaySparse) {
  // A dump may name processor 4294967294 of 4294967295: nothing is made for the others.
  const CpuidSnapshot snapshot = SnapshotFromDump(
      ParseCpuidDump("# processors: 4294967295\n0 1 2 3 4\n# cpu: 4294967294\n0 5 6 7 8\n", "x"));
  EXPECT_EQ(snapshot.RecordedCpuNumbers(), (std::vector<uint32_t>{0, 4294967294u}));
  EXPECT_EQ(snapshot.Leaf(0, 0, 4294967294u).eax, 5u);
  EXPECT_EQ(snapshot.Leaf(0, 0, 7).eax, 1u);
  EXPECT_FALSE(DecodeTopology(snapshot).counted);
}

TEST(ModernSnapshot, LiveReadsEveryProcessorOnce) {
  const CpuidSnapshot live = ReadLiveSnapshot(LiveRead::Dump);
  EXPECT_GE(live.RecordedCpus(), 1u);
  EXPECT_LE(live.RecordedCpus(), live.SystemCount());
  EXPECT_GE(live.MaxStandard(), 1u);
  EXPECT_TRUE(live.Recorded(0x80000000));
  EXPECT_EQ(live.Recorded(7), live.MaxStandard() >= 7);
  EXPECT_EQ(DecodeTopology(live).logical, live.SystemCount());
}

// A report reads the other processors only when processor 0 cannot settle the
// arrangement alone, and answers as the reading of every processor does.
TEST(ModernSnapshot, LiveReportMovesToTheOthersOnlyWhenItMust) {
  const CpuidSnapshot report = ReadLiveSnapshot(LiveRead::Report);
  const CpuidSnapshot every = ReadLiveSnapshot(LiveRead::Dump);
  const bool settled =
      SettledByProcessorZero(CpuidSnapshot({report.LeavesOf(0)}, report.SystemCount()));
  EXPECT_EQ(report.RecordedCpus(), settled ? 1u : every.RecordedCpus());
  const TopologyInfo fromReport = DecodeTopology(report);
  const TopologyInfo fromEvery = DecodeTopology(every);
  EXPECT_EQ(fromReport.packages, fromEvery.packages);
  EXPECT_EQ(fromReport.cores, fromEvery.cores);
  EXPECT_EQ(fromReport.threadsPerCore, fromEvery.threadsPerCore);
  EXPECT_EQ(fromReport.logical, fromEvery.logical);
  EXPECT_EQ(fromReport.coreTypes, fromEvery.coreTypes);
}

}  // namespace
}  // namespace cpuinfo::modern
