// Value objects: a truth value, a 16-bit word and a 32-bit number, each with its texts.
#pragma once

#include <cstdint>
#include <string>

#include "cpuinfo/Interface.h"
#include "cpuinfo/Ref.h"

namespace cpuinfo {

class ICpuBoolean : public IInterface {
 public:
  static constexpr InterfaceId kId = MakeInterfaceId("ICpuBoolean");
  virtual bool Value() = 0;
  virtual std::string AsYesNo() = 0;
  virtual std::string AsTrueFalse() = 0;
  virtual std::string AsOnOff() = 0;

 protected:
  ~ICpuBoolean() = default;
};

class ICpuWord : public IInterface {
 public:
  static constexpr InterfaceId kId = MakeInterfaceId("ICpuWord");
  virtual uint8_t HighByte() = 0;
  virtual uint8_t LowByte() = 0;
  virtual uint16_t Value() = 0;

 protected:
  ~ICpuWord() = default;
};

class ICpuNumber : public IInterface {
 public:
  static constexpr InterfaceId kId = MakeInterfaceId("ICpuNumber");
  virtual uint32_t Value() = 0;
  virtual std::string AsString() = 0;
  virtual Ref<ICpuWord> HighWord() = 0;
  virtual Ref<ICpuWord> LowWord() = 0;
  virtual int32_t BitCount() = 0;
  virtual Ref<ICpuBoolean> Bit(uint32_t index) = 0;
  virtual std::string AsSize() = 0;
  virtual std::string AsHex() = 0;
  virtual std::string AsMhz() = 0;
  virtual std::string AsText() = 0;
  virtual std::string AsVersion() = 0;

 protected:
  ~ICpuNumber() = default;
};

class TCpuBoolean final : public TInterfacedObject<ICpuBoolean> {
 public:
  explicit TCpuBoolean(bool value) : FValue(value) {}
  bool Value() override { return FValue; }
  std::string AsYesNo() override;
  std::string AsTrueFalse() override;
  std::string AsOnOff() override;

 private:
  const bool FValue;
};

class TCpuWord final : public TInterfacedObject<ICpuWord> {
 public:
  explicit TCpuWord(uint16_t value) : FValue(value) {}
  uint8_t HighByte() override { return static_cast<uint8_t>(FValue >> 8); }
  uint8_t LowByte() override { return static_cast<uint8_t>(FValue & 0xFF); }
  uint16_t Value() override { return FValue; }

 private:
  const uint16_t FValue;
};

class TCpuNumber final : public TInterfacedObject<ICpuNumber> {
 public:
  explicit TCpuNumber(uint32_t value) : FValue(value) {}
  uint32_t Value() override { return FValue; }
  std::string AsString() override;
  Ref<ICpuWord> HighWord() override;
  Ref<ICpuWord> LowWord() override;
  int32_t BitCount() override;
  Ref<ICpuBoolean> Bit(uint32_t index) override;
  std::string AsSize() override;
  std::string AsHex() override;
  std::string AsMhz() override;
  std::string AsText() override;
  std::string AsVersion() override;

 private:
  const uint32_t FValue;
};

inline Ref<ICpuBoolean> MakeBoolean(bool value) {
  return Make<TCpuBoolean>(value);
}
inline Ref<ICpuNumber> MakeNumber(uint32_t value) {
  return Make<TCpuNumber>(value);
}

// The clock-rate text of a MHz value: "%d Mhz" below 1000, else "%1.1n Ghz".
std::string MhzText(uint32_t mhz);
// The four bytes of a register as four characters, least significant first.
std::string RegisterText(uint32_t value);

}  // namespace cpuinfo
