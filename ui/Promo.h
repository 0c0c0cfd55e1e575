// The promotion dialog TfmPromo, shown once as the program closes: the maker's internet
// speed test, a link to its web site and "Close" (also Return and Escape).
#pragma once

#include "gui/Window.h"
#include "ui/CaptionBar.h"
#include "ui/DialogButton.h"
#include "ui/DialogKeys.h"
#include "ui/MainServices.h"
#include "widgets/Image.h"
#include "widgets/Label.h"
#include "widgets/Panel.h"

namespace ui {

class TfmPromo : public gui::Window {
 public:
  static constexpr int kClientWidth = 637;
  static constexpr int kClientHeight = 458;

  // The owner is the main window.
  explicit TfmPromo(const MainServices& services, gui::Window* owner = nullptr);

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
  DialogButton btnClose;
  DialogKeys keys;

 private:
  const MainServices& services_;
};

}  // namespace ui
