// Formatting of the library's value texts. Formats are localisable texts with these
// conversions: %d (decimal integer), %x (upper-case hexadecimal), %n (number with
// thousands separators), %s (text) and %%; "%w.pd" pads to width w and at least p digits,
// "%1.1n" prints one decimal.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <variant>

namespace cpuinfo {

// Separators of the user's locale (localeconv), or given explicitly.
struct NumberSeparators {
  std::string thousands;
  std::string decimal = ".";
  std::string grouping;  // localeconv's grouping bytes; empty: no grouping
};
NumberSeparators LocaleSeparators();
NumberSeparators EnglishSeparators();

// value with `decimals` decimals (rounded half away from zero) and grouped integer part.
std::string FormatNumber(double value, int decimals, const NumberSeparators& separators);

using FormatArg = std::variant<int64_t, double, std::string>;

// A malformed format or a missing argument never fails: the rest of the format is copied.
std::string FormatText(std::string_view format, std::initializer_list<FormatArg> args,
                       const NumberSeparators& separators);
// The same with the separators of the user's locale.
std::string FormatText(std::string_view format, std::initializer_list<FormatArg> args);

}  // namespace cpuinfo
