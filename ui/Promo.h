// The promotion dialog TfmPromo, shown once as the program closes: the maker's internet
// speed test, a link to its web site and "Close".
#pragma once

#include "gui/Window.h"
#include "ui/CaptionBar.h"
#include "ui/MainServices.h"
#include "widgets/Image.h"
#include "widgets/Label.h"
#include "widgets/Panel.h"
#include "widgets/PushButton.h"

namespace ui {

class TfmPromo : public gui::Window {
 public:
  static constexpr int kClientWidth = 637;
  static constexpr int kClientHeight = 458;

  explicit TfmPromo(const MainServices& services);

  void lblVisitWebClick();
  void btnCloseClick();

  CaptionBar caption_bar;
  widgets::Panel pnlMain;
  widgets::Label lblTested;
  widgets::Label lblWhyNot;
  widgets::Image imgPromo;
  widgets::Image imgPromoIcon;
  widgets::Label lblProductName;
  widgets::Label lblProductTagline;
  widgets::Label lblFreeDownload;
  widgets::Label lblVisitWeb;
  widgets::PushButton btnClose;

 private:
  const MainServices& services_;
};

}  // namespace ui
