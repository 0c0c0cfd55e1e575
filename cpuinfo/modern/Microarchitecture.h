// The microarchitecture, code name and manufacturing process of a processor, from a table
// keyed by vendor, family, model and (where it tells parts apart) stepping.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "cpuinfo/modern/Snapshot.h"

namespace cpuinfo::modern {

enum class CpuVendor : uint8_t {
  Unknown,
  Intel,
  Amd,
  Hygon,
  Zhaoxin,
  Centaur,
  Cyrix,
  NexGen,
  Umc,
  Rise,
  Transmeta,
  SiS,
  Nsc,
};

CpuVendor VendorOf(std::string_view vendorId);

// Family and model with their extensions folded in, as the vendors number them.
struct Signature {
  CpuVendor vendor = CpuVendor::Unknown;
  uint32_t family = 0;
  uint32_t model = 0;
  uint32_t stepping = 0;
};

Signature DecodeSignature(const CpuidSnapshot& snapshot);

struct MicroarchitectureInfo {
  CpuVendor vendor;
  uint16_t family;
  uint16_t modelFirst, modelLast;
  uint8_t steppingFirst, steppingLast;
  std::string_view name;      // the core design, e.g. "Zen 4"
  std::string_view codename;  // the product line, e.g. "Genoa"
  std::string_view process;   // e.g. "5 nm", "Intel 7"
};

// Sorted by vendor, family, first model and first stepping; no two rows overlap.
std::span<const MicroarchitectureInfo> MicroarchitectureTable();

struct Microarchitecture {
  std::string_view name = "unknown";
  std::string_view codename = "unknown";
  std::string_view process = "unknown";
  bool known = false;
};

Microarchitecture DecodeMicroarchitecture(const CpuidSnapshot& snapshot);

}  // namespace cpuinfo::modern
