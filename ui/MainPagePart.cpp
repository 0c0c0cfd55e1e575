#include "ui/MainPagePart.h"

#include "ui/Theme.h"

namespace ui {

MainPagePart::MainPagePart(MainHost& host) : host_(host), sheet_(&host.Pages()) {
  sheet_.SetColor(theme::kBlack);
}

MainPagePart::~MainPagePart() = default;

}  // namespace ui
