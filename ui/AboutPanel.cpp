#include "ui/AboutPanel.h"

#include <utility>

#include "assets/Assets.h"
#include "online/WebAddresses.h"
#include "ui/CaptionBar.h"
#include "ui/Placement.h"
#include "ui/ProductTexts.h"
#include "ui/Theme.h"

namespace ui {
namespace {

constexpr const char* kSmallPrint =
    "Tachora is freeware: you may copy it and pass it on, as long as it stays unchanged "
    "and nobody is charged for it. It reads your processor and measures the speed it "
    "really runs at; nothing leaves your computer unless you submit a score.";

gui::Font LinkFont() {
  return theme::Tahoma(11, theme::kWhite, false, true);
}

// A part of the banner: a styled button used as a label, its text starting at textLeft.
// Returns where the text ends.
int PlaceBanner(widgets::GlowButton& part, int textLeft, std::string_view text, gui::Color color) {
  // A left-aligned button keeps its caption this far from its edge.
  constexpr int kCaptionPad = 4;
  const gui::Font font = theme::Arial(24, color, true);
  widgets::Label measure(nullptr, std::string(text));
  measure.SetFont(font);
  part.SetLabelOnly(true);
  part.SetAlignment(gui::TextAlign::Left);
  part.SetFont(font);
  part.SetCaption(std::string(text));
  part.SetCornerRadius(0);
  const int width = measure.TextWidth();
  part.SetBounds(textLeft - kCaptionPad, 2, width + 2 * kCaptionPad, 30);
  return textLeft + width;
}

}  // namespace

AboutPanel::AboutPanel(gui::Control* page, MainHost& host)
    : widgets::Panel(page),
      lblAboutNameWhite(this),
      lblAboutNameRed(this),
      lblVersion(this),
      lblAboutCopyright(this),
      lblSmallPrint(this),
      lblNotCredited(this),
      lblNoCredit(this),
      lblReviewersCaption(this),
      lblReviewers(this),
      lblAboutLine(this),
      lblVisitWeb(this),
      imgBadge(this),
      lblGuaranteed(this),
      lblSecure(this),
      lblNoSpyware(this),
      lblToolBadge(this),
      imgFlag(this),
      lblDizizarIdivavaz(this),
      host_(host) {
  SetBounds(kBounds);
  SetColor(theme::kBlack);

  const int whiteEnd = PlaceBanner(lblAboutNameWhite, 10, kNameWhitePart, theme::kWhite);
  const int bannerEnd = PlaceBanner(lblAboutNameRed, whiteEnd, kNameRedPart, theme::kRed);
  // The caption is the window's to set while it is created.
  Place(lblVersion, {bannerEnd + 8, 16}, "", theme::Tahoma(11, theme::kWhite));
  Place(lblAboutCopyright, {10, 36}, std::string(kMakerCopyright), LinkFont());
  Link(lblAboutCopyright, online::MakerReferralAddress());

  PlaceWrapped(lblSmallPrint, gui::Rect::XYWH(10, 56, 312, 52), kSmallPrint,
               theme::Tahoma(11, theme::kSilver));

  Place(lblNotCredited, {10, 112}, "Not credited?", theme::Tahoma(11, theme::kSilver));
  Place(lblNoCredit, {lblNotCredited.BoundsRect().right + 4, 112}, "click here", LinkFont());
  Link(lblNoCredit, online::ProductAddress(online::kContactNoCreditPath));
  Place(lblReviewersCaption, {10, 130}, "Reviewers, Magazines, Publishers",
        theme::Tahoma(11, theme::kRed, true));
  Place(lblReviewers, {lblReviewersCaption.BoundsRect().right + 4, 130}, "click here", LinkFont());
  Link(lblReviewers, online::ProductAddress(online::kReviewersPath));

  Place(lblAboutLine, {10, 156}, "Test the REAL speed of your CPU",
        theme::Arial(13, theme::kYellow, true));
  Place(lblVisitWeb, {10, 180}, "Visit the Quillon Tachora web site", LinkFont());
  Link(lblVisitWeb, online::ProductAddress(online::kHomePath));

  // The right-hand column: the badge and its lines, then the flag.
  constexpr int kColumn = 340;
  imgBadge.SetBounds(kColumn + 28, 4, 64, 64);
  LoadAsset(imgBadge.Picture(), assets::AboutBadge());
  Place(lblGuaranteed, {kColumn, 72}, "Guaranteed", theme::Tahoma(11, theme::kWhite, true));
  Place(lblSecure, {kColumn, 86}, "Secure Software", theme::Tahoma(11, theme::kWhite, true));
  Place(lblNoSpyware, {kColumn, 100}, "NO Spyware!", theme::Tahoma(11, theme::kRed, true));
  Place(lblToolBadge, {kColumn, 116}, "Made with C++", LinkFont());
  Link(lblToolBadge, online::ProductAddress(kToolBadgePath));

  imgFlag.SetBounds(kColumn + 36, 144, 48, 36);
  LoadAsset(imgFlag.Picture(), assets::AboutFlag());
  Place(lblDizizarIdivavaz, {kColumn + 14, 184}, "Dizizar Idivavaz", LinkFont());
  Link(lblDizizarIdivavaz, online::ProductAddress(online::kContactRederezoPath));

  Hide();
}

void AboutPanel::Link(widgets::Label& label, std::string address) {
  label.SetLink(true);
  label.OnClick = [this, address = std::move(address)](gui::Control&) {
    host_.OpenInBrowser(address);
  };
}

}  // namespace ui
