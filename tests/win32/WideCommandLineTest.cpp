// tachora-info.exe takes its arguments from the UTF-16 command line and opens files by
// their UTF-16 names: a dump whose name no ANSI code page spells still opens.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

// Before windows.h, which defines Yield as a macro.
#include "cpuinfo/CpuidDump.h"

#include <windows.h>

namespace {

const std::filesystem::path kDumpName = L"\u0394ump\u20AC.cpuid";  // "Δump€.cpuid"

std::filesystem::path CopyDumpToUnicodeName() {
  const std::filesystem::path source =
      std::filesystem::path(TACHORA_SOURCE_DIR) / "tests/data/cpuid-dumps/intel-486dx4-0480.cpuid";
  const std::filesystem::path target = std::filesystem::temp_directory_path() / kDumpName;
  std::filesystem::copy_file(source, target, std::filesystem::copy_options::overwrite_existing);
  return target;
}

std::string Utf8(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

TEST(WideNames, TheLibraryOpensADumpByItsUnicodeName) {
  const std::filesystem::path dump = CopyDumpToUnicodeName();
  const cpuinfo::CpuidDump loaded = cpuinfo::LoadCpuidDump(Utf8(dump));
  EXPECT_FALSE(loaded.leaves.empty());
  std::filesystem::remove(dump);
}

TEST(WideNames, TachoraInfoTakesAUnicodeArgument) {
  const std::filesystem::path dump = CopyDumpToUnicodeName();
  const std::filesystem::path output = std::filesystem::temp_directory_path() / L"info-out.txt";
  SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
  HANDLE out = ::CreateFileW(output.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                             CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(out, INVALID_HANDLE_VALUE);
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = out;
  startup.hStdError = out;
  std::wstring command = L"\"" TACHORA_INFO_PATH L"\" --cpuid-dump \"" + dump.wstring() + L"\"";
  PROCESS_INFORMATION process{};
  ASSERT_TRUE(::CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                               &startup, &process));
  ::WaitForSingleObject(process.hProcess, 60000);
  DWORD status = 1;
  ::GetExitCodeProcess(process.hProcess, &status);
  ::CloseHandle(process.hThread);
  ::CloseHandle(process.hProcess);
  ::CloseHandle(out);
  std::ifstream file(output, std::ios::binary);
  std::stringstream text;
  text << file.rdbuf();
  EXPECT_EQ(status, 0u) << text.str();
  // The heading names the file in UTF-8, as it was given.
  EXPECT_NE(text.str().find("Dump file          \xCE\x94ump\xE2\x82\xAC.cpuid"), std::string::npos)
      << text.str();
  EXPECT_NE(text.str().find("80486DX4"), std::string::npos);
  file.close();
  std::filesystem::remove(output);
  std::filesystem::remove(dump);
}

}  // namespace
