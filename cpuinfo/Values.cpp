#include "cpuinfo/Values.h"

#include "cpuinfo/Bits.h"
#include "cpuinfo/TextFormat.h"
#include "cpuinfo/Texts.h"

namespace cpuinfo {

std::string TCpuBoolean::AsYesNo() {
  return Localized(FValue ? "Yes" : "No");
}
std::string TCpuBoolean::AsTrueFalse() {
  return Localized(FValue ? "True" : "False");
}
std::string TCpuBoolean::AsOnOff() {
  return Localized(FValue ? "On" : "Off");
}

std::string TCpuNumber::AsString() {
  return std::to_string(FValue);
}

Ref<ICpuWord> TCpuNumber::HighWord() {
  return Make<TCpuWord>(static_cast<uint16_t>(Bits(FValue, 31, 16)));
}

Ref<ICpuWord> TCpuNumber::LowWord() {
  return Make<TCpuWord>(static_cast<uint16_t>(Bits(FValue, 15, 0)));
}

int32_t TCpuNumber::BitCount() {
  int32_t count = 0;
  for (uint32_t i = 0; i < 32; ++i) count += Bit(i)->Value() ? 1 : 0;
  return count;
}

Ref<ICpuBoolean> TCpuNumber::Bit(uint32_t index) {
  return MakeBoolean(cpuinfo::Bit(FValue, index % 32));
}

std::string TCpuNumber::AsSize() {
  const double value = FValue;
  if (FValue < 1024u) return FormatText(Localized("%d bytes"), {int64_t{FValue}});
  if (FValue < 1048576u) return FormatText(Localized("%1.1n Kb"), {value / 1024});
  if (FValue < 1073741824u) return FormatText(Localized("%1.1n Mb"), {value / 1048576});
  return FormatText(Localized("%1.1n Gb"), {value / 1073741824});
}

std::string TCpuNumber::AsHex() {
  return FormatText(Localized("$%1.8x"), {int64_t{FValue}});
}

std::string TCpuNumber::AsMhz() {
  return MhzText(FValue);
}

std::string TCpuNumber::AsText() {
  return RegisterText(FValue);
}

std::string TCpuNumber::AsVersion() {
  return FormatText(
      Localized("%d.%d.%2.2d"),
      {int64_t{FValue / 1000}, int64_t{(FValue % 1000) / 100}, int64_t{FValue % 100}});
}

std::string MhzText(uint32_t mhz) {
  if (mhz < 1000u) return FormatText(Localized("%d Mhz"), {int64_t{mhz}});
  return FormatText(Localized("%1.1n Ghz"), {static_cast<double>(mhz) / 1000});
}

std::string RegisterText(uint32_t value) {
  std::string text(4, '\0');
  for (unsigned i = 0; i < 4; ++i) text[i] = static_cast<char>(Bits(value, i * 8 + 7, i * 8));
  return text;
}

}  // namespace cpuinfo
