// Win32 implementation of opening a web address: the shell's default action.
#include "platform/Browser.h"

#include <string>

#include <windows.h>

#include <objbase.h>
#include <shellapi.h>

namespace platform {

void OpenInBrowser(std::string_view address) {
  const int size = static_cast<int>(address.size());
  std::wstring wide(
      static_cast<size_t>(::MultiByteToWideChar(CP_UTF8, 0, address.data(), size, nullptr, 0)),
      L'\0');
  ::MultiByteToWideChar(CP_UTF8, 0, address.data(), size, wide.data(),
                        static_cast<int>(wide.size()));
  // Shell extensions behind the default action may need COM on this thread.
  const HRESULT com = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  ::ShellExecuteW(nullptr, nullptr, wide.c_str(), nullptr, nullptr, SW_SHOWNOACTIVATE);
  if (SUCCEEDED(com)) ::CoUninitialize();
}

}  // namespace platform
