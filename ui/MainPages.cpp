#include "ui/MainPages.h"

#include "ui/AboutPage.h"
#include "ui/DetailsPage.h"
#include "ui/RankPage.h"

namespace ui {

std::unique_ptr<TfmMain> CreateMainWindow(MainServices services) {
  auto form = std::make_unique<TfmMain>(std::move(services));
  // One line per page of its own files:
  //   form->AttachPage(TMainPage::kCPUDetails, std::make_unique<DetailsPage>(*form));
  form->AttachPage(TMainPage::kRank, std::make_unique<RankPage>(*form));
  form->AttachPage(TMainPage::kCPUDetails, std::make_unique<DetailsPage>(*form));
  form->AttachPage(TMainPage::kAbout, std::make_unique<AboutPage>(*form));
  form->FormCreate();
  return form;
}

}  // namespace ui
