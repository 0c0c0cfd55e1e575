// Win32 implementation of opening a web address: the shell's default action. shell32 and
// ole32 are loaded on the first address opened, not with the program: start-up needs
// neither, and they bring a dozen more DLLs with them.
#include "platform/Browser.h"

#include <bit>
#include <string>

#include <windows.h>

#include <objbase.h>
#include <shellapi.h>

#include "platform/win32/Utf16.h"

namespace platform {
namespace {

struct ShellFunctions {
  decltype(&::ShellExecuteW) shellExecute = nullptr;
  decltype(&::CoInitializeEx) coInitializeEx = nullptr;
  decltype(&::CoUninitialize) coUninitialize = nullptr;
};

template <class Function>
Function Find(HMODULE module, const char* name) {
  return module ? std::bit_cast<Function>(::GetProcAddress(module, name)) : nullptr;
}

const ShellFunctions& Shell() {
  // The modules stay loaded for the rest of the run.
  static const ShellFunctions functions = [] {
    const HMODULE shell = ::LoadLibraryW(L"SHELL32.DLL");
    const HMODULE ole = ::LoadLibraryW(L"OLE32.DLL");
    return ShellFunctions{Find<decltype(&::ShellExecuteW)>(shell, "ShellExecuteW"),
                          Find<decltype(&::CoInitializeEx)>(ole, "CoInitializeEx"),
                          Find<decltype(&::CoUninitialize)>(ole, "CoUninitialize")};
  }();
  return functions;
}

}  // namespace

void OpenInBrowser(std::string_view address) {
  const ShellFunctions& shell = Shell();
  if (!shell.shellExecute) return;
  const std::wstring wide = Utf16(address);
  // Shell extensions behind the default action may need COM on this thread.
  const bool com =
      shell.coInitializeEx && shell.coUninitialize &&
      SUCCEEDED(shell.coInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE));
  shell.shellExecute(nullptr, nullptr, wide.c_str(), nullptr, nullptr, SW_SHOWNOACTIVATE);
  if (com) shell.coUninitialize();
}

}  // namespace platform
