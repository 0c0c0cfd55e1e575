#include "cpuinfo/Cache.h"

namespace cpuinfo {
namespace {

// Code (the extended leaves' associativity value), Name
constexpr std::array<TCacheAssociativityInfo, 7> kAssociativity{{
    {0, "None"},
    {1, "Direct"},
    {2, "2-Way"},
    {4, "4-Way"},
    {6, "8-Way"},
    {8, "16-Way"},
    {15, "Full"},
}};
static_assert(kAssociativity.size() == 7);

constexpr uint8_t kNone = 0;
constexpr uint8_t k2Way = 2;
constexpr uint8_t k4Way = 3;
constexpr uint8_t k8Way = 4;

// Descriptor, Type, Associativity, Size (KB, trace: K micro-ops), LineSize
constexpr std::array<TCacheDescriptorInfo, 36> kDescriptors{{
    {0x06, kCacheLevel1Code, k4Way, 8, 32},  {0x08, kCacheLevel1Code, k4Way, 16, 32},
    {0x30, kCacheLevel1Code, k8Way, 32, 64}, {0x0A, kCacheLevel1Data, k2Way, 8, 32},
    {0x0C, kCacheLevel1Data, k4Way, 16, 32}, {0x2C, kCacheLevel1Data, k8Way, 32, 64},
    {0x66, kCacheLevel1Data, k4Way, 8, 64},  {0x67, kCacheLevel1Data, k4Way, 16, 64},
    {0x68, kCacheLevel1Data, k4Way, 32, 64}, {0x39, kCacheLevel2, k4Way, 128, 64},
    {0x3B, kCacheLevel2, k2Way, 128, 64},    {0x3C, kCacheLevel2, k4Way, 256, 64},
    {0x40, kCacheLevel2, kNone, 0, 0},  // no level-2 cache
    {0x41, kCacheLevel2, k4Way, 128, 32},    {0x42, kCacheLevel2, k4Way, 256, 32},
    {0x43, kCacheLevel2, k4Way, 512, 32},    {0x44, kCacheLevel2, k4Way, 1024, 32},
    {0x45, kCacheLevel2, k4Way, 2048, 32},   {0x79, kCacheLevel2, k8Way, 128, 64},
    {0x7A, kCacheLevel2, k8Way, 256, 64},    {0x7B, kCacheLevel2, k8Way, 512, 64},
    {0x7C, kCacheLevel2, k8Way, 1024, 64},   {0x82, kCacheLevel2, k8Way, 256, 32},
    {0x83, kCacheLevel2, k8Way, 512, 32},    {0x84, kCacheLevel2, k8Way, 1024, 32},
    {0x85, kCacheLevel2, k8Way, 2048, 32},   {0x86, kCacheLevel2, k4Way, 512, 64},
    {0x87, kCacheLevel2, k8Way, 1024, 64},   {0x22, kCacheLevel3, k4Way, 512, 64},
    {0x23, kCacheLevel3, k8Way, 1024, 64},   {0x25, kCacheLevel3, k8Way, 2048, 64},
    {0x29, kCacheLevel3, k8Way, 4096, 64},   {0x40, kCacheLevel3, kNone, 0, 0},  // no level-3 cache
    {0x70, kCacheTrace, k8Way, 12, 0},       {0x71, kCacheTrace, k8Way, 16, 0},
    {0x72, kCacheTrace, k8Way, 32, 0},
}};
static_assert(kDescriptors.size() == 36);

}  // namespace

std::span<const TCacheAssociativityInfo> AssociativityTable() {
  return kAssociativity;
}
std::span<const TCacheDescriptorInfo> DescriptorTable() {
  return kDescriptors;
}

}  // namespace cpuinfo
