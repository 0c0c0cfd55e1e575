#include "ui/MainWindow.h"

#include "controls/TransitionStyles.h"
#include "gui/Application.h"
#include "online/WebAddresses.h"
#include "speedtest/ClockMeasurement.h"
#include "ui/ProductTexts.h"
#include "ui/Promo.h"
#include "ui/SpeedResult.h"
#include "ui/Theme.h"

namespace ui {
namespace {

constexpr int kCaptionHeight = CaptionBar::kHeight;
constexpr int kTopAreaHeight = TopArea::kHeight;
constexpr int kHeadingHeight = 20;
constexpr int kBottomBarHeight = 21;
constexpr int kTopAreaTop = kCaptionHeight;
constexpr int kHeadingTop = kTopAreaTop + kTopAreaHeight;
constexpr int kPageAreaTop = kHeadingTop + kHeadingHeight;
// The bottom bar ends with the client area, over the page area's last border row.
constexpr int kBottomBarTop = TfmMain::kClientHeight - kBottomBarHeight;

// The navigation column: buttons 186 x 35, one every 40 pixels.
constexpr int kButtonLeft = 6;
constexpr int kButtonTop = 12;
constexpr int kButtonPitch = 40;
constexpr int kButtonWidth = 186;
constexpr int kButtonHeight = 35;

void SetUpBand(widgets::Panel& band, int top, int height, gui::Color color) {
  band.SetBounds(0, top, TfmMain::kClientWidth, height);
  band.SetColor(color);
}

}  // namespace

TfmMain::TfmMain(MainServices services, const MainPageMakers& pages)
    : caption_bar(this, kClientWidth),
      btnClose(this, "X"),
      pnlTop(this),
      btnWelcome(&pnlTop),
      btnTestCPU(&pnlTop),
      btnCPUDetails(&pnlTop),
      btnGetRanking(&pnlTop),
      btnAbout(&pnlTop),
      btnOnline(&pnlTop),
      btnExit1(&pnlTop),
      top_area(&pnlTop),
      pnlHeading(this),
      lblCurrentTab(&pnlHeading),
      pnlPageArea(this),
      pgControlMain(&pnlPageArea),
      tabFadeOut(&pgControlMain),
      transFadeOut(&tabFadeOut),
      imgBlankBackground(&tabFadeOut),
      pnlBottom(this),
      lblCopyright(&pnlBottom),
      services_(std::move(services)) {
  SetCaption(std::string(kApplicationTitle));
  SetBackgroundColor(theme::kBlack);
  SetBounds(0, 0, kClientWidth, kClientHeight);

  caption_bar.MakeDragHandle();
  btnClose.SetShape(widgets::GlowShape::Square);
  btnClose.SetFont(theme::Tahoma(11, theme::kWhite, true));
  btnClose.SetBounds(kClientWidth - 22, 3, 20, 16);
  btnClose.OnClick = [this](gui::Control&) { btnCloseClick(); };

  SetUpBand(pnlTop, kTopAreaTop, kTopAreaHeight, theme::kTopArea);
  // A page's button bears its heading.
  SetUpNavigationButton(btnWelcome, 0, PageHeading(TMainPage::kWelcome));
  SetUpNavigationButton(btnTestCPU, 1, PageHeading(TMainPage::kTestCPU));
  SetUpNavigationButton(btnCPUDetails, 2, PageHeading(TMainPage::kCPUDetails));
  SetUpNavigationButton(btnGetRanking, 3, PageHeading(TMainPage::kRank));
  SetUpNavigationButton(btnAbout, 4, PageHeading(TMainPage::kAbout));
  SetUpNavigationButton(btnOnline, 5, "Tachora Online");
  SetUpNavigationButton(btnExit1, 6, "Exit");
  btnTestCPU.SetFont(theme::Arial(12, theme::kYellow, true));
  btnExit1.SetGlowColor(theme::kLime);
  btnWelcome.OnClick = [this](gui::Control&) { btnWelcomeClick(); };
  btnTestCPU.OnClick = [this](gui::Control&) { btnTestCPUClick(); };
  btnCPUDetails.OnClick = [this](gui::Control&) { btnCPUDetailsClick(); };
  btnGetRanking.OnClick = [this](gui::Control&) { btnGetRankingClick(); };
  btnAbout.OnClick = [this](gui::Control&) { btnAboutClick(); };
  btnOnline.OnClick = [this](gui::Control&) { btnOnlineClick(); };
  btnExit1.OnClick = [this](gui::Control&) { btnExitClick(); };

  SetUpBand(pnlHeading, kHeadingTop, kHeadingHeight, theme::kBar);
  lblCurrentTab.SetFont(theme::Tahoma(13, theme::kSilver));
  lblCurrentTab.SetCaption(std::string(PageHeading(TMainPage::kWelcome)));
  lblCurrentTab.SetBounds(10, 3, 300, 16);

  SetUpBand(pnlPageArea, kPageAreaTop, kPageAreaHeight, theme::kBlack);
  pnlPageArea.SetBorder(4, theme::kBlack);
  pgControlMain.SetBounds(kPageRect.left, kPageRect.top - kPageAreaTop, kPageRect.Width(),
                          kPageRect.Height());
  tabFadeOut.SetColor(theme::kBlack);
  transFadeOut.SetBounds(pgControlMain.ClientRect());
  transFadeOut.SetStyle(controls::kFadeStyle);
  transFadeOut.SetStep(8);
  transFadeOut.SetDelay(25);
  transFadeOut.SetColor(theme::kBlack);
  transFadeOut.OnComplete = [this](controls::TCustomPictureTransition&) { transFadeOutComplete(); };
  gui::Bitmap blank(kPageRect.Width(), kPageRect.Height());
  blank.Fill(theme::kBlack);
  imgBlankBackground.Picture().Assign(std::move(blank));
  imgBlankBackground.SetBounds(pgControlMain.ClientRect());
  imgBlankBackground.Hide();

  SetUpBand(pnlBottom, kBottomBarTop, kBottomBarHeight, theme::kBar);
  lblCopyright.SetFont(theme::Tahoma(11, theme::kWhite, false, true));
  lblCopyright.SetCaption(std::string(kMakerCopyright));
  lblCopyright.SetLeft(10);
  lblCopyright.SetTop(4);
  lblCopyright.SetLink(true);
  lblCopyright.OnClick = [this](gui::Control&) { lblCopyrightClick(); };

  for (size_t i = 0; i < pages_.size(); ++i) pages_[i] = pages[i](*this);
  pgControlMain.SetActivePage(&Page(TMainPage::kWelcome).Sheet());

  OnClose = [this](gui::Window&) { FormClose(); };
}

TfmMain::~TfmMain() = default;

void TfmMain::SetUpNavigationButton(widgets::GlowButton& button, int index,
                                    std::string_view caption) {
  button.SetCaption(std::string(caption));
  button.SetFont(theme::Arial(11, theme::kSilver));
  button.SetBounds(kButtonLeft, kButtonTop + index * kButtonPitch, kButtonWidth, kButtonHeight);
  button.SetCursor(gui::Cursor::Hand);
}

void TfmMain::FormCreate() {
  // TestRunning cleared, pnlMap to top 312 and hidden, lblVersion's caption.
  for (const auto& page : pages_) page->FormCreate();
  SetBounds(Left(), Top(), kClientWidth, kClientHeight);
  pnlPageArea.SetHeight(kPageAreaHeight);
  Center();
  top_area.lblVersionMain.SetCaption(std::string(kVersionCaption));
  // The page control has no tab strip: only the program changes pages.
  CurrentPage = TMainPage::kWelcome;
  pgControlMain.SetActivePage(&Page(TMainPage::kWelcome).Sheet());
  gui::Application::Current().ProcessMessages();
  MachineIdentity = services_.machineIdentity ? services_.machineIdentity() : std::string();
  gui::Application::Current().PostMessage(*this, speedtest::UM_GETSPEED);
}

void TfmMain::HandleMessage(const gui::Message& message) {
  if (message.msg == speedtest::UM_GETSPEED) {
    umGetSpeed();
    return;
  }
  gui::Window::HandleMessage(message);
}

void TfmMain::umGetSpeed() {
  if (services_.measureClock) {
    state_.MeasuredMhz = speedtest::WholeMhz(services_.measureClock());
  }
}

void TfmMain::ShowPage(TMainPage page) {
  CurrentPage = page;
  TransitionToPage();
}

void TfmMain::OpenInBrowser(const std::string& address) {
  if (services_.openInBrowser) services_.openInBrowser(address);
}

void TfmMain::btnWelcomeClick() {
  if (CurrentPage == TMainPage::kWelcome) return;
  ShowPage(TMainPage::kWelcome);
}

void TfmMain::btnTestCPUClick() {
  if (CurrentPage == TMainPage::kTestCPU) {
    // A new run at once, without a transition.
    Page(TMainPage::kTestCPU).Reset();
    Page(TMainPage::kTestCPU).Enter();
    return;
  }
  ShowPage(TMainPage::kTestCPU);
}

void TfmMain::btnCPUDetailsClick() {
  ShowPage(TMainPage::kCPUDetails);
}

void TfmMain::btnGetRankingClick() {
  ShowPage(TMainPage::kRank);
}

void TfmMain::btnAboutClick() {
  ShowPage(TMainPage::kAbout);
}

void TfmMain::btnOnlineClick() {
  OpenInBrowser(online::ProductAddress(online::kHomePath));
}

void TfmMain::btnExitClick() {
  Close();
}

void TfmMain::btnCloseClick() {
  Close();
}

void TfmMain::lblTestAgainClick() {
  Page(TMainPage::kTestCPU).Reset();
  btnTestCPUClick();
}

void TfmMain::lblCopyrightClick() {
  OpenInBrowser(online::MakerAddress());
}

void TfmMain::TransitionToPage() {
  for (const auto& page : pages_) page->PageSwitchStarting();
  CaptureWindowArea(kPageRect.left, kPageRect.top, kPageRect.Width(), kPageRect.Height());
  pgControlMain.SetActivePage(&tabFadeOut);
  Update();
  // Returns at once; a transition already running goes on and ends on CurrentPage.
  transFadeOut.Execute();
}

void TfmMain::CaptureWindowArea(int x, int y, int width, int height) {
  Update();
  gui::Bitmap picture = CaptureArea(gui::Rect::XYWH(x, y, width, height));
  transFadeOut.Clear();
  transFadeOut.SetPicture(imgBlankBackground.Picture());
  transFadeOut.BgPicture().Assign(std::move(picture));
}

void TfmMain::transFadeOutComplete() {
  for (const auto& page : pages_) page->TransitionCompleted();
  lblCurrentTab.SetCaption(std::string(PageHeading(CurrentPage)));
  pgControlMain.SetActivePage(&Page(CurrentPage).Sheet());
  Page(CurrentPage).Enter();
}

void TfmMain::ShowResultDialog(const std::string& mhzText) {
  // A run still on the stack when the window closes or the program ends opens nothing.
  if (closing_ || gui::Application::Current().Terminated()) return;
  if (!speed_result) speed_result = std::make_unique<TfmSpeedResult>(services_, state_, this);
  speed_result->ledMhz.SetValue(mhzText);
  speed_result->ShowModal();
}

void TfmMain::FormClose() {
  closing_ = true;
  for (const auto& page : pages_) page->Closing();
  if (!state_.scoreSubmitted) OpenInBrowser(online::ClosingRankingsAddress());
  Hide();
  TfmPromo promo(services_, this);
  promo.ShowModal();
}

}  // namespace ui
