// Tachora on Windows: the processor library starts first, then the program on the Win32
// backend. A GUI program takes nothing on its command line and has no console to report
// to.
#include <windows.h>

#include <exception>

#include "app/StartUp.h"
#include "cpuinfo/Processor.h"
#include "platform/win32/Win32Backend.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  cpuinfo::InitializeLibrary();
  int status = 0;
  try {
    platform::Win32Backend backend;
    app::RunTachora(backend);
  } catch (const std::exception& error) {
    // Only reached when the desktop refuses a window or no font loads: there is nowhere
    // else to say it.
    ::MessageBoxA(nullptr, error.what(), "Tachora", MB_ICONERROR | MB_OK);
    status = 1;
  }
  cpuinfo::FinalizeLibrary();
  return status;
}
