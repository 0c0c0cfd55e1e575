#include "online/ScoreSubmission.h"

#include <gtest/gtest.h>

#include "generated/Version.h"
#include "online/WebAddresses.h"

namespace online {
namespace {

TEST(QueryEscaping, SpacesBecomePercentTwenty) {
  EXPECT_EQ(EscapeQueryValue("Intel Pentium  III"), "Intel%20Pentium%20%20III");
  EXPECT_EQ(EscapeQueryValue("2.4 Ghz"), "2.4%20Ghz");
}

TEST(QueryEscaping, BracketsAndOtherPunctuationStayAsTheyAre) {
  EXPECT_EQ(EscapeQueryValue("Intel(R) Core(TM)"), "Intel(R)%20Core(TM)");
  EXPECT_EQ(EscapeQueryValue("a=b?c/d:e@f!g*h'i,j;k~l_m.n-o"), "a=b?c/d:e@f!g*h'i,j;k~l_m.n-o");
}

TEST(QueryEscaping, CharactersThatWouldBreakTheQueryAreEncoded) {
  EXPECT_EQ(EscapeQueryValue("AMD & Co"), "AMD%20%26%20Co");
  EXPECT_EQ(EscapeQueryValue("CPU #1"), "CPU%20%231");
  EXPECT_EQ(EscapeQueryValue("100%"), "100%25");
  EXPECT_EQ(EscapeQueryValue("a+b"), "a%2Bb");
}

TEST(QueryEscaping, CharactersAnAddressMayNotHoldRawAreEncoded) {
  EXPECT_EQ(EscapeQueryValue("\"<>\\^`{|}"), "%22%3C%3E%5C%5E%60%7B%7C%7D");
  EXPECT_EQ(EscapeQueryValue("CPU \"Model\" {A|B}"), "CPU%20%22Model%22%20%7BA%7CB%7D");
}

TEST(QueryEscaping, ControlAndNonAsciiBytesAreEncoded) {
  EXPECT_EQ(EscapeQueryValue("a\tb\nc\x7F"), "a%09b%0Ac%7F");
  EXPECT_EQ(EscapeQueryValue(std::string_view("\0", 1)), "%00");
  EXPECT_EQ(EscapeQueryValue("Caf\xC3\xA9"), "Caf%C3%A9");
}

ScoreSubmission SampleScore() {
  return {"001A2B3C4D5E",
          2992,
          {"Intel(R) Pentium(R) 4 CPU 3.00GHz", "Intel Corporation",
           "x86 Family 15 Model 2 Stepping 9", "3.0 Ghz"}};
}

TEST(SubmissionAddress, KeysInOrderWithEscapedValues) {
  EXPECT_EQ(ScoreSubmissionAddress(SampleScore()),
            std::string(kProductSite) +
                "/proint/proaddscore.php?macaddress=001A2B3C4D5E&speed=2992"
                "&cpudesc=Intel(R)%20Pentium(R)%204%20CPU%203.00GHz"
                "&vendor=Intel%20Corporation&speedpub=3.0%20Ghz"
                "&family=x86%20Family%2015%20Model%202%20Stepping%209&ver=" TACHORA_VERSION_TEXT);
}

TEST(SubmissionAddress, EmptyIdentityLeavesAnEmptyValue) {
  ScoreSubmission score = SampleScore();
  score.MachineIdentity.clear();
  EXPECT_NE(ScoreSubmissionAddress(score).find("?macaddress=&speed=2992&"), std::string::npos);
}

TEST(SubmissionAddress, AnAmpersandInTheDescriptionDoesNotSplitIt) {
  ScoreSubmission score = SampleScore();
  score.Processor.CpuDescription = "Virtual CPU #2 & more";
  const std::string address = ScoreSubmissionAddress(score);
  EXPECT_NE(address.find("&cpudesc=Virtual%20CPU%20%232%20%26%20more&vendor="), std::string::npos)
      << address;
  EXPECT_EQ(address.find('#'), std::string::npos);
}

TEST(SubmissionAddress, ZeroSpeedIsSentAsZero) {
  ScoreSubmission score = SampleScore();
  score.MeasuredMhz = 0;
  EXPECT_NE(ScoreSubmissionAddress(score).find("&speed=0&"), std::string::npos);
}

}  // namespace
}  // namespace online
