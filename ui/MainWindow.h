// The main window TfmMain: the caption bar, the top area with the navigation and the
// instruments, the heading bar, the page area with its hidden-tab page control and its
// five pages, and the bottom bar; start-up (FormCreate, UM_GETSPEED), page switching
// through the fade transition, the web links, the result dialog and closing with the
// promotion dialog.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <string_view>

#include "controls/PictureTransition.h"
#include "gui/Window.h"
#include "ui/CaptionBar.h"
#include "ui/MainHost.h"
#include "ui/MainServices.h"
#include "ui/MainWindowPage.h"
#include "ui/ProgramState.h"
#include "ui/TopArea.h"
#include "widgets/GlowButton.h"
#include "widgets/Image.h"
#include "widgets/Label.h"
#include "widgets/PageControl.h"
#include "widgets/Panel.h"

namespace ui {

class TfmSpeedResult;

class TfmMain : public gui::Window, public MainHost {
 public:
  static constexpr int kClientWidth = 670;
  static constexpr int kClientHeight = 611;
  static constexpr int kPageAreaHeight = 238;
  // The page area's picture for the fade, in window coordinates.
  static constexpr gui::Rect kPageRect = gui::Rect::XYWH(13, 367, 650, 220);

  // Makes the window and its pages (the program's pages are ProgramPages()).
  TfmMain(MainServices services, const MainPageMakers& pages);
  ~TfmMain() override;

  MainWindowPage& Page(TMainPage page) { return *pages_[static_cast<size_t>(page)]; }

  // Creation, in order; its last step posts UM_GETSPEED.
  void FormCreate();
  // The UM_GETSPEED handler: measures the clock once and stores MeasuredMhz.
  void umGetSpeed();
  // Closing: the pages stop what they run, the rankings page opens unless a score was
  // submitted, the window hides, the promotion dialog shows. Every way of closing the
  // window (its "X", "Exit", a close request from the desktop) comes here once.
  void FormClose();

  void btnWelcomeClick();
  void btnTestCPUClick();
  void btnCPUDetailsClick();
  void btnGetRankingClick();
  void btnAboutClick();
  void btnOnlineClick();
  void btnExitClick();
  void btnCloseClick();
  void lblCopyrightClick();

  void TransitionToPage();
  void CaptureWindowArea(int x, int y, int width, int height);
  void transFadeOutComplete();

  // MainHost
  widgets::PageControl& Pages() override { return pgControlMain; }
  ui::TopArea& Instruments() override { return top_area; }
  ProgramState& State() override { return state_; }
  const MainServices& Services() const override { return services_; }
  const std::string& CurrentMachineIdentity() const override { return MachineIdentity; }
  void SetMachineIdentity(std::string identity) override { MachineIdentity = std::move(identity); }
  void lblTestAgainClick() override;
  void ShowPage(TMainPage page) override;
  void OpenInBrowser(const std::string& address) override;
  void ShowResultDialog(const std::string& mhzText) override;

  TMainPage CurrentPage = TMainPage::kWelcome;
  std::string MachineIdentity;

  // Components, in creation order (children after their parents).
  CaptionBar caption_bar;
  widgets::GlowButton btnClose;
  widgets::Panel pnlTop;
  widgets::GlowButton btnWelcome;
  widgets::GlowButton btnTestCPU;
  widgets::GlowButton btnCPUDetails;
  widgets::GlowButton btnGetRanking;
  widgets::GlowButton btnAbout;
  widgets::GlowButton btnOnline;
  widgets::GlowButton btnExit1;
  ui::TopArea top_area;
  widgets::Panel pnlHeading;
  widgets::Label lblCurrentTab;
  widgets::Panel pnlPageArea;
  widgets::PageControl pgControlMain;
  widgets::TabSheet tabFadeOut;
  controls::TPictureTransition transFadeOut;
  widgets::Image imgBlankBackground;
  widgets::Panel pnlBottom;
  widgets::Label lblCopyright;

  // Created when the first run ends, kept to the end.
  std::unique_ptr<TfmSpeedResult> speed_result;

 protected:
  void HandleMessage(const gui::Message& message) override;

 private:
  void SetUpNavigationButton(widgets::GlowButton& button, int index, std::string_view caption);

  MainServices services_;
  ProgramState state_;
  // FormClose has begun: a run still on the call stack opens no result dialog.
  bool closing_ = false;
  // The pages by TMainPage; each owns its sheet of pgControlMain.
  std::array<std::unique_ptr<MainWindowPage>, kMainPageCount> pages_;
};

}  // namespace ui
