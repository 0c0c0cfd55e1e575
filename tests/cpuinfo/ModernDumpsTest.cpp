// Today's processors decoded from their recorded dumps, one test per processor, with the
// facts of the part (its maker's data sheet) rather than whatever the decoder says.
#include <gtest/gtest.h>

#include <algorithm>

#include "cpuinfo/modern/Caches.h"
#include "cpuinfo/modern/Flags.h"
#include "cpuinfo/modern/Hypervisor.h"
#include "cpuinfo/modern/Microarchitecture.h"
#include "cpuinfo/modern/Topology.h"

namespace cpuinfo::modern {
namespace {

CpuidSnapshot Load(const std::string& file) {
  return SnapshotFromDump(
      LoadCpuidDump(std::string(TACHORA_SOURCE_DIR) + "/tests/data/cpuid-dumps/modern/" + file));
}

struct Expected {
  const char* name;
  const char* codename;
  const char* process;
  struct {
    uint32_t packages, cores, threadsPerCore, logical;
    size_t performance, efficiency;  // hybrid parts: logical processors of each type
  } topology;
  struct {
    uint64_t l1Data, l2, l3;  // KB
    uint32_t l1DataWays, l3SharedBy;
  } caches;
  std::vector<const char*> flags;    // present
  std::vector<const char*> without;  // absent
};

const CacheInfo* Find(const std::vector<CacheInfo>& caches, uint32_t level, CacheType type) {
  for (const CacheInfo& cache : caches) {
    if (cache.level == level && cache.type == type) return &cache;
  }
  return nullptr;
}

bool HasFlag(const CpuidSnapshot& snapshot, std::string_view name) {
  const std::vector<const FlagInfo*> flags = PresentFlags(snapshot);
  return std::any_of(flags.begin(), flags.end(),
                     [&](const FlagInfo* f) { return f->name == name; });
}

void ExpectDecoded(const std::string& file, const Expected& e) {
  SCOPED_TRACE(file);
  const CpuidSnapshot snapshot = Load(file);
  const Microarchitecture uarch = DecodeMicroarchitecture(snapshot);
  EXPECT_EQ(uarch.name, e.name);
  EXPECT_EQ(uarch.codename, e.codename);
  EXPECT_EQ(uarch.process, e.process);
  const TopologyInfo t = DecodeTopology(snapshot);
  // The live report reads processor 0 alone when its leaves settle the arrangement, and
  // then its answer must be the one counted from every processor's identifier.
  const CpuidSnapshot alone({snapshot.LeavesOf(0)}, snapshot.SystemCount());
  const bool settled = SettledByProcessorZero(alone);
  if (e.topology.performance > 0) {
    EXPECT_FALSE(settled) << "a hybrid part's core types";
  }
  if (settled) {
    const TopologyInfo fromOne = DecodeTopology(alone);
    EXPECT_EQ(fromOne.packages, e.topology.packages);
    EXPECT_EQ(fromOne.cores, e.topology.cores);
    EXPECT_EQ(fromOne.threadsPerCore, e.topology.threadsPerCore);
    EXPECT_EQ(fromOne.logical, e.topology.logical);
  }
  EXPECT_EQ(t.packages, e.topology.packages);
  EXPECT_EQ(t.cores, e.topology.cores);
  EXPECT_EQ(t.threadsPerCore, e.topology.threadsPerCore);
  EXPECT_EQ(t.logical, e.topology.logical);
  EXPECT_TRUE(t.counted);
  EXPECT_TRUE(t.agreesWithSystem);
  EXPECT_EQ(std::count(t.coreTypes.begin(), t.coreTypes.end(), "performance"),
            static_cast<long>(e.topology.performance));
  EXPECT_EQ(std::count(t.coreTypes.begin(), t.coreTypes.end(), "efficiency"),
            static_cast<long>(e.topology.efficiency));
  const std::vector<CacheInfo> caches = DecodeCaches(snapshot);
  const CacheInfo* l1 = Find(caches, 1, CacheType::Data);
  const CacheInfo* l2 = Find(caches, 2, CacheType::Unified);
  const CacheInfo* l3 = Find(caches, 3, CacheType::Unified);
  ASSERT_NE(l1, nullptr);
  ASSERT_NE(l2, nullptr);
  EXPECT_EQ(l1->size, e.caches.l1Data * 1024);
  EXPECT_EQ(l1->ways, e.caches.l1DataWays);
  EXPECT_EQ(l1->size, uint64_t{l1->ways} * l1->line * l1->sets);
  EXPECT_EQ(l2->size, e.caches.l2 * 1024);
  if (e.caches.l3 == 0) {
    EXPECT_EQ(l3, nullptr);
  } else {
    ASSERT_NE(l3, nullptr);
    EXPECT_EQ(l3->size, e.caches.l3 * 1024);
    EXPECT_EQ(l3->sharedBy, e.caches.l3SharedBy);
  }
  for (const char* flag : e.flags) EXPECT_TRUE(HasFlag(snapshot, flag)) << flag;
  for (const char* flag : e.without) EXPECT_FALSE(HasFlag(snapshot, flag)) << flag;
  EXPECT_FALSE(DecodeHypervisor(snapshot).present);
}

// Which parts the live report must read processor by processor: the hybrid ones (the
// i5-12400 has P-cores alone and is not), the KX-7000, whose leaf 0x1F declares 96
// logical processors where the system has 8, and the Vermeer, recorded without the
// sub-leaves that say where its package level is.
TEST(ModernDumps, ProcessorZeroSettlesAllButHybridPartsAndTwoThatCannotSayAlone) {
  std::vector<std::string> unsettled;
  for (const char* file : {"amd-genoa-0a10f11.cpuid",
                           "amd-graniteridge-0b40f40.cpuid",
                           "amd-matisse-0870f10.cpuid",
                           "amd-milan-0a00f11.cpuid",
                           "amd-phoenix-0a70f52.cpuid",
                           "amd-pinnacleridge-0800f82.cpuid",
                           "amd-raphael-0a60f12.cpuid",
                           "amd-rome-0830f10.cpuid",
                           "amd-strixpoint-0b20f40.cpuid",
                           "amd-turin-0b00f21.cpuid",
                           "amd-vermeer-0a20f12.cpuid",
                           "amd-zen-0800f12.cpuid",
                           "hygon-hygon-0900f11.cpuid",
                           "intel-alderlake-0090672.cpuid",
                           "intel-alderlakep-00906a3.cpuid",
                           "intel-arrowlakeu-00b0650.cpuid",
                           "intel-goldmontplus-00706a8.cpuid",
                           "intel-graniterapids-00a06d1.cpuid",
                           "intel-icelakey-00706e5.cpuid",
                           "intel-lunarlake-00b06d1.cpuid",
                           "intel-meteorlake-00a06a4.cpuid",
                           "intel-raptorlake-00b0671.cpuid",
                           "intel-sapphirerapids-00806f8.cpuid",
                           "intel-skylake-00506e3.cpuid",
                           "intel-skylakex-0050654.cpuid",
                           "intel-tigerlake-00806c1.cpuid",
                           "zhaoxin-kx7000-00607b1.cpuid"}) {
    const CpuidSnapshot snapshot = Load(file);
    if (!SettledByProcessorZero(CpuidSnapshot({snapshot.LeavesOf(0)}, snapshot.SystemCount()))) {
      unsettled.emplace_back(file);
    }
  }
  EXPECT_EQ(unsettled, (std::vector<std::string>{
                           "amd-vermeer-0a20f12.cpuid", "intel-alderlakep-00906a3.cpuid",
                           "intel-arrowlakeu-00b0650.cpuid", "intel-lunarlake-00b06d1.cpuid",
                           "intel-meteorlake-00a06a4.cpuid", "intel-raptorlake-00b0671.cpuid",
                           "zhaoxin-kx7000-00607b1.cpuid"}));
}

TEST(ModernDumps, AmdEpyc9654Genoa) {
  ExpectDecoded("amd-genoa-0a10f11.cpuid", {"Zen 4",
                                            "Genoa",
                                            "5 nm",
                                            {2, 96, 2, 384, 0, 0},
                                            {32, 1024, 32768, 8, 16},
                                            {"avx512f", "avx512_bf16", "sev_es", "topoext"},
                                            {"avx_vnni", "movdiri"}});
}

TEST(ModernDumps, AmdRyzen9_9950XGraniteRidge) {
  ExpectDecoded("amd-graniteridge-0b40f40.cpuid",
                {"Zen 5",
                 "Granite Ridge",
                 "4 nm",
                 {1, 16, 2, 32, 0, 0},
                 {48, 1024, 32768, 12, 16},
                 {"avx512_vp2intersect", "avx_vnni", "movdiri", "movdir64b"},
                 {"sev"}});
}

TEST(ModernDumps, AmdRyzen5_3600XMatisse) {
  ExpectDecoded("amd-matisse-0870f10.cpuid", {"Zen 2",
                                              "Matisse",
                                              "7 nm",
                                              {1, 6, 2, 12, 0, 0},
                                              {32, 512, 16384, 8, 6},
                                              {"avx2", "sha_ni", "clzero", "rdpid"},
                                              {"avx512f", "vaes"}});
}

TEST(ModernDumps, AmdEpyc7763Milan) {
  ExpectDecoded("amd-milan-0a00f11.cpuid", {"Zen 3",
                                            "Milan",
                                            "7 nm",
                                            {2, 64, 1, 128, 0, 0},
                                            {32, 512, 32768, 8, 8},
                                            {"vaes", "vpclmulqdq", "pku", "sev_es"},
                                            {"avx512f"}});
}

TEST(ModernDumps, AmdRyzen7_8700GPhoenix) {
  ExpectDecoded("amd-phoenix-0a70f52.cpuid", {"Zen 4",
                                              "Phoenix",
                                              "4 nm",
                                              {1, 8, 2, 16, 0, 0},
                                              {32, 1024, 16384, 8, 16},
                                              {"avx512f", "avx512_bf16"},
                                              {"avx_vnni"}});
}

TEST(ModernDumps, AmdRyzen5_2600XPinnacleRidge) {
  ExpectDecoded("amd-pinnacleridge-0800f82.cpuid", {"Zen+",
                                                    "Pinnacle Ridge",
                                                    "12 nm",
                                                    {1, 6, 2, 12, 0, 0},
                                                    {32, 512, 8192, 8, 6},
                                                    {"avx2", "sha_ni", "sse4a", "misalignsse"},
                                                    {"rdpid", "fma4"}});
}

TEST(ModernDumps, AmdRyzen5_7600XRaphael) {
  ExpectDecoded("amd-raphael-0a60f12.cpuid", {"Zen 4",
                                              "Raphael",
                                              "5 nm",
                                              {1, 6, 2, 12, 0, 0},
                                              {32, 1024, 32768, 8, 12},
                                              {"avx512f", "avx512_vnni", "avx512_bitalg"},
                                              {"amx_tile"}});
}

TEST(ModernDumps, AmdEpyc7742Rome) {
  ExpectDecoded("amd-rome-0830f10.cpuid", {"Zen 2",
                                           "Rome, Castle Peak",
                                           "7 nm",
                                           {2, 64, 2, 256, 0, 0},
                                           {32, 512, 16384, 8, 8},
                                           {"sev", "sme", "clwb", "wbnoinvd"},
                                           {"pku"}});
}

TEST(ModernDumps, AmdRyzenAi9Hx370StrixPoint) {
  ExpectDecoded("amd-strixpoint-0b20f40.cpuid", {"Zen 5",
                                                 "Strix Point",
                                                 "4 nm",
                                                 {1, 12, 2, 24, 0, 0},
                                                 {48, 1024, 16384, 12, 8},
                                                 {"avx512f", "avx_vnni", "movdir64b"},
                                                 {}});
}

TEST(ModernDumps, AmdEpyc9655Turin) {
  ExpectDecoded("amd-turin-0b00f21.cpuid", {"Zen 5",
                                            "Turin",
                                            "4 nm",
                                            {1, 64, 1, 64, 0, 0},
                                            {48, 1024, 32768, 12, 8},
                                            {"avx512_vp2intersect", "sev_snp", "autoibrs"},
                                            {}});
}

TEST(ModernDumps, AmdEpyc7551PZen) {
  ExpectDecoded("amd-zen-0800f12.cpuid", {"Zen",
                                          "Summit Ridge, Naples",
                                          "14 nm",
                                          {1, 32, 2, 64, 0, 0},
                                          {32, 512, 8192, 8, 8},
                                          {"avx2", "sha_ni", "sme", "clzero"},
                                          {"avx512f"}});
}

TEST(ModernDumps, HygonC86_3250Dhyana) {
  ExpectDecoded("hygon-hygon-0900f11.cpuid", {"Zen",
                                              "Dhyana",
                                              "14 nm",
                                              {1, 8, 2, 16, 0, 0},
                                              {32, 512, 8192, 8, 8},
                                              {"avx2", "topoext"},
                                              {"avx512f"}});
}

TEST(ModernDumps, IntelCoreI5_12400AlderLakeS) {
  // Six performance cores and no efficient ones: hybrid is not declared, and this early
  // part still reports AVX-512.
  ExpectDecoded("intel-alderlake-0090672.cpuid", {"Golden Cove and Gracemont",
                                                  "Alder Lake-S",
                                                  "Intel 7",
                                                  {1, 6, 2, 12, 0, 0},
                                                  {48, 1280, 18432, 12, 12},
                                                  {"avx_vnni", "serialize", "avx512f"},
                                                  {"hybrid_cpu"}});
}

TEST(ModernDumps, IntelCoreI9_12900HAlderLakeP) {
  ExpectDecoded("intel-alderlakep-00906a3.cpuid", {"Golden Cove and Gracemont",
                                                   "Alder Lake-P",
                                                   "Intel 7",
                                                   {1, 14, 2, 20, 12, 8},
                                                   {48, 1280, 24576, 12, 20},
                                                   {"hybrid_cpu", "avx_vnni", "waitpkg"},
                                                   {"avx512f"}});
}

TEST(ModernDumps, IntelCoreUltra7_265UArrowLakeU) {
  ExpectDecoded("intel-arrowlakeu-00b0650.cpuid", {"Redwood Cove and Crestmont",
                                                   "Arrow Lake-U",
                                                   "Intel 3",
                                                   {1, 12, 2, 14, 4, 10},
                                                   {48, 2048, 12288, 12, 12},
                                                   {"hybrid_cpu", "avx_vnni"},
                                                   {"avx512f"}});
}

TEST(ModernDumps, IntelPentiumSilverN5030GoldmontPlus) {
  ExpectDecoded("intel-goldmontplus-00706a8.cpuid", {"Goldmont Plus",
                                                     "Gemini Lake",
                                                     "14 nm",
                                                     {1, 4, 1, 4, 0, 0},
                                                     {24, 4096, 0, 6, 0},
                                                     {"sha_ni", "rdpid", "sgx"},
                                                     {"avx"}});
}

TEST(ModernDumps, IntelXeon658XGraniteRapids) {
  ExpectDecoded("intel-graniterapids-00a06d1.cpuid", {"Redwood Cove",
                                                      "Granite Rapids",
                                                      "Intel 3",
                                                      {1, 24, 2, 48, 0, 0},
                                                      {48, 2048, 147456, 12, 48},
                                                      {"amx_tile", "amx_fp16", "avx512_fp16"},
                                                      {}});
}

TEST(ModernDumps, IntelCoreI7_1065G7IceLake) {
  ExpectDecoded("intel-icelakey-00706e5.cpuid", {"Sunny Cove",
                                                 "Ice Lake",
                                                 "10 nm",
                                                 {1, 4, 2, 8, 0, 0},
                                                 {48, 512, 8192, 12, 8},
                                                 {"avx512_vbmi2", "gfni", "sha_ni"},
                                                 {"amx_tile"}});
}

TEST(ModernDumps, IntelCoreUltra9_288VLunarLake) {
  ExpectDecoded("intel-lunarlake-00b06d1.cpuid", {"Lion Cove and Skymont",
                                                  "Lunar Lake",
                                                  "TSMC N3B",
                                                  {1, 8, 1, 8, 4, 4},
                                                  {48, 2560, 12288, 12, 4},
                                                  {"hybrid_cpu", "avx_vnni"},
                                                  {"avx512f"}});
}

TEST(ModernDumps, IntelCoreUltra5_125HMeteorLake) {
  ExpectDecoded("intel-meteorlake-00a06a4.cpuid", {"Redwood Cove and Crestmont",
                                                   "Meteor Lake",
                                                   "Intel 4",
                                                   {1, 14, 2, 18, 8, 10},
                                                   {48, 2048, 18432, 12, 16},
                                                   {"hybrid_cpu", "avx_vnni"},
                                                   {"avx512f"}});
}

TEST(ModernDumps, IntelCoreI9_13900KRaptorLake) {
  ExpectDecoded("intel-raptorlake-00b0671.cpuid", {"Raptor Cove and Gracemont",
                                                   "Raptor Lake-S",
                                                   "Intel 7",
                                                   {1, 24, 2, 32, 16, 16},
                                                   {48, 2048, 36864, 12, 32},
                                                   {"hybrid_cpu", "avx_vnni", "serialize"},
                                                   {"avx512f"}});
}

TEST(ModernDumps, IntelXeonW7_2475XSapphireRapids) {
  ExpectDecoded("intel-sapphirerapids-00806f8.cpuid", {"Golden Cove",
                                                       "Sapphire Rapids",
                                                       "Intel 7",
                                                       {1, 20, 2, 40, 0, 0},
                                                       {48, 2048, 38400, 12, 40},
                                                       {"amx_tile", "amx_bf16", "avx512_fp16"},
                                                       {"amx_fp16"}});
}

TEST(ModernDumps, IntelCoreI5_6400TSkylake) {
  ExpectDecoded("intel-skylake-00506e3.cpuid", {"Skylake",
                                                "Skylake-S",
                                                "14 nm",
                                                {1, 4, 1, 4, 0, 0},
                                                {32, 256, 6144, 8, 4},
                                                {"avx2", "sgx", "mpx"},
                                                {"avx512f", "sha_ni"}});
}

TEST(ModernDumps, IntelCoreI9_7900XSkylakeX) {
  ExpectDecoded("intel-skylakex-0050654.cpuid", {"Skylake",
                                                 "Skylake-SP",
                                                 "14 nm",
                                                 {1, 10, 2, 20, 0, 0},
                                                 {32, 1024, 14080, 8, 20},
                                                 {"avx512f", "avx512bw", "avx512vl", "avx512cd"},
                                                 {"avx512_vnni"}});
}

TEST(ModernDumps, IntelCoreI5_1135G7TigerLake) {
  ExpectDecoded("intel-tigerlake-00806c1.cpuid", {"Willow Cove",
                                                  "Tiger Lake",
                                                  "10 nm SuperFin",
                                                  {1, 4, 2, 8, 0, 0},
                                                  {48, 1280, 8192, 12, 8},
                                                  {"avx512_vp2intersect", "movdiri", "ibt"},
                                                  {}});
}

TEST(ModernDumps, ZhaoxinKaiXianKx7000) {
  ExpectDecoded("zhaoxin-kx7000-00607b1.cpuid", {"Century Avenue",
                                                 "KX-7000",
                                                 "16 nm",
                                                 {1, 8, 1, 8, 0, 0},
                                                 {32, 512, 32768, 8, 8},
                                                 {"avx2", "sha_ni"},
                                                 {"avx512f"}});
}

TEST(ModernDumps, AmdRyzen7_5800X3DVermeerWithoutSubLeaves) {
  // Recorded without sub-leaves or other processors: the caches come from 0x80000005/6,
  // the level-3 ways are left to 0x8000001D (code 9), and nothing is counted.
  const CpuidSnapshot snapshot = Load("amd-vermeer-0a20f12.cpuid");
  EXPECT_EQ(DecodeMicroarchitecture(snapshot).codename, "Vermeer");
  const std::vector<CacheInfo> caches = DecodeCaches(snapshot);
  ASSERT_EQ(caches.size(), 4u);
  EXPECT_EQ(caches[0].ways, 8u);  // level-1 field 0x08: the way count, not 16 ways
  EXPECT_EQ(caches[2].ways, 8u);  // level-2 code 6
  EXPECT_EQ(caches[3].size, 96u << 20);
  EXPECT_EQ(caches[3].ways, 0u);
  EXPECT_EQ(caches[3].sets, 0u);
  const TopologyInfo t = DecodeTopology(snapshot);
  EXPECT_FALSE(t.counted);
  EXPECT_FALSE(t.agreesWithSystem);  // the dump says one processor, CPUID sixteen
  EXPECT_EQ(t.threadsPerCore, 2u);
}

}  // namespace
}  // namespace cpuinfo::modern
