// Tachora on Windows: the start-up order of main.cpp on the Win32 backend. A GUI
// program takes nothing on its command line and has no console to report to.
#include <windows.h>

#include <exception>

#include "cpuinfo/Processor.h"
#include "gui/Application.h"
#include "platform/win32/Win32Backend.h"
#include "ui/MainPages.h"
#include "ui/ProductTexts.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  cpuinfo::InitializeLibrary();
  int status = 0;
  try {
    platform::Win32Backend backend;
    gui::Application application(backend);
    application.SetTitle(std::string(ui::kApplicationTitle));
    const auto form = ui::CreateMainWindow();
    application.SetMainWindow(form.get());
    application.ProcessMessages();
    application.Run();
  } catch (const std::exception& error) {
    // Only reached when the desktop refuses a window: there is nowhere else to say it.
    ::MessageBoxA(nullptr, error.what(), "Tachora", MB_ICONERROR | MB_OK);
    status = 1;
  }
  cpuinfo::FinalizeLibrary();
  return status;
}
