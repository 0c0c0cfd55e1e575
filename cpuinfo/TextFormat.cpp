#include "cpuinfo/TextFormat.h"

#include <clocale>
#include <cmath>
#include <cstdio>
#include <vector>

namespace cpuinfo {
namespace {

std::string Grouped(const std::string& digits, const NumberSeparators& separators) {
  if (separators.thousands.empty() || separators.grouping.empty()) return digits;
  // Split from the right: each grouping byte sizes one group, the last one repeats;
  // CHAR_MAX (or a non-positive size) ends grouping.
  std::vector<std::string> groups;
  size_t end = digits.size();
  size_t rule = 0;
  int size = separators.grouping[0];
  while (end > 0) {
    if (size <= 0 || size == 127 || static_cast<size_t>(size) >= end) {
      groups.push_back(digits.substr(0, end));
      break;
    }
    groups.push_back(digits.substr(end - size, size));
    end -= size;
    if (rule + 1 < separators.grouping.size()) size = separators.grouping[++rule];
  }
  std::string result;
  for (auto group = groups.rbegin(); group != groups.rend(); ++group) {
    if (!result.empty()) result += separators.thousands;
    result += *group;
  }
  return result;
}

int64_t IntegerOf(const FormatArg& arg) {
  if (auto* i = std::get_if<int64_t>(&arg)) return *i;
  if (auto* d = std::get_if<double>(&arg)) return static_cast<int64_t>(*d);
  return 0;
}

double NumberOf(const FormatArg& arg) {
  if (auto* d = std::get_if<double>(&arg)) return *d;
  if (auto* i = std::get_if<int64_t>(&arg)) return static_cast<double>(*i);
  return 0;
}

std::string Padded(std::string digits, bool negative, int width, int precision, bool leftAlign) {
  if (precision >= 0 && static_cast<int>(digits.size()) < precision) {
    digits.insert(0, precision - digits.size(), '0');
  }
  if (negative) digits.insert(0, 1, '-');
  if (static_cast<int>(digits.size()) < width) {
    if (leftAlign) {
      digits.append(width - digits.size(), ' ');
    } else {
      digits.insert(0, width - digits.size(), ' ');
    }
  }
  return digits;
}

std::string Integer(const FormatArg& arg, bool hex, int width, int precision, bool leftAlign) {
  const int64_t value = IntegerOf(arg);
  // Hexadecimal prints the 32-bit pattern of the value, as the processor registers are.
  char buffer[32];
  if (hex) {
    std::snprintf(buffer, sizeof buffer, "%X", static_cast<unsigned>(value & 0xFFFFFFFF));
    return Padded(buffer, false, width, precision, leftAlign);
  }
  const uint64_t magnitude = value < 0 ? 0 - static_cast<uint64_t>(value) : value;
  std::snprintf(buffer, sizeof buffer, "%llu", static_cast<unsigned long long>(magnitude));
  return Padded(buffer, value < 0, width, precision, leftAlign);
}

}  // namespace

NumberSeparators LocaleSeparators() {
  const lconv* conv = std::localeconv();
  NumberSeparators separators;
  if (conv) {
    separators.thousands = conv->thousands_sep ? conv->thousands_sep : "";
    separators.decimal = conv->decimal_point && *conv->decimal_point ? conv->decimal_point : ".";
    separators.grouping = conv->grouping ? conv->grouping : "";
  }
  return separators;
}

NumberSeparators EnglishSeparators() {
  return NumberSeparators{",", ".", "\3"};
}

std::string FormatNumber(double value, int decimals, const NumberSeparators& separators) {
  if (!std::isfinite(value)) return "0";
  if (decimals < 0) decimals = 0;
  if (decimals > 15) decimals = 15;
  const double scale = std::pow(10.0, decimals);
  const double scaled = std::round(std::fabs(value) * scale);
  char buffer[512];
  std::snprintf(buffer, sizeof buffer, "%.0f", scaled);
  std::string digits = buffer;
  if (static_cast<int>(digits.size()) <= decimals) {
    digits.insert(0, decimals + 1 - digits.size(), '0');
  }
  std::string integer = digits.substr(0, digits.size() - decimals);
  std::string result = Grouped(integer, separators);
  if (decimals > 0) result += separators.decimal + digits.substr(digits.size() - decimals);
  if (value < 0 && scaled != 0) result.insert(0, 1, '-');
  return result;
}

std::string FormatText(std::string_view format, std::initializer_list<FormatArg> args,
                       const NumberSeparators& separators) {
  std::string out;
  auto next = args.begin();
  size_t i = 0;
  while (i < format.size()) {
    const char c = format[i];
    if (c != '%') {
      out += c;
      ++i;
      continue;
    }
    const size_t start = i++;
    bool leftAlign = false;
    if (i < format.size() && format[i] == '-') {
      leftAlign = true;
      ++i;
    }
    int width = 0;
    while (i < format.size() && format[i] >= '0' && format[i] <= '9' && width < 1000) {
      width = width * 10 + (format[i++] - '0');
    }
    int precision = -1;
    if (i < format.size() && format[i] == '.') {
      ++i;
      precision = 0;
      while (i < format.size() && format[i] >= '0' && format[i] <= '9' && precision < 1000) {
        precision = precision * 10 + (format[i++] - '0');
      }
    }
    if (i >= format.size()) {
      out.append(format.substr(start));
      break;
    }
    const char conversion = format[i++];
    if (conversion == '%') {
      out += '%';
      continue;
    }
    const bool known = conversion == 'd' || conversion == 'u' || conversion == 'x' ||
                       conversion == 'n' || conversion == 's';
    if (!known || next == args.end()) {
      out.append(format.substr(start));
      break;
    }
    const FormatArg& arg = *next++;
    switch (conversion) {
      case 'd':
      case 'u':
        out += Integer(arg, false, width, precision, leftAlign);
        break;
      case 'x':
        out += Integer(arg, true, width, precision, leftAlign);
        break;
      case 'n':
        out += Padded(FormatNumber(NumberOf(arg), precision < 0 ? 2 : precision, separators), false,
                      width, -1, leftAlign);
        break;
      default: {
        const std::string* text = std::get_if<std::string>(&arg);
        out += Padded(text ? *text : std::string(), false, width, -1, leftAlign);
        break;
      }
    }
  }
  return out;
}

std::string FormatText(std::string_view format, std::initializer_list<FormatArg> args) {
  return FormatText(format, args, LocaleSeparators());
}

}  // namespace cpuinfo
