// Bit-field helpers used wherever a register is taken apart.
#pragma once

#include <cstdint>

namespace cpuinfo {

// Bits hi down to lo of value, shifted down to bit 0.
constexpr uint32_t Bits(uint32_t value, unsigned hi, unsigned lo) {
  const unsigned width = hi - lo + 1;
  const uint32_t mask = width >= 32 ? 0xFFFFFFFFu : ((1u << width) - 1u);
  return (value >> lo) & mask;
}

// Bit n of value.
constexpr bool Bit(uint32_t value, unsigned n) {
  return ((value >> (n % 32)) & 1u) != 0;
}

}  // namespace cpuinfo
