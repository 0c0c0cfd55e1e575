#include "ui/ProgramWindow.h"

#include "ui/AboutPage.h"
#include "ui/DetailsPage.h"
#include "ui/RankPage.h"
#include "ui/TestPage.h"
#include "ui/WelcomePage.h"

namespace ui {
namespace {

template <typename Page>
std::unique_ptr<MainWindowPage> Make(MainHost& host) {
  return std::make_unique<Page>(host);
}

}  // namespace

MainPageMakers ProgramPages() {
  return {Make<WelcomePage>, Make<TestPage>, Make<DetailsPage>, Make<RankPage>, Make<AboutPage>};
}

std::unique_ptr<TfmMain> CreateMainWindow(MainServices services) {
  auto form = std::make_unique<TfmMain>(std::move(services), ProgramPages());
  form->FormCreate();
  return form;
}

}  // namespace ui
