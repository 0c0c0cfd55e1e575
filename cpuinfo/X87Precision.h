// The x87 unit of a 32-bit build rounds to its precision-control setting (64-bit
// mantissas unless set otherwise), not to the 53 bits of a double, so a computation that
// must give the double result on every build runs under DoublePrecision. Builds that do
// their floating point in SSE registers need nothing and get an empty guard.
#pragma once

#include <cstdint>

namespace cpuinfo {

#if defined(__i386__) && !defined(__SSE2_MATH__)
inline constexpr bool kX87Arithmetic = true;

inline uint16_t X87ControlWord() {
  uint16_t word = 0;
  __asm__ __volatile__("fnstcw %0" : "=m"(word));
  return word;
}

inline void SetX87ControlWord(uint16_t word) {
  __asm__ __volatile__("fldcw %0" : : "m"(word));
}

// Precision control (bits 8 and 9): 10b rounds every result to a 53-bit mantissa.
class DoublePrecision {
 public:
  DoublePrecision() : saved_(X87ControlWord()) {
    SetX87ControlWord(static_cast<uint16_t>((saved_ & ~0x0300u) | 0x0200u));
  }
  ~DoublePrecision() { SetX87ControlWord(saved_); }
  DoublePrecision(const DoublePrecision&) = delete;
  DoublePrecision& operator=(const DoublePrecision&) = delete;

 private:
  uint16_t saved_;
};
#else
inline constexpr bool kX87Arithmetic = false;

class DoublePrecision {
 public:
  DoublePrecision() = default;
  DoublePrecision(const DoublePrecision&) = delete;
  DoublePrecision& operator=(const DoublePrecision&) = delete;
};
#endif

}  // namespace cpuinfo
