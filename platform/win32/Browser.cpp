// Win32 implementation of opening a web address: the shell's default action.
#include "platform/Browser.h"

#include <string>

#include <windows.h>

#include <objbase.h>
#include <shellapi.h>

#include "platform/win32/Utf16.h"

namespace platform {

void OpenInBrowser(std::string_view address) {
  const std::wstring wide = Utf16(address);
  // Shell extensions behind the default action may need COM on this thread.
  const HRESULT com = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  ::ShellExecuteW(nullptr, nullptr, wide.c_str(), nullptr, nullptr, SW_SHOWNOACTIVATE);
  if (SUCCEEDED(com)) ::CoUninitialize();
}

}  // namespace platform
