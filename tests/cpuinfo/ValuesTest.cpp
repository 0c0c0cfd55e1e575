// Value objects and their texts.
#include <gtest/gtest.h>

#include "cpuinfo/TextFormat.h"
#include "cpuinfo/Texts.h"
#include "cpuinfo/Values.h"

namespace cpuinfo {
namespace {

std::string Size(uint32_t value) {
  return MakeNumber(value)->AsSize();
}
std::string Mhz(uint32_t value) {
  return MakeNumber(value)->AsMhz();
}

TEST(NumberText, SizeStepsThroughBytesKilobytesMegabytesGigabytes) {
  EXPECT_EQ(Size(0), "0 bytes");
  EXPECT_EQ(Size(1023), "1023 bytes");
  EXPECT_EQ(Size(1024), "1.0 Kb");
  EXPECT_EQ(Size(1536), "1.5 Kb");
  EXPECT_EQ(Size(1048576), "1.0 Mb");
  EXPECT_EQ(Size(1073741824), "1.0 Gb");
  EXPECT_EQ(Size(0xFFFFFFFF), "4.0 Gb");
}

TEST(NumberText, MhzSwitchesToGhzAtOneThousand) {
  EXPECT_EQ(Mhz(999), "999 Mhz");
  EXPECT_EQ(Mhz(1000), "1.0 Ghz");
  EXPECT_EQ(Mhz(2400), "2.4 Ghz");
  EXPECT_EQ(Mhz(1533), "1.5 Ghz");
  EXPECT_EQ(Mhz(0), "0 Mhz");
}

TEST(NumberText, HexIsEightUpperCaseDigits) {
  EXPECT_EQ(MakeNumber(255)->AsHex(), "$000000FF");
  EXPECT_EQ(MakeNumber(0xDEADBEEF)->AsHex(), "$DEADBEEF");
}

TEST(NumberText, VersionPadsTheLastPartToTwoDigits) {
  EXPECT_EQ(MakeNumber(12345)->AsVersion(), "12.3.45");
  EXPECT_EQ(MakeNumber(1005)->AsVersion(), "1.0.05");
  EXPECT_EQ(MakeNumber(0)->AsVersion(), "0.0.00");
}

TEST(NumberText, TextIsTheBytesLeastSignificantFirst) {
  EXPECT_EQ(MakeNumber(0x756E6547)->AsText(), "Genu");
  EXPECT_EQ(MakeNumber(0)->AsText(), std::string(4, '\0'));
  EXPECT_EQ(MakeNumber(0xFF000041)->AsText(), std::string("A\0\0\xFF", 4));
}

TEST(NumberText, AsStringIsUnsignedDecimal) {
  EXPECT_EQ(MakeNumber(0xFFFFFFFF)->AsString(), "4294967295");
}

TEST(NumberBits, CountAndIndexModuloThirtyTwo) {
  EXPECT_EQ(MakeNumber(0)->BitCount(), 0);
  EXPECT_EQ(MakeNumber(0xFFFFFFFF)->BitCount(), 32);
  EXPECT_EQ(MakeNumber(0x80000001)->BitCount(), 2);
  const Ref<ICpuNumber> eight = MakeNumber(8);
  EXPECT_TRUE(eight->Bit(3)->Value());
  EXPECT_TRUE(eight->Bit(35)->Value());
  EXPECT_FALSE(eight->Bit(2)->Value());
  EXPECT_TRUE(MakeNumber(0x80000000)->Bit(31)->Value());
}

TEST(NumberWords, HighAndLowWordsAndTheirBytes) {
  const Ref<ICpuNumber> number = MakeNumber(0x12345678);
  EXPECT_EQ(number->HighWord()->Value(), 0x1234);
  EXPECT_EQ(number->LowWord()->Value(), 0x5678);
  EXPECT_EQ(number->HighWord()->HighByte(), 0x12);
  EXPECT_EQ(number->LowWord()->LowByte(), 0x78);
}

TEST(BooleanText, EachPairOfWords) {
  const Ref<ICpuBoolean> yes = MakeBoolean(true);
  const Ref<ICpuBoolean> no = MakeBoolean(false);
  EXPECT_EQ(yes->AsYesNo(), "Yes");
  EXPECT_EQ(yes->AsTrueFalse(), "True");
  EXPECT_EQ(yes->AsOnOff(), "On");
  EXPECT_EQ(no->AsYesNo(), "No");
  EXPECT_EQ(no->AsTrueFalse(), "False");
  EXPECT_EQ(no->AsOnOff(), "Off");
}

TEST(Translation, LoadedTextsReplaceTheDefaultsUntilReleased) {
  LoadTexts({{"Yes", "Ja"}, {"%1.1n Ghz", "%1.1n GHz"}});
  EXPECT_EQ(MakeBoolean(true)->AsYesNo(), "Ja");
  EXPECT_EQ(MakeBoolean(false)->AsYesNo(), "No");
  EXPECT_EQ(Mhz(2400), "2.4 GHz");
  ReleaseTexts();
  EXPECT_EQ(MakeBoolean(true)->AsYesNo(), "Yes");
}

TEST(NumberFormat, UsesTheGivenSeparators) {
  const NumberSeparators german{".", ",", "\3"};
  EXPECT_EQ(FormatNumber(1234567.25, 1, german), "1.234.567,3");
  EXPECT_EQ(FormatNumber(1.5, 1, german), "1,5");
  EXPECT_EQ(FormatNumber(999.96, 1, EnglishSeparators()), "1,000.0");
  EXPECT_EQ(FormatNumber(1234.5, 1, NumberSeparators{}), "1234.5");
}

TEST(NumberFormat, IndianGroupingRepeatsTheLastGroupSize) {
  const NumberSeparators indian{",", ".", "\3\2"};
  EXPECT_EQ(FormatNumber(12345678, 0, indian), "1,23,45,678");
}

TEST(NumberFormat, RoundsHalfAwayFromZero) {
  EXPECT_EQ(FormatNumber(1.25, 1, EnglishSeparators()), "1.3");
  EXPECT_EQ(FormatNumber(-1.25, 1, EnglishSeparators()), "-1.3");
  EXPECT_EQ(FormatNumber(0.04, 1, EnglishSeparators()), "0.0");
}

TEST(TextFormat, ConversionsWidthsAndPrecisions) {
  const NumberSeparators english = EnglishSeparators();
  EXPECT_EQ(FormatText("%d.%d.%2.2d", {int64_t{12}, int64_t{3}, int64_t{5}}, english), "12.3.05");
  EXPECT_EQ(FormatText("$%1.8x", {int64_t{255}}, english), "$000000FF");
  EXPECT_EQ(FormatText("%1.1n Kb", {1536.0 / 1024}, english), "1.5 Kb");
  EXPECT_EQ(FormatText("%s and %s", {std::string("a"), std::string("b")}, english), "a and b");
  EXPECT_EQ(FormatText("100%%", {}, english), "100%");
  EXPECT_EQ(FormatText("%4d|%-4d|", {int64_t{7}, int64_t{7}}, english), "   7|7   |");
}

TEST(TextFormat, ABrokenTranslationNeverFails) {
  const NumberSeparators english = EnglishSeparators();
  EXPECT_EQ(FormatText("%d and %d", {int64_t{1}}, english), "1 and %d");
  EXPECT_EQ(FormatText("%q", {int64_t{1}}, english), "%q");
  EXPECT_EQ(FormatText("trailing %", {}, english), "trailing %");
}

}  // namespace
}  // namespace cpuinfo
