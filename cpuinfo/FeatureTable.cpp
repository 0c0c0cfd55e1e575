#include "cpuinfo/Features.h"

namespace cpuinfo {
namespace {

constexpr uint8_t kStd = kFeatureSetStandard;
constexpr uint8_t kEcx = kFeatureSetStandardEcx;
constexpr uint8_t kExt = kFeatureSetExtended;
constexpr uint8_t kPow = kFeatureSetPower;

// Bit, Mnemonic, Description, VendorCode (0 generic, 2 AMD, 3 Cyrix), Sets
constexpr std::array<TFeatureDetail, 48> kFeatures{{
    {0, "FPU", "Floating point unit", 0, FeatureSets({kStd, kExt})},
    {0, "TS", "Temperature Sensor", 2, FeatureSets({kPow})},
    {1, "VME", "Virtual mode extension", 0, FeatureSets({kStd, kExt})},
    {1, "FID", "Frequency Id Control", 2, FeatureSets({kPow})},
    {2, "DE", "Debugging extensions", 0, FeatureSets({kStd, kExt})},
    {2, "VID", "Voltage Id Control", 2, FeatureSets({kPow})},
    {3, "PSE", "Page size extension", 0, FeatureSets({kStd, kExt})},
    {3, "TPP", "Thermal Trip", 2, FeatureSets({kPow})},
    {4, "TSC", "Time stamp counter", 0, FeatureSets({kStd, kExt})},
    {4, "TM", "Thermal monitor support", 2, FeatureSets({kPow})},
    {5, "MSR", "Machine specific registers", 0, FeatureSets({kStd, kExt})},
    {5, "STC", "Software Thermal Control", 2, FeatureSets({kPow})},
    {6, "PAE", "Physical address exception", 0, FeatureSets({kStd, kExt})},
    {7, "MCE", "Machine check exception", 0, FeatureSets({kStd, kExt})},
    {7, "TM2", "Thermal Monitor 2", 0, FeatureSets({kEcx})},
    {8, "CX8", "CMPXCHG8 instrucion support", 0, FeatureSets({kStd, kExt})},
    {8, "EST", "Enhanced SpeedStep Technology", 0, FeatureSets({kEcx})},
    {9, "APIC", "APIC hardware support", 0, FeatureSets({kStd, kExt})},
    {10, "CID", "Context Id", 0, FeatureSets({kEcx})},
    {11, "SEP", "Fast system call", 0, FeatureSets({kStd, kExt})},
    {12, "MTRR", "Memory type range registers", 0, FeatureSets({kStd, kExt})},
    {13, "PGE", "Page global enable", 0, FeatureSets({kStd, kExt})},
    {14, "MCA", "Machine check architecture", 0, FeatureSets({kStd, kExt})},
    {15, "CMOV", "Conditional move support", 0, FeatureSets({kStd, kExt})},
    {16, "PAT", "Page attribute table", 0, FeatureSets({kStd, kExt})},
    {17, "PSE36", "36-bit page size extension", 0, FeatureSets({kStd})},
    {18, "PSN", "Processor serial number", 0, FeatureSets({kStd})},
    {19, "CLFSH", "CLFLUSH instruction support", 0, FeatureSets({kStd, kExt})},
    {19, "MP", "Multi processor enabled", 2, FeatureSets({kExt})},
    {20, "NX", "No Execute Page Protections", 2, FeatureSets({kExt})},
    {20, "NX", "No Execute Page Protections", 3, FeatureSets({kExt})},
    {21, "DTES", "Debug trace and EMON store MSR", 0, FeatureSets({kStd})},
    {22, "ACPI", "Thermal monitor and software controlled clock", 0, FeatureSets({kStd})},
    {22, "MMX+", "Extended MMX architecture", 2, FeatureSets({kExt})},
    {23, "MMX", "MMX architecture support", 0, FeatureSets({kStd, kExt})},
    {24, "FXSR", "Fast floating point save", 0, FeatureSets({kStd, kExt})},
    {24, "MMX+", "Extended MMX architecture", 3, FeatureSets({kExt})},
    {25, "SSE", "Streaming SIMD instruction support", 0, FeatureSets({kStd})},
    {26, "SSE2", "Streaming SIMD extensions 2", 0, FeatureSets({kStd})},
    {27, "SS", "Self snoop", 0, FeatureSets({kStd})},
    {28, "HTT", "Hyper-Threading technology", 0, FeatureSets({kStd})},
    {29, "TM", "Thermal monitor support", 0, FeatureSets({kStd})},
    {29, "LM", "AA-64 Long mode", 2, FeatureSets({kExt})},
    {29, "LM", "AA-64 Long mode", 3, FeatureSets({kExt})},
    {30, "IA-64", "IA-64", 0, FeatureSets({kStd})},
    {30, "3DNOW+", "Extended 3DNow! extensions", 2, FeatureSets({kExt})},
    {31, "SBF", "Signal break on FERR", 0, FeatureSets({kStd})},
    {31, "3DNOW", "3DNow! extensions", 2, FeatureSets({kExt})},
}};
static_assert(kFeatures.size() == 48);

}  // namespace

std::span<const TFeatureDetail> FeatureTable() {
  return kFeatures;
}

}  // namespace cpuinfo
