#include "ui/AboutPage.h"

#include <algorithm>
#include <memory>
#include <random>
#include <string>
#include <utility>

#include "assets/Assets.h"
#include "controls/TransitionStyles.h"
#include "online/WebAddresses.h"
#include "ui/CaptionBar.h"
#include "ui/ProductTexts.h"
#include "ui/Theme.h"

namespace ui {
namespace {

constexpr gui::Rect kMascotRect = gui::Rect::XYWH(244, -2, 136, 168);
constexpr uint32_t kAboutInterval = 1000;
constexpr uint32_t kMoveInterval = 20;
// The eye changes: a whole number of seconds from 0 to 19, raised to at least 8.
constexpr int kEyeSecondsRange = 20;
constexpr int kEyeSecondsMinimum = 8;

AboutPage::RandomBelow SystemRandom() {
  auto engine = std::make_shared<std::mt19937>(std::random_device{}());
  return [engine](int range) { return std::uniform_int_distribution<int>(0, range - 1)(*engine); };
}

}  // namespace

AboutPage::AboutPage(MainHost& host)
    : MainWindowPage(host),
      imgMascotGreen(&Sheet()),
      imgMascotRed(&Sheet()),
      pnlAbout(&Sheet(), host),
      transMascot(&Sheet()),
      lblMascot(&Sheet()),
      random(SystemRandom()) {
  // The two eye states are only held here; the control shows them.
  imgMascotGreen.SetBounds(495, 15, 136, 168);
  LoadAsset(imgMascotGreen.Picture(), assets::BexoGreen());
  imgMascotGreen.Hide();
  imgMascotRed.SetBounds(504, 79, 136, 168);
  LoadAsset(imgMascotRed.Picture(), assets::BexoRed());
  imgMascotRed.Hide();

  transMascot.SetBounds(kMascotRect);
  transMascot.SetAutoSize(true);
  transMascot.SetStyle(controls::kFadeStyle);
  transMascot.SetStep(8);
  transMascot.SetDelay(25);
  // The first fade starts from the page's own black.
  transMascot.SetColor(theme::kBlack);
  transMascot.OnComplete = [this](controls::TCustomPictureTransition&) { transMascotComplete(); };
  transMascot.OnClick = [this](gui::Control&) { transMascotClick(); };
  transMascot.OnMouseEnter = [this](gui::Control&) { transMascot.SetCursor(gui::Cursor::Hand); };
  transMascot.OnMouseLeave = [this](gui::Control&) { transMascot.SetCursor(gui::Cursor::Arrow); };

  lblMascot.SetFont(theme::Tahoma(11, theme::kWhite, false, true));
  lblMascot.SetCaption("I Am Bexo");
  lblMascot.SetLeft(60);
  lblMascot.SetTop(178);
  lblMascot.Hide();
  lblMascot.OnClick = [this](gui::Control&) { lblMascotClick(); };
  lblMascot.OnMouseEnter = [this](gui::Control&) { lblMascot.SetCursor(gui::Cursor::Hand); };
  lblMascot.OnMouseLeave = [this](gui::Control&) { lblMascot.SetCursor(gui::Cursor::Arrow); };

  tmrAbout.SetEnabled(false);
  tmrAbout.SetInterval(kAboutInterval);
  tmrAbout.SetOnTimer([this](gui::Timer&) { tmrAboutTimer(); });
  tmrMascotMove.SetEnabled(false);
  tmrMascotMove.SetInterval(kMoveInterval);
  tmrMascotMove.SetOnTimer([this](gui::Timer&) { tmrMascotMoveTimer(); });
  tmrMascotEyes.SetEnabled(false);
  tmrMascotEyes.SetInterval(kFirstEyesInterval);
  tmrMascotEyes.SetOnTimer([this](gui::Timer&) { tmrMascotEyesTimer(); });
}

void AboutPage::FormCreate() {
  pnlAbout.lblVersion.SetCaption(std::string(kVersionCaption));
}

void AboutPage::StartAboutPage() {
  AboutIntro = true;
  transMascot.SetLeft(kMascotStartLeft);
  pnlAbout.Hide();
  lblMascot.Hide();
  MascotSettled = false;
  transMascot.Clear();
  transMascot.SetPicture(imgMascotRed.Picture());
  tmrAbout.SetEnabled(true);
}

void AboutPage::tmrAboutTimer() {
  if (AboutIntro) {
    // A fade still running ignores this.
    transMascot.Execute();
    return;
  }
  tmrAbout.SetEnabled(false);
  transMascot.SetPicture(imgMascotGreen.Picture());
  transMascot.Execute();
}

void AboutPage::transMascotComplete() {
  if (MascotSettled) return;
  if (AboutIntro) {
    AboutIntro = false;
    // Still enabled: the running interval goes on, so the green fade comes at 2 s.
    tmrAbout.SetEnabled(true);
    return;
  }
  tmrMascotMove.SetEnabled(true);
}

void AboutPage::tmrMascotMoveTimer() {
  if (transMascot.Left() >= kMascotLastMoveFrom) {
    transMascot.SetLeft(transMascot.Left() - kMascotMoveStep);
    return;
  }
  tmrMascotMove.SetEnabled(false);
  pnlAbout.Show();
  lblMascot.Show();
  MascotEyesGreen = true;
  MascotSettled = true;
  tmrMascotEyes.SetEnabled(true);
}

void AboutPage::tmrMascotEyesTimer() {
  const int seconds = std::max(random(kEyeSecondsRange), kEyeSecondsMinimum);
  tmrMascotEyes.SetInterval(static_cast<uint32_t>(seconds) * 1000);
  MascotEyesGreen = !MascotEyesGreen;
  transMascot.SetPicture(MascotEyesGreen ? imgMascotGreen.Picture() : imgMascotRed.Picture());
  transMascot.Execute();
}

void AboutPage::transMascotClick() {
  Host().OpenInBrowser(online::ProductAddress(online::kMascotPath));
}

void AboutPage::lblMascotClick() {
  Host().OpenInBrowser(online::ProductAddress(online::kMascotPath));
}

}  // namespace ui
