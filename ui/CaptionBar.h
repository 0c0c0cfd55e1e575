// The caption bar of the main window and the two dialogs: a left cap, a centre piece
// stretched over the rest (imgCaptionCentre) and a right cap, 21 pixels high.
#pragma once

#include "assets/Assets.h"
#include "widgets/Image.h"

namespace ui {

class CaptionBar {
 public:
  static constexpr int kHeight = 21;
  static constexpr int kLeftWidth = 6;
  static constexpr int kRightWidth = 25;

  // Across the top of parent, width pixels wide.
  CaptionBar(gui::Control* parent, int width);

  // Makes the centre piece the window's drag handle, with the hand cursor.
  void MakeDragHandle();

  widgets::Image imgCaptionLeft;
  widgets::Image imgCaptionCentre;
  widgets::Image imgCaptionRight;
};

// Loads one of the compiled-in pictures into a picture container.
void LoadAsset(gui::Picture& picture, const assets::Asset& asset);

}  // namespace ui
