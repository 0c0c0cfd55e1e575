// Everything tachora-info reports about processor 0, gathered through the library
// before anything is printed, so a failure never leaves a partial report.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "tools/ClockReport.h"
#include "tools/ModernReport.h"

namespace tools {

struct CacheFacts {
  const char* key = "";    // "l1_code", ...
  const char* title = "";  // "Level 1 code", ...
  bool available = false;
  uint32_t size = 0;
  uint32_t line = 0;
  std::string associativity;
};

struct FlagFacts {
  uint32_t bit = 0;
  std::string mnemonic;
  std::string description;
  bool available = false;
};

struct FeatureSetFacts {
  const char* key = "";    // "standard", ...
  const char* title = "";  // "Standard features (leaf 1 EDX)", ...
  bool available = false;
  uint32_t count = 0;
  std::vector<FlagFacts> flags;  // ByBit(0) .. ByBit(31)
};

struct ByNameFacts {
  const char* name = "";
  uint32_t bit = 0;
  std::string mnemonic;
  bool available = false;
};

struct SpeedFacts {
  uint32_t raw = 0;
  uint32_t normalized = 0;
  std::string normalizedText;
  std::string rating;
};

struct InfoReport {
  // vendor
  uint32_t vendorIndex = 0;
  std::string vendorId;
  std::string vendorName;
  uint32_t featureVendor = 0;
  uint32_t cacheMethod = 0;
  // signature
  uint32_t signature = 0;
  uint32_t type = 0;
  uint32_t family = 0;
  uint32_t model = 0;
  uint32_t stepping = 0;
  uint32_t brand = 0;
  bool familyExtended = false;
  bool modelExtended = false;
  std::string signatureText;
  // name
  std::string name;
  bool fromLookup = false;
  // highest leaves
  uint32_t standardMax = 0;
  uint32_t extendedMax = 0;
  uint32_t transmetaMax = 0;
  std::array<CacheFacts, 6> caches{};
  std::array<FeatureSetFacts, 4> features{};
  std::array<ByNameFacts, 6> byName{};
  // serial number
  bool serialAvailable = false;
  std::string serialText;
  std::string serialDigits;
  // errata
  bool fdivFlaw = false;
  bool amdErratum = false;
  // what the CPU details page shows
  std::string factDescription;
  std::string factVendor;
  std::string factFamily;
  std::string factMmx;
  std::string factSseSse2;
  // processors
  uint32_t systemCount = 0;
  uint32_t logicalCount = 0;
  std::optional<SpeedFacts> speed;
  // Measured with the speed, on the live processor only.
  std::optional<CoreClockReadings> coreClocks;
  // Today's CPUID decoded from the snapshot, beside the library's rules.
  std::optional<ModernReport> modern;
};

// Asks the installed CPUID source; measuring the speed takes about 200 ms.
InfoReport CollectReport(bool measureSpeed);

}  // namespace tools
