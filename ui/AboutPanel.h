// The about page's text panel (pnlAbout): the program's name as a banner, its version,
// the maker's line, the small print, the reviewers' and web site links, the badge with
// its lines and the flag with the link beside it. Every link opens its address in
// the browser through the host.
#pragma once

#include <string>

#include "ui/MainHost.h"
#include "widgets/GlowButton.h"
#include "widgets/Image.h"
#include "widgets/Label.h"
#include "widgets/Panel.h"

namespace ui {

class AboutPanel : public widgets::Panel {
 public:
  // At (156, 3) of the page, 469 x 208, black; hidden until the mascot has settled.
  static constexpr gui::Rect kBounds = gui::Rect::XYWH(156, 3, 469, 208);
  // The programming-tool badge's "v" value on the contact page.
  static constexpr const char* kToolBadgePath = "/contact.php?v=cppbadge";

  AboutPanel(gui::Control* page, MainHost& host);

  widgets::GlowButton lblAboutNameWhite;  // "Tacho"
  widgets::GlowButton lblAboutNameRed;    // "ra"
  widgets::Label lblVersion;
  widgets::Label lblAboutCopyright;  // the maker's line, with the referral query
  widgets::Label lblSmallPrint;
  widgets::Label lblNotCredited;
  widgets::Label lblNoCredit;
  widgets::Label lblReviewersCaption;
  widgets::Label lblReviewers;
  widgets::Label lblAboutLine;  // "Test the REAL speed of your CPU"
  widgets::Label lblVisitWeb;
  widgets::Image imgBadge;
  widgets::Label lblGuaranteed;
  widgets::Label lblSecure;
  widgets::Label lblNoSpyware;
  widgets::Label lblToolBadge;
  widgets::Image imgFlag;
  widgets::Label lblDizizarIdivavaz;

 private:
  // Makes a label a link to an address.
  void Link(widgets::Label& label, std::string address);

  MainHost& host_;
};

}  // namespace ui
