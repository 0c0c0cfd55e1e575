#include "app/StartUp.h"

#include <string>

#include "gui/Application.h"
#include "platform/fonts/Font.h"
#include "ui/ProductTexts.h"
#include "ui/ProgramWindow.h"

namespace app {

void RunTachora(platform::Backend& backend) {
  platform::FontLibrary::Instance().Face({});
  gui::Application application(backend);
  application.SetTitle(std::string(ui::kApplicationTitle));
  const auto form = ui::CreateMainWindow();
  application.SetMainWindow(form.get());
  application.ProcessMessages();
  application.Run();
}

}  // namespace app
