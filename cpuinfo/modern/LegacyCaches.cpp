// The caches of processors without deterministic cache leaves.
#include <array>

#include "cpuinfo/Bits.h"
#include "cpuinfo/modern/Caches.h"
#include "cpuinfo/modern/Microarchitecture.h"

namespace cpuinfo::modern {
namespace {

constexpr CacheType kD = CacheType::Data;
constexpr CacheType kI = CacheType::Instruction;
constexpr CacheType kU = CacheType::Unified;

struct Descriptor {
  uint8_t code;
  uint8_t level;
  CacheType type;
  uint16_t kilobytes;
  uint8_t ways;
  uint8_t line;
};

// descriptor, level, type, size in KB, ways, line size (the TLB and trace-cache
// descriptors describe no cache of bytes and are left out)
constexpr Descriptor kDescriptors[] = {
    {0x06, 1, kI, 8, 4, 32},      {0x08, 1, kI, 16, 4, 32},     {0x09, 1, kI, 32, 4, 64},
    {0x0A, 1, kD, 8, 2, 32},      {0x0C, 1, kD, 16, 4, 32},     {0x0D, 1, kD, 16, 4, 64},
    {0x0E, 1, kD, 24, 6, 64},     {0x1D, 2, kU, 128, 2, 64},    {0x21, 2, kU, 256, 8, 64},
    {0x22, 3, kU, 512, 4, 64},    {0x23, 3, kU, 1024, 8, 64},   {0x24, 2, kU, 1024, 16, 64},
    {0x25, 3, kU, 2048, 8, 64},   {0x29, 3, kU, 4096, 8, 64},   {0x2C, 1, kD, 32, 8, 64},
    {0x30, 1, kI, 32, 8, 64},     {0x39, 2, kU, 128, 4, 64},    {0x3A, 2, kU, 192, 6, 64},
    {0x3B, 2, kU, 128, 2, 64},    {0x3C, 2, kU, 256, 4, 64},    {0x3D, 2, kU, 384, 6, 64},
    {0x3E, 2, kU, 512, 4, 64},    {0x41, 2, kU, 128, 4, 32},    {0x42, 2, kU, 256, 4, 32},
    {0x43, 2, kU, 512, 4, 32},    {0x44, 2, kU, 1024, 4, 32},   {0x45, 2, kU, 2048, 4, 32},
    {0x46, 3, kU, 4096, 4, 64},   {0x47, 3, kU, 8192, 8, 64},   {0x48, 2, kU, 3072, 12, 64},
    {0x49, 2, kU, 4096, 16, 64},  {0x4A, 3, kU, 6144, 12, 64},  {0x4B, 3, kU, 8192, 16, 64},
    {0x4C, 3, kU, 12288, 12, 64}, {0x4D, 3, kU, 16384, 16, 64}, {0x4E, 2, kU, 6144, 24, 64},
    {0x60, 1, kD, 16, 8, 64},     {0x66, 1, kD, 8, 4, 64},      {0x67, 1, kD, 16, 4, 64},
    {0x68, 1, kD, 32, 4, 64},     {0x78, 2, kU, 1024, 4, 64},   {0x79, 2, kU, 128, 8, 64},
    {0x7A, 2, kU, 256, 8, 64},    {0x7B, 2, kU, 512, 8, 64},    {0x7C, 2, kU, 1024, 8, 64},
    {0x7D, 2, kU, 2048, 8, 64},   {0x7F, 2, kU, 512, 2, 64},    {0x80, 2, kU, 512, 8, 64},
    {0x82, 2, kU, 256, 8, 32},    {0x83, 2, kU, 512, 8, 32},    {0x84, 2, kU, 1024, 8, 32},
    {0x85, 2, kU, 2048, 8, 32},   {0x86, 2, kU, 512, 4, 64},    {0x87, 2, kU, 1024, 8, 64},
    {0xD0, 3, kU, 512, 4, 64},    {0xD1, 3, kU, 1024, 4, 64},   {0xD2, 3, kU, 2048, 4, 64},
    {0xD6, 3, kU, 1024, 8, 64},   {0xD7, 3, kU, 2048, 8, 64},   {0xD8, 3, kU, 4096, 8, 64},
    {0xDC, 3, kU, 1536, 12, 64},  {0xDD, 3, kU, 3072, 12, 64},  {0xDE, 3, kU, 6144, 12, 64},
    {0xE2, 3, kU, 2048, 16, 64},  {0xE3, 3, kU, 4096, 16, 64},  {0xE4, 3, kU, 8192, 16, 64},
    {0xEA, 3, kU, 12288, 24, 64}, {0xEB, 3, kU, 18432, 24, 64}, {0xEC, 3, kU, 24576, 24, 64},
};

constexpr bool DescriptorsSorted() {
  for (size_t i = 1; i < std::size(kDescriptors); ++i) {
    if (kDescriptors[i - 1].code >= kDescriptors[i].code) return false;
  }
  return true;
}
static_assert(DescriptorsSorted(), "descriptors sorted by code, each once");

const Descriptor* FindDescriptor(uint8_t code) {
  for (const Descriptor& descriptor : kDescriptors) {
    if (descriptor.code == code) return &descriptor;
  }
  return nullptr;
}

CacheInfo MakeCache(uint32_t level, CacheType type, uint64_t bytes, uint32_t ways, uint32_t line) {
  CacheInfo cache;
  cache.level = level;
  cache.type = type;
  cache.size = bytes;
  cache.ways = ways;
  cache.line = line;
  const uint64_t perSet = uint64_t{ways == 0 ? 1 : ways} * line;
  cache.sets = ways == 0 ? 1 : perSet ? static_cast<uint32_t>(bytes / perSet) : 0;
  return cache;
}

// Code 9 of the extended leaves leaves the ways to leaf 0x8000001D: neither count known.
CacheInfo WithoutWays(CacheInfo cache) {
  cache.ways = 0;
  cache.sets = 0;
  return cache;
}

// code, ways (0: fully associative) of the extended leaves' level-2 and level-3 field
constexpr uint32_t kWaysElsewhere = 9;

struct WaysCode {
  uint8_t code;
  uint8_t ways;
};
constexpr WaysCode kExtendedWays[] = {{1, 1},   {2, 2},    {3, 3},   {4, 4},   {5, 6},
                                      {6, 8},   {8, 16},   {10, 32}, {11, 48}, {12, 64},
                                      {13, 96}, {14, 128}, {15, 0}};

}  // namespace

uint32_t ExtendedAssociativityWays(uint32_t code) {
  for (const WaysCode& entry : kExtendedWays) {
    if (entry.code == code) return entry.ways;
  }
  return 0;
}

std::vector<CacheInfo> CachesFromDescriptors(const CpuidSnapshot& snapshot) {
  std::vector<CacheInfo> caches;
  if (snapshot.VendorId() != "GenuineIntel" || snapshot.MaxStandard() < 2) return caches;
  const CpuidRegisters r = snapshot.Leaf(2);
  const Signature signature = DecodeSignature(snapshot);
  const uint32_t registers[4] = {r.eax & 0xFFFFFF00u, r.ebx, r.ecx, r.edx};
  for (const uint32_t value : registers) {
    if (Bit(value, 31)) continue;  // a register without descriptors
    for (unsigned shift = 0; shift < 32; shift += 8) {
      const Descriptor* d = FindDescriptor(static_cast<uint8_t>(value >> shift));
      if (!d) continue;
      // 0x49 is the level 3 of the Xeon MP of family 15 model 6, a level 2 elsewhere.
      const bool level3 = d->code == 0x49 && signature.family == 15 && signature.model == 6;
      caches.push_back(MakeCache(level3 ? 3 : d->level, d->type, uint64_t{d->kilobytes} * 1024,
                                 d->ways, d->line));
    }
  }
  return caches;
}

std::vector<CacheInfo> CachesFromAmdLeaves(const CpuidSnapshot& snapshot) {
  std::vector<CacheInfo> caches;
  const uint32_t highest = snapshot.MaxExtended();
  const bool intel = snapshot.VendorId() == "GenuineIntel";
  if (highest >= 0x80000005 && !intel) {
    // The level-1 fields hold the way count itself (0xFF: fully associative).
    const CpuidRegisters l1 = snapshot.Leaf(0x80000005);
    for (const auto& [value, type] : {std::pair{l1.ecx, kD}, std::pair{l1.edx, kI}}) {
      const uint32_t kilobytes = Bits(value, 31, 24);
      const uint32_t ways = Bits(value, 23, 16);
      if (kilobytes == 0) continue;
      caches.push_back(MakeCache(1, type, uint64_t{kilobytes} * 1024, ways == 0xFF ? 0 : ways,
                                 Bits(value, 7, 0)));
    }
  }
  if (highest < 0x80000006) return caches;
  const CpuidRegisters l23 = snapshot.Leaf(0x80000006);
  const Signature signature = DecodeSignature(snapshot);
  // The VIA C3 of models 7 and 8 lay the level 2 out as the level-1 fields.
  if (snapshot.VendorId() == "CentaurHauls" && signature.family == 6 &&
      (signature.model == 7 || signature.model == 8)) {
    const uint32_t kilobytes = Bits(l23.ecx, 31, 24);
    if (kilobytes != 0) {
      caches.push_back(
          MakeCache(2, kU, uint64_t{kilobytes} * 1024, Bits(l23.ecx, 23, 16), Bits(l23.ecx, 7, 0)));
    }
    return caches;
  }
  uint32_t l2Kilobytes = Bits(l23.ecx, 31, 16);
  // Early Durons and Thunderbirds report a wrong size (AMD erratum T13).
  if (snapshot.VendorId() == "AuthenticAMD" && signature.family == 6) {
    if (signature.model == 3 && signature.stepping == 0) l2Kilobytes = 64;
    if (signature.model == 4 && signature.stepping <= 1) l2Kilobytes = 256;
  }
  const uint32_t l2Code = Bits(l23.ecx, 15, 12);
  if (l2Kilobytes != 0 && l2Code != 0) {
    const CacheInfo l2 = MakeCache(2, kU, uint64_t{l2Kilobytes} * 1024,
                                   ExtendedAssociativityWays(l2Code), Bits(l23.ecx, 7, 0));
    caches.push_back(l2Code == kWaysElsewhere ? WithoutWays(l2) : l2);
  }
  const uint64_t l3Bytes = uint64_t{Bits(l23.edx, 31, 18)} * 512 * 1024;
  const uint32_t l3Code = Bits(l23.edx, 15, 12);
  if (!intel && l3Bytes != 0 && l3Code != 0) {
    const CacheInfo l3 =
        MakeCache(3, kU, l3Bytes, ExtendedAssociativityWays(l3Code), Bits(l23.edx, 7, 0));
    caches.push_back(l3Code == kWaysElsewhere ? WithoutWays(l3) : l3);
  }
  return caches;
}

}  // namespace cpuinfo::modern
