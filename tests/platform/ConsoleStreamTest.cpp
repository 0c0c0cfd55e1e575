// The stream a Windows console gets its text through: UTF-8 handed on in whole characters
// at each flush, failures of the writer seen by the stream.
#include "platform/ConsoleStream.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace platform {
namespace {

TEST(ConsoleStreamTest, FlushesHandOnWholeCharactersOnly) {
  std::vector<std::string> chunks;
  Utf8StreamBuf buffer([&](std::string_view utf8) {
    chunks.emplace_back(utf8);
    return true;
  });
  std::ostream out(&buffer);
  out << "pr\xC3" << std::flush;  // "prü" cut inside the "ü"
  out << "\xBC"
         "fung \xE2\x82"
      << std::flush;
  out << "\xAC\xF0\x9F\x98" << std::flush;
  out << "\x80\n" << std::flush;
  EXPECT_EQ(chunks, (std::vector<std::string>{"pr",
                                              "\xC3\xBC"
                                              "fung ",
                                              "\xE2\x82\xAC", "\xF0\x9F\x98\x80\n"}));
  EXPECT_TRUE(out.good());
}

TEST(ConsoleStreamTest, LongTextIsHandedOnBeforeTheFlush) {
  size_t handed = 0;
  Utf8StreamBuf buffer([&](std::string_view utf8) {
    handed += utf8.size();
    return true;
  });
  std::ostream out(&buffer);
  const std::string line(100, 'x');
  for (int i = 0; i < 100; ++i) out << line;
  EXPECT_GT(handed, 0u);
  out.flush();
  EXPECT_EQ(handed, 100u * 100u);
}

TEST(ConsoleStreamTest, AFailedWriteFailsTheStream) {
  Utf8StreamBuf buffer([](std::string_view) { return false; });
  std::ostream out(&buffer);
  out << "text" << std::flush;
  EXPECT_TRUE(out.bad());
}

}  // namespace
}  // namespace platform
