// tachora-info.exe takes its arguments from the UTF-16 command line and opens files by
// their UTF-16 names: a dump whose name no ANSI code page spells still opens. Its
// redirected output is the Linux program's, byte for byte.
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

std::string Slurp(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
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

struct InfoRun {
  DWORD status = 1;
  std::string output;  // standard output and error, as the program wrote them
};

// Runs the built tachora-info.exe with these arguments.
InfoRun RunInfo(const std::wstring& arguments) {
  InfoRun run;
  const std::filesystem::path output = std::filesystem::temp_directory_path() / L"info-out.txt";
  SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
  HANDLE out = ::CreateFileW(output.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                             CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  EXPECT_NE(out, INVALID_HANDLE_VALUE);
  if (out == INVALID_HANDLE_VALUE) return run;
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = out;
  startup.hStdError = out;
  std::wstring command = L"\"" TACHORA_INFO_PATH L"\" " + arguments;
  PROCESS_INFORMATION process{};
  const bool started = ::CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                        nullptr, &startup, &process);
  EXPECT_TRUE(started);
  if (started) {
    ::WaitForSingleObject(process.hProcess, 60000);
    ::GetExitCodeProcess(process.hProcess, &run.status);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
  }
  ::CloseHandle(out);
  run.output = Slurp(output);
  std::filesystem::remove(output);
  return run;
}

TEST(WideNames, TachoraInfoTakesAUnicodeArgument) {
  const std::filesystem::path dump = CopyDumpToUnicodeName();
  const InfoRun run = RunInfo(L"--cpuid-dump \"" + dump.wstring() + L"\"");
  EXPECT_EQ(run.status, 0u) << run.output;
  // The heading names the file in UTF-8, as it was given.
  EXPECT_NE(run.output.find("Dump file          \xCE\x94ump\xE2\x82\xAC.cpuid"), std::string::npos)
      << run.output;
  EXPECT_NE(run.output.find("80486DX4"), std::string::npos);
  std::filesystem::remove(dump);
}

// Redirected, the program writes the very bytes the Linux one does: LF line ends, UTF-8.
TEST(StandardOutput, TachoraInfoWritesTheLinuxProgramsBytes) {
  const std::filesystem::path source = TACHORA_SOURCE_DIR;
  const std::wstring dump =
      (source / "tests/data/cpuid-dumps/intel-p3-katmai-0673.cpuid").wstring();
  const std::filesystem::path expected = source / "tests/data/cpuid-reports";
  const InfoRun text = RunInfo(L"--cpuid-dump \"" + dump + L"\"");
  EXPECT_EQ(text.status, 0u);
  EXPECT_EQ(text.output, Slurp(expected / "intel-p3-katmai-0673.txt"));
  const InfoRun json = RunInfo(L"--json --cpuid-dump \"" + dump + L"\"");
  EXPECT_EQ(json.status, 0u);
  EXPECT_EQ(json.output, Slurp(expected / "intel-p3-katmai-0673.json"));
}

// In a console, tachora-info writes its UTF-8 text as the console's own characters: the
// screen shows "Δump€", not the bytes of its UTF-8 read in the console's code page.
TEST(WideNames, TachoraInfoWritesUnicodeToAConsole) {
  // A console of the test's own, whatever it was started from.
  ::FreeConsole();
  if (!::AllocConsole()) GTEST_SKIP() << "no console here";
  const std::filesystem::path dump = CopyDumpToUnicodeName();
  SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
  HANDLE screen =
      ::CreateConsoleScreenBuffer(GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  &inherit, CONSOLE_TEXTMODE_BUFFER, nullptr);
  ASSERT_NE(screen, INVALID_HANDLE_VALUE);
  ::SetConsoleScreenBufferSize(screen, {120, 1000});  // the whole report, none scrolled away
  CONSOLE_SCREEN_BUFFER_INFO info{};
  ASSERT_TRUE(::GetConsoleScreenBufferInfo(screen, &info));
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = screen;
  startup.hStdError = screen;
  std::wstring command = L"\"" TACHORA_INFO_PATH L"\" --cpuid-dump \"" + dump.wstring() + L"\"";
  PROCESS_INFORMATION process{};
  ASSERT_TRUE(::CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                               &startup, &process));
  ::WaitForSingleObject(process.hProcess, 60000);
  ::CloseHandle(process.hThread);
  ::CloseHandle(process.hProcess);
  const DWORD cells = DWORD(info.dwSize.X) * DWORD(info.dwSize.Y);
  std::wstring shown(cells, L' ');
  DWORD read = 0;
  ASSERT_TRUE(::ReadConsoleOutputCharacterW(screen, shown.data(), cells, {0, 0}, &read));
  ::CloseHandle(screen);
  std::filesystem::remove(dump);
  EXPECT_NE(shown.find(L"Dump file          \u0394ump\u20AC.cpuid"), std::wstring::npos);
  EXPECT_NE(shown.find(L"80486DX4"), std::wstring::npos);
}

}  // namespace
