#include "ui/Promo.h"

#include <string>

#include "assets/Assets.h"
#include "ui/Placement.h"
#include "ui/ProductTexts.h"
#include "ui/Theme.h"

namespace ui {
TfmPromo::TfmPromo(const MainServices& services, gui::Window* owner)
    : gui::Window(owner),
      caption_bar(this, kClientWidth),
      pnlMain(this),
      lblTested(&pnlMain),
      lblWhyNot(&pnlMain),
      imgPromo(&pnlMain),
      imgPromoIcon(&pnlMain),
      lblProductName(&pnlMain),
      lblProductTagline(&pnlMain),
      lblFreeDownload(&pnlMain),
      lblVisitWeb(&pnlMain),
      btnClose(&pnlMain, "Close"),
      keys(*this, {&btnClose}, btnClose, [this] { btnCloseClick(); }),
      services_(services) {
  SetCaption(std::string(kPromotedProductName));
  SetBackgroundColor(theme::kTopArea);
  SetTopmost(true);
  SetBounds(0, 0, kClientWidth, kClientHeight);
  Center();

  FrameDialogPanel(pnlMain, kClientWidth, kClientHeight);

  Place(lblTested, {24, 18}, "Now you've tested your CPU speed...",
        theme::Arial(21, theme::kWhite, true));
  Place(lblWhyNot, {24, 46}, "Why not test your internet speed?",
        theme::Arial(21, theme::kWhite, true));

  imgPromo.SetBounds(24, 92, 300, 230);
  imgPromo.SetTransparent(true);
  LoadAsset(imgPromo.Picture(), assets::Promo());

  imgPromoIcon.SetBounds(352, 100, 48, 48);
  imgPromoIcon.SetTransparent(true);
  LoadAsset(imgPromoIcon.Picture(), assets::PromoIcon());
  Place(lblProductName, {410, 98}, std::string(kPromotedProductName),
        theme::Arial(28, theme::kWhite, true));
  Place(lblProductTagline, {412, 132}, std::string(kPromotedProductTagline),
        theme::Arial(16, theme::kSilver, true));
  Place(lblFreeDownload, {352, 180}, "FREE Download", theme::Arial(21, theme::kRed, true));
  Place(lblVisitWeb, {352, 216}, "Visit the Linkora web site",
        theme::Tahoma(12, theme::kWhite, false, true));
  lblVisitWeb.SetLink(true);
  lblVisitWeb.OnClick = [this](gui::Control&) { lblVisitWebClick(); };

  btnClose.SetFont(theme::Tahoma(16, theme::kBlack));
  btnClose.SetBounds(kClientWidth - 24 - 120, kClientHeight - CaptionBar::kHeight - 24 - 41, 120,
                     41);
  btnClose.SetCursor(gui::Cursor::Hand);
  btnClose.OnClick = [this](gui::Control&) { btnCloseClick(); };
}

void TfmPromo::lblVisitWebClick() {
  if (services_.openInBrowser) services_.openInBrowser(std::string(kPromotedProductSite));
}

void TfmPromo::btnCloseClick() {
  SetModalResult(gui::kModalOk);
}

}  // namespace ui
