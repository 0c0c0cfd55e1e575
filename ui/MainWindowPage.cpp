#include "ui/MainWindowPage.h"

#include "ui/Theme.h"

namespace ui {

MainWindowPage::MainWindowPage(MainHost& host) : host_(host), sheet_(&host.Pages()) {
  sheet_.SetColor(theme::kBlack);
}

MainWindowPage::~MainWindowPage() = default;

}  // namespace ui
