#include "ui/CaptionBar.h"

#include "assets/Assets.h"

namespace ui {

void LoadAsset(gui::Picture& picture, const assets::Asset& asset) {
  picture.LoadFromMemory({asset.data, asset.size});
}

CaptionBar::CaptionBar(gui::Control* parent, int width)
    : imgCaptionLeft(parent), imgCaptionCentre(parent), imgCaptionRight(parent) {
  LoadAsset(imgCaptionLeft.Picture(), assets::CaptionLeft());
  LoadAsset(imgCaptionCentre.Picture(), assets::CaptionCentre());
  LoadAsset(imgCaptionRight.Picture(), assets::CaptionRight());
  imgCaptionLeft.SetBounds(0, 0, kLeftWidth, kHeight);
  imgCaptionCentre.SetStretch(true);
  imgCaptionCentre.SetBounds(kLeftWidth, 0, width - kLeftWidth - kRightWidth, kHeight);
  imgCaptionRight.SetBounds(width - kRightWidth, 0, kRightWidth, kHeight);
}

void CaptionBar::MakeDragHandle() {
  imgCaptionCentre.SetDragHandle(true);
  imgCaptionCentre.SetCursor(gui::Cursor::Hand);
}

}  // namespace ui
