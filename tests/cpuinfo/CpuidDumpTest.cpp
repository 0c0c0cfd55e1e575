// Reading recorded dumps, and what bad input is told.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "cpuinfo/CpuidDump.h"

namespace cpuinfo {
namespace {

std::string ErrorOf(const std::string& text) {
  try {
    ParseCpuidDump(text, "test.cpuid");
  } catch (const CpuidDumpError& error) {
    return error.what();
  }
  return "no error";
}

TEST(DumpParser, ReadsCommentsAndLeaves) {
  const CpuidDump dump = ParseCpuidDump(
      "# name: Intel Pentium III (Katmai)\n"
      "# processors: 2\n"
      "# source: somewhere\n"
      "\n"
      "00000000 00000002 756E6547 6C65746E 49656E69\r\n"
      "  80000000   80000004 0 a B  \n",
      "x");
  EXPECT_EQ(dump.name, "Intel Pentium III (Katmai)");
  EXPECT_EQ(dump.processors, 2u);
  ASSERT_EQ(dump.leaves.size(), 2u);
  EXPECT_EQ(dump.leaves.at(0).ebx, 0x756E6547u);
  EXPECT_EQ(dump.leaves.at(0x80000000).eax, 0x80000004u);
  EXPECT_EQ(dump.leaves.at(0x80000000).ecx, 0xAu);
  EXPECT_EQ(dump.leaves.at(0x80000000).edx, 0xBu);
}

TEST(DumpParser, ReadsSubLeavesAndProcessorSections) {
  const CpuidDump dump = ParseCpuidDump(
      "# processors: 3\n"
      "00000000 00000004 756E6547 6C65746E 49656E69\n"
      "00000004 3C004121 02C0003F 0000003F 00000000\n"
      "00000004:1 3C004122 01C0003F 0000003F 00000000\n"
      "0000000b:1F 1 2 3 4\n"
      "# cpu: 2\n"
      "00000004 5 6 7 8\n"
      "0000001A 20000001 0 0 0\n",
      "x");
  // The library's view: sub-leaf 0 of processor 0 only.
  ASSERT_EQ(dump.leaves.size(), 2u);
  EXPECT_EQ(dump.leaves.at(4).eax, 0x3C004121u);
  EXPECT_EQ(dump.leaves.count(0x1A), 0u);
  ASSERT_EQ(dump.cpus.size(), 2u);
  EXPECT_EQ(dump.cpus.at(0).size(), 4u);
  EXPECT_EQ(dump.cpus.at(0).at({4, 1}).eax, 0x3C004122u);
  EXPECT_EQ(dump.cpus.at(0).at({0xB, 0x1F}).edx, 4u);
  EXPECT_EQ(dump.cpus.at(2).size(), 2u);
  EXPECT_EQ(dump.cpus.at(2).at({4, 0}).eax, 5u);
  EXPECT_EQ(dump.cpus.at(2).at({0x1A, 0}).eax, 0x20000001u);
  ReplayCpuidSource source{dump};
  EXPECT_EQ(source.Execute(4).eax, 0x3C004121u);  // processor 0's sub-leaf 0
}

TEST(DumpParser, BadSubLeavesAndSections) {
  EXPECT_EQ(ErrorOf("0 1 2 3 4\n4:1 0 0 0 0\n4:01 0 0 0 0\n"),
            "test.cpuid:3: leaf '4:01' repeats the one on line 2");
  EXPECT_EQ(ErrorOf("0 1 2 3 4\n4: 0 0 0 0\n"),
            "test.cpuid:2: '4:' is not a leaf (LEAF or LEAF:SUB)");
  EXPECT_EQ(ErrorOf("0 1 2 3 4\n:4 0 0 0 0\n"),
            "test.cpuid:2: ':4' is not a leaf (LEAF or LEAF:SUB)");
  EXPECT_EQ(ErrorOf("0 1 2 3 4\n4:1:2 0 0 0 0\n"),
            "test.cpuid:2: '4:1:2' is not a leaf (LEAF or LEAF:SUB)");
  EXPECT_EQ(ErrorOf("0 1 2 3 4\n4:x 0 0 0 0\n"), "test.cpuid:2: 'x' is not a hexadecimal number");
  EXPECT_EQ(ErrorOf("0 1 2 3 4\n# cpu: one\n"),
            "test.cpuid:2: processor 'one' is not a decimal number");
  EXPECT_EQ(ErrorOf("# processors: 2\n0 1 2 3 4\n# cpu: 2\n1 0 0 0 0\n# cpu: 1\n"),
            "test.cpuid:3: processor 2 is not one of the 2 processors recorded");
  // The same leaf on two processors is no repeat; only processor 0 counts as leaves.
  EXPECT_EQ(
      ParseCpuidDump("# processors: 2\n0 1 2 3 4\n# cpu: 1\n0 5 6 7 8\n", "x").leaves.at(0).eax,
      1u);
  EXPECT_EQ(ErrorOf("# processors: 2\n# cpu: 1\n0 1 2 3 4\n"),
            "test.cpuid: no CPUID leaves recorded");
}

TEST(DumpParser, ProcessorCountDefaultsToOne) {
  EXPECT_EQ(ParseCpuidDump("0 1 2 3 4\n", "x").processors, 1u);
}

TEST(DumpParser, ALineThatIsNotFiveWordsNamesFileAndLine) {
  EXPECT_EQ(ErrorOf("# name: x\n0 1 2 3\n"),
            "test.cpuid:2: expected five hexadecimal words (leaf eax ebx ecx edx), found 4");
  EXPECT_EQ(ErrorOf("0 1 2 3 4 5\n").substr(0, 13), "test.cpuid:1:");
}

TEST(DumpParser, AWordThatIsNotHexadecimal) {
  EXPECT_EQ(ErrorOf("0 1 2 3 4\n00000001 0x672 0 0 0\n"),
            "test.cpuid:2: '0x672' is not a hexadecimal number");
  EXPECT_EQ(ErrorOf(std::string("0 1 2 3 \x01\x02", 10)),
            "test.cpuid:1: '?"
            "?' is not a hexadecimal number");
}

TEST(DumpParser, ANumberOverThirtyTwoBits) {
  EXPECT_EQ(ErrorOf("0 1 2 3 4\n1 100000000 0 0 0\n"),
            "test.cpuid:2: '100000000' does not fit in 32 bits");
  EXPECT_EQ(ParseCpuidDump("0000000001 1 2 3 4\n", "x").leaves.count(1), 1u);
}

TEST(DumpParser, ARepeatedLeaf) {
  EXPECT_EQ(ErrorOf("0 1 2 3 4\n1 0 0 0 0\n\n00000001 0 0 0 0\n"),
            "test.cpuid:4: leaf '00000001' repeats the one on line 2");
}

TEST(DumpParser, ABadProcessorCount) {
  EXPECT_EQ(ErrorOf("# processors: two\n0 0 0 0 0\n"),
            "test.cpuid:1: processor count 'two' is not a positive decimal number");
  EXPECT_EQ(ErrorOf("# processors: 0\n").substr(0, 13), "test.cpuid:1:");
  EXPECT_EQ(ErrorOf("# processors: 99999999999\n").substr(0, 13), "test.cpuid:1:");
}

TEST(DumpParser, NoLeavesAtAll) {
  EXPECT_EQ(ErrorOf(""), "test.cpuid: no CPUID leaves recorded");
  EXPECT_EQ(ErrorOf("# name: empty\n"), "test.cpuid: no CPUID leaves recorded");
}

TEST(DumpParser, SkipsAUtf8ByteOrderMark) {
  const CpuidDump dump = ParseCpuidDump("\xEF\xBB\xBF# name: marked\n0 1 2 3 4\n", "x");
  EXPECT_EQ(dump.name, "marked");
  EXPECT_EQ(ParseCpuidDump("\xEF\xBB\xBF"
                           "0 1 2 3 4\n",
                           "x")
                .leaves.count(0),
            1u);
}

TEST(DumpParser, SaysUtf16IsUtf16) {
  const std::string expected = "test.cpuid: looks like UTF-16; save the dump as UTF-8 or ASCII";
  EXPECT_EQ(ErrorOf("\xFF\xFE" + std::string("0\0 \0"
                                             "1\0",
                                             6)),
            expected);
  EXPECT_EQ(ErrorOf("\xFE\xFF" + std::string("\0"
                                             "0\0 ",
                                             4)),
            expected);
  EXPECT_EQ(ErrorOf(std::string("#\0 \0n\0", 6)), expected);  // little-endian, no mark
  EXPECT_EQ(ErrorOf(std::string("\0#\0 \0n", 6)), expected);  // big-endian, no mark
}

TEST(DumpParser, RefusesMoreThanSixteenMegabytes) {
  const std::string line = "# padding\n";
  std::string text = "0 1 2 3 4\n";
  while (text.size() <= (16u << 20)) text += line;
  EXPECT_EQ(ErrorOf(text), "test.cpuid: larger than 16 MB, not a CPUID dump");
  text.resize(16u << 20);
  EXPECT_EQ(ParseCpuidDump(text, "x").leaves.size(), 1u);
}

TEST(DumpParser, RefusesALineLongerThanSixtyFourKilobytes) {
  EXPECT_EQ(ErrorOf("0 1 2 3 4\n# " + std::string(64 << 10, 'x') + "\n"),
            "test.cpuid:2: line longer than 64 KB, not a CPUID dump");
  EXPECT_EQ(
      ParseCpuidDump("# " + std::string((64 << 10) - 2, 'x') + "\n0 1 2 3 4", "x").leaves.size(),
      1u);
}

TEST(DumpFile, MissingFileAndDirectory) {
  try {
    LoadCpuidDump("/nonexistent/dir/file.cpuid");
    FAIL();
  } catch (const CpuidDumpError& error) {
    EXPECT_EQ(std::string(error.what()),
              "/nonexistent/dir/file.cpuid: cannot open (No such file or directory)");
  }
  EXPECT_THROW(LoadCpuidDump(std::filesystem::temp_directory_path().string()), CpuidDumpError);
}

TEST(DumpFile, LinesAcrossReadsAndTheFirstBadLineWithItsOrigin) {
  const std::string path =
      (std::filesystem::temp_directory_path() / "tachora-dump-long.cpuid").string();
  {
    // Comments over several reads, so lines straddle them.
    std::ofstream file(path, std::ios::binary);
    for (int i = 0; i < 20000; ++i) file << "# comment " << i << "\n";
    file << "# " << std::string(60000, 'x') << "\n";
    file << "00000000 00000001 68747541 444D4163 69746E65\n00000001 00000067 0 0 0";
  }
  EXPECT_EQ(LoadCpuidDump(path).leaves.at(1).eax, 0x67u);
  {
    std::ofstream file(path, std::ios::app | std::ios::binary);
    file << "\nnot a leaf\n";
  }
  try {
    LoadCpuidDump(path, "shown.cpuid");
    FAIL();
  } catch (const CpuidDumpError& error) {
    EXPECT_EQ(std::string(error.what()).rfind("shown.cpuid:20004: expected five", 0), 0u)
        << error.what();
  }
  // A line without end is refused without being held whole.
  std::ofstream(path, std::ios::binary) << "0 1 2 3 4\n" << std::string(200000, 'z');
  try {
    LoadCpuidDump(path, "endless.cpuid");
    FAIL();
  } catch (const CpuidDumpError& error) {
    EXPECT_EQ(std::string(error.what()),
              "endless.cpuid:2: line longer than 64 KB, not a CPUID dump");
  }
  std::remove(path.c_str());
}

TEST(DumpFile, LoadsAFile) {
  const std::string path =
      (std::filesystem::temp_directory_path() / "tachora-dump-test.cpuid").string();
  {
    std::ofstream file(path);
    file << "# processors: 4\n00000000 00000001 68747541 444D4163 69746E65\n";
  }
  const CpuidDump dump = LoadCpuidDump(path);
  std::remove(path.c_str());
  EXPECT_EQ(dump.processors, 4u);
  ReplayCpuidSource source{dump};
  EXPECT_EQ(source.Execute(0).ecx, 0x444D4163u);
  EXPECT_EQ(source.Execute(7), CpuidRegisters{});
  EXPECT_EQ(source.ProcessorCount(), 4u);
  EXPECT_EQ(source.Binding(), nullptr);
}

}  // namespace
}  // namespace cpuinfo
