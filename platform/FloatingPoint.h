// The x87 unit of a 32-bit build rounds each result to its precision setting, not to
// its type: the 32-bit programs start at 53-bit mantissas (mingw-w64's CRT_fp8), so
// double arithmetic gives the double results of every other build, while long double
// arithmetic would lose the 64-bit mantissas it has everywhere else. A computation that
// must give the same result on every build runs under the guard of its type. Builds that
// do double arithmetic in SSE registers need neither and get empty guards.
#pragma once

#include <cstdint>

namespace platform {

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

// Sets the precision control (bits 8 and 9) for its lifetime.
template <uint16_t kPrecisionBits>
class X87Precision {
 public:
  X87Precision() : saved_(X87ControlWord()) {
    SetX87ControlWord(static_cast<uint16_t>((saved_ & ~0x0300u) | kPrecisionBits));
  }
  ~X87Precision() { SetX87ControlWord(saved_); }
  X87Precision(const X87Precision&) = delete;
  X87Precision& operator=(const X87Precision&) = delete;

 private:
  uint16_t saved_;
};
using DoublePrecision = X87Precision<0x0200>;    // 53-bit mantissas
using ExtendedPrecision = X87Precision<0x0300>;  // 64-bit mantissas
#else
inline constexpr bool kX87Arithmetic = false;

class NoPrecisionChange {
 public:
  NoPrecisionChange() {}   // user-provided: a guard is no unused variable
  ~NoPrecisionChange() {}  // NOLINT(modernize-use-equals-default)
  NoPrecisionChange(const NoPrecisionChange&) = delete;
  NoPrecisionChange& operator=(const NoPrecisionChange&) = delete;
};
using DoublePrecision = NoPrecisionChange;
using ExtendedPrecision = NoPrecisionChange;
#endif

}  // namespace platform
