#include "speedtest/OperatingSystem.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace speedtest {
namespace {

platform::WindowsVersionNumbers Version(uint32_t platformId, uint32_t major, uint32_t minor,
                                        uint32_t build = 0, std::string servicePack = "") {
  return {platformId, major, minor, build, std::move(servicePack)};
}

std::string NameOf(const platform::WindowsVersionNumbers& version) {
  return WindowsVersionName(ClassifyWindowsVersion(version));
}

TEST(WindowsVersion, NinetyFiveFamily) {
  EXPECT_EQ(NameOf(Version(1, 4, 0, 950)), "Windows 95");
  EXPECT_EQ(NameOf(Version(1, 4, 10, 1998)), "Windows 98");
  EXPECT_EQ(NameOf(Version(1, 4, 10, 2222, " A ")), "Windows 98 SE");
  EXPECT_EQ(NameOf(Version(1, 4, 10, 2222, "A")), "Windows 98");
  EXPECT_EQ(NameOf(Version(1, 4, 90, 3000)), "Windows ME");
  EXPECT_EQ(NameOf(Version(1, 4, 3)), "Unknown");
  EXPECT_EQ(NameOf(Version(1, 5, 0)), "Unknown");
}

TEST(WindowsVersion, NtUpToXp) {
  EXPECT_EQ(NameOf(Version(2, 3, 51)), "Windows NT");
  EXPECT_EQ(NameOf(Version(2, 4, 0, 1381, "Service Pack 6")), "Windows NT");
  EXPECT_EQ(NameOf(Version(2, 5, 0, 2195)), "Windows 2000");
  EXPECT_EQ(NameOf(Version(2, 5, 1, 2600, "Service Pack 3")), "Windows XP");
}

TEST(WindowsVersion, LaterReleasesHaveTheirOwnNames) {
  EXPECT_EQ(NameOf(Version(2, 5, 2, 3790)), "Windows Server 2003");
  EXPECT_EQ(NameOf(Version(2, 6, 0, 6002)), "Windows Vista");
  EXPECT_EQ(NameOf(Version(2, 6, 1, 7601)), "Windows 7");
  EXPECT_EQ(NameOf(Version(2, 6, 2, 9200)), "Windows 8");
  EXPECT_EQ(NameOf(Version(2, 6, 3, 9600)), "Windows 8.1");
  EXPECT_EQ(NameOf(Version(2, 10, 0, 19045)), "Windows 10");
  EXPECT_EQ(NameOf(Version(2, 10, 0, 21999)), "Windows 10");
  EXPECT_EQ(NameOf(Version(2, 10, 0, 22000)), "Windows 11");
  EXPECT_EQ(NameOf(Version(2, 10, 0, 26100)), "Windows 11");
}

TEST(WindowsVersion, UnlistedVersionsAreUnknown) {
  EXPECT_EQ(NameOf(Version(2, 5, 3)), "Unknown");
  EXPECT_EQ(NameOf(Version(2, 6, 4, 9841)), "Unknown");
  EXPECT_EQ(NameOf(Version(2, 11, 0, 30000)), "Unknown");
  EXPECT_EQ(NameOf(Version(0, 3, 10)), "Unknown");  // Win32s
  EXPECT_EQ(NameOf(Version(3, 5, 1)), "Unknown");   // Windows CE
}

TEST(WindowsVersion, CodesWithoutANameGiveEmptyText) {
  EXPECT_EQ(WindowsVersionName(kWindowsUnknown), "Unknown");
  EXPECT_EQ(WindowsVersionName(kWindowsVista), "Windows Vista");
  EXPECT_EQ(WindowsVersionName(kWindows11 + 1), "");
  EXPECT_EQ(WindowsVersionName(255), "");
}

TEST(OsRelease, PrettyNameInDoubleQuotes) {
  EXPECT_EQ(PrettyNameFromOsRelease("NAME=\"Debian GNU/Linux\"\n"
                                    "PRETTY_NAME=\"Debian GNU/Linux 12 (bookworm)\"\n"
                                    "VERSION_ID=\"12\"\n"),
            "Debian GNU/Linux 12 (bookworm)");
}

TEST(OsRelease, SingleQuotedUnquotedAndEscapedValues) {
  EXPECT_EQ(PrettyNameFromOsRelease("PRETTY_NAME='Arch Linux'\n"), "Arch Linux");
  EXPECT_EQ(PrettyNameFromOsRelease("PRETTY_NAME=Alpine\n"), "Alpine");
  EXPECT_EQ(PrettyNameFromOsRelease("PRETTY_NAME=\"Say \\\"hi\\\" \\\\ \\$HOME\""),
            "Say \"hi\" \\ $HOME");
  EXPECT_EQ(PrettyNameFromOsRelease("PRETTY_NAME=\"Fedora Linux 40\"\r\n"), "Fedora Linux 40");
}

TEST(OsRelease, OtherKeysAndCommentsAreNotTheName) {
  EXPECT_EQ(PrettyNameFromOsRelease("# PRETTY_NAME=\"No\"\nNAME=\"Debian\"\n"), "");
  EXPECT_EQ(PrettyNameFromOsRelease("PRETTY_NAME_EXTRA=\"No\"\n"), "");
  EXPECT_EQ(PrettyNameFromOsRelease(""), "");
}

TEST(OperatingSystemName, ThisMachine) {
#ifdef _WIN32
  // The system's own name for its version ("Windows 7" under wine's default setting).
  EXPECT_TRUE(OperatingSystemName().starts_with("Windows ")) << OperatingSystemName();
#else
  std::ifstream file("/etc/os-release");
  const std::string text{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  const std::string pretty = PrettyNameFromOsRelease(text);
  const std::string name = OperatingSystemName();
  if (!pretty.empty()) {
    EXPECT_EQ(name, pretty);
  } else {
    EXPECT_TRUE(name.starts_with("Linux ")) << name;
  }
#endif
}

}  // namespace
}  // namespace speedtest
