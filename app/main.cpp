// Tachora: start-up in its order. The processor library starts first; then the
// application with its title, the main window (whose creation posts UM_GETSPEED), one
// pump of the pending messages (the clock measurement, before the window first shows)
// and the message loop until the main window closes.
#include <clocale>
#include <cstdio>
#include <exception>

#include "cpuinfo/Processor.h"
#include "gui/Application.h"
#include "platform/sdl/SdlBackend.h"
#include "ui/MainPages.h"
#include "ui/ProductTexts.h"

int main() {
  std::setlocale(LC_ALL, "");
  cpuinfo::InitializeLibrary();
  try {
    platform::SdlBackend backend;
    gui::Application application(backend);
    application.SetTitle(std::string(ui::kApplicationTitle));
    const auto form = ui::CreateMainWindow();
    application.SetMainWindow(form.get());
    application.ProcessMessages();
    application.Run();
  } catch (const std::exception& error) {
    // Only reached when no display can be opened: there is no window to show anything in.
    std::fprintf(stderr, "tachora: %s\n", error.what());
    cpuinfo::FinalizeLibrary();
    return 1;
  }
  cpuinfo::FinalizeLibrary();
  return 0;
}
