#include "controls/PictureTransition.h"

#include <algorithm>

#include "controls/TransitionStyles.h"
#include "gui/Canvas.h"
#include "gui/Palette.h"

namespace controls {

using gui::Bitmap;
using gui::Canvas;
using gui::Rect;

namespace {

constexpr int kDefaultSize = 100;

}  // namespace

TCustomPictureTransition::TCustomPictureTransition(gui::Control* parent)
    : gui::Control(parent),
      FColor(gui::palette::kSystemWindow),  // a new control's colour
      FFrameColor(gui::palette::kSystemActiveBorder) {
  SetOpaque(true);
  SetBounds(0, 0, kDefaultSize, kDefaultSize);
  FPictureToken = FPicture.Subscribe([this] { PictureChanged(); });
  FBgPictureToken = FBgPicture.Subscribe([this] { BgPictureChanged(); });
}

TCustomPictureTransition::~TCustomPictureTransition() {
  FDestroying = true;
  *FAlive = false;
  Stop();
  StopTimer();
  FPicture.Unsubscribe(FPictureToken);
  FBgPicture.Unsubscribe(FBgPictureToken);
}

// ---- properties ------------------------------------------------------------------------

void TCustomPictureTransition::SetBgMode(TBackgroundMode mode) {
  if (mode == FBgMode) return;
  FBgMode = mode;
  if (FBgPicture.Empty()) return;
  {
    std::lock_guard lock(FLock);
    if (FFromBackground && !FOldImage.Empty()) CaptureBackgroundLocked();
  }
  Invalidate();
}

void TCustomPictureTransition::SetColor(gui::Color color) {
  if (color == FColor) return;
  FColor = color;
  {
    std::lock_guard lock(FLock);
    if (FFromBackground && !FOldImage.Empty()) CaptureBackgroundLocked();
  }
  Invalidate();
}

void TCustomPictureTransition::SetFrameColor(gui::Color color) {
  if (color == FFrameColor) return;
  FFrameColor = color;
  if (FFrameWidth != 0 && FrameShown()) Invalidate();
}

void TCustomPictureTransition::SetFrameWidth(int32_t width) {
  width = std::max<int32_t>(width, 0);  // a negative frame would push the picture outside
  if (width == FFrameWidth) return;
  FFrameWidth = width;
  if (FAutoSize) AdjustSize();
  if (!FrameShown()) return;
  {
    std::lock_guard lock(FLock);
    CalcDisplayRectLocked();
  }
  Invalidate();
}

void TCustomPictureTransition::SetCenter(bool center) {
  if (center == FCenter) return;
  FCenter = center;
  {
    std::lock_guard lock(FLock);
    CalcDisplayRectLocked();
  }
  if (FrameShown()) Invalidate();
}

void TCustomPictureTransition::SetStretch(bool stretch) {
  if (stretch == FStretch) return;
  FStretch = stretch;
  {
    std::lock_guard lock(FLock);
    CalcDisplayRectLocked();
  }
  if (FrameShown()) Invalidate();
}

void TCustomPictureTransition::SetProportional(bool proportional) {
  if (proportional == FProportional) return;
  FProportional = proportional;
  {
    std::lock_guard lock(FLock);
    CalcDisplayRectLocked();
  }
  if (FrameShown()) Invalidate();
}

void TCustomPictureTransition::SetManual(bool manual) {
  if (manual == FManual) return;
  FManual = manual;
  StopTimer();
  if (!FBusy) {
    FProgress = FReverse ? 100 : 0;
  } else if (!manual) {
    Animate();
  }
}

void TCustomPictureTransition::SetAutoSize(bool autoSize) {
  if (autoSize == FAutoSize) return;
  FAutoSize = autoSize;
  AdjustSize();
}

void TCustomPictureTransition::SetStyle(TShowStyle style) {
  if (style == FStyle || style > kStyleCount) return;
  Rect recomposed;
  {
    std::lock_guard lock(FLock);
    FStyle = style;
    if (FManual && FBusy && !FStopping) {
      UpdateFrameLocked();
      recomposed = FDisplayRect;
    }
  }
  if (!recomposed.Empty()) Invalidate(recomposed);
}

std::string_view TCustomPictureTransition::StyleName() const {
  return TransitionStyleName(FStyle);
}

void TCustomPictureTransition::SetStyleName(std::string_view name) {
  const int style = FindTransitionStyle(name);
  if (style >= 0) SetStyle(TShowStyle(style));
}

void TCustomPictureTransition::SetStep(uint16_t step) {
  if (step == 0) {
    step = 1;
  } else if (step > 100) {
    step = 99;
  }
  FStep = step;
}

void TCustomPictureTransition::SetProgress(uint8_t progress) {
  // Only the application moves a manual transition; an automatic one belongs to its timer.
  if (!FManual) return;
  SetProgressValue(std::min<int>(progress, 100), false);
}

Bitmap TCustomPictureTransition::ScreenCopy() const {
  std::lock_guard lock(FLock);
  return FScreen;
}

Rect TCustomPictureTransition::DisplayRect() const {
  std::lock_guard lock(FLock);
  return FDisplayRect;
}

bool TCustomPictureTransition::FrameShown() const {
  std::lock_guard lock(FLock);
  return !FScreen.Empty();
}

void TCustomPictureTransition::PictureChanged() {
  if (FDestroying) return;
  AdjustSize();
  DoChange();
}

void TCustomPictureTransition::BgPictureChanged() {
  if (FBgMode == TBackgroundMode::bmNone) return;
  {
    std::lock_guard lock(FLock);
    if (FFromBackground && !FOldImage.Empty()) CaptureBackgroundLocked();
  }
  Invalidate();
}

void TCustomPictureTransition::AdjustSize() {
  if (!FAutoSize || FPicture.Empty()) return;
  SetBounds(Left(), Top(), FPicture.Width() + 2 * FFrameWidth, FPicture.Height() + 2 * FFrameWidth);
}

void TCustomPictureTransition::BoundsChanged(const Rect& oldBounds) {
  if (oldBounds.Width() == Width() && oldBounds.Height() == Height()) return;
  bool shown = false;
  {
    std::lock_guard lock(FLock);
    CalcDisplayRectLocked();
    shown = !FScreen.Empty();
  }
  if (shown) Invalidate();
}

// ---- geometry and background -------------------------------------------------------------

void TCustomPictureTransition::CalcDisplayRectLocked() {
  const int cw = Width() - 2 * FFrameWidth;
  const int ch = Height() - 2 * FFrameWidth;
  int w = FPictureRect.Width();
  int h = FPictureRect.Height();
  if (FProportional && w > 0 && h > 0 && (FStretch || cw < w || ch < h)) {
    if (double(ch) / h > double(cw) / w) {
      h = MulDiv(h, cw, w);
      w = cw;
    } else {
      w = MulDiv(w, ch, h);
      h = ch;
    }
  } else if (FStretch) {
    w = cw;
    h = ch;
  }
  const int dx = FFrameWidth + (FCenter ? (cw - w) / 2 : 0);
  const int dy = FFrameWidth + (FCenter ? (ch - h) / 2 : 0);
  FDisplayRect = Rect::XYWH(dx, dy, w, h);
  if (FFromBackground && !FOldImage.Empty()) CaptureBackgroundLocked();
}

void TCustomPictureTransition::CaptureBackgroundLocked() {
  // The part of the background that lies under the display rectangle, brought to the
  // picture's own size.
  const Rect display = FDisplayRect;
  if (display.Empty()) {
    FOldImage.Fill(gui::SystemColor(FColor));
  } else {
    Bitmap under(display.Width(), display.Height());
    Canvas canvas(under);
    canvas.Translate(-display.left, -display.top);
    DrawBackground(canvas, ClientRect());
    Canvas(FOldImage).StretchDraw(FPictureRect, under);
  }
  if (FManual && FBusy) UpdateFrameLocked();
}

void TCustomPictureTransition::DrawBackground(Canvas& canvas, const Rect& rect) {
  if (rect.Intersect(canvas.ClipRect()).Empty()) return;
  const Bitmap& image = FBgPicture.Image();
  const TBackgroundMode mode = FBgPicture.Empty() ? TBackgroundMode::bmNone : FBgMode;
  switch (mode) {
    case TBackgroundMode::bmTiled:
      canvas.DrawTiled(rect, image);  // only the tiles inside the clip are drawn
      return;
    case TBackgroundMode::bmStretched:
      canvas.StretchDraw(rect, image);
      return;
    case TBackgroundMode::bmCentered:
      canvas.FillRect(rect, FColor);
      canvas.Save();
      canvas.ClipTo(rect);
      FBgPicture.DrawOn(canvas, {rect.left + (rect.Width() - image.Width()) / 2,
                                 rect.top + (rect.Height() - image.Height()) / 2});
      canvas.Restore();
      return;
    case TBackgroundMode::bmNone:
      break;
  }
  canvas.FillRect(rect, FColor);
}

// ---- painting ----------------------------------------------------------------------------

void TCustomPictureTransition::Paint(Canvas& canvas) {
  {
    // A repaint inside the picture, as every step asks for, is one stretched copy.
    std::lock_guard lock(FLock);
    if (!FScreen.Empty() && FDisplayRect.Contains(canvas.ClipRect())) {
      canvas.StretchDraw(FDisplayRect, FScreen, FPictureRect);
      return;
    }
  }
  PaintFrame(canvas);
}

void TCustomPictureTransition::PaintFrame(Canvas& canvas) {
  std::unique_lock lock(FLock);
  if (FScreen.Empty()) {
    lock.unlock();
    DrawBackground(canvas, ClientRect());
    return;
  }
  const Rect display = FDisplayRect;
  if (!display.Intersect(canvas.ClipRect()).Empty()) {
    canvas.StretchDraw(display, FScreen, FPictureRect);
  }
  lock.unlock();
  const Rect framed = display.Inflate(FFrameWidth);
  if (FFrameWidth > 0) canvas.FrameRect(framed, FFrameColor, FFrameWidth);
  canvas.Save();
  canvas.ExcludeClip(framed);
  DrawBackground(canvas, ClientRect());
  canvas.Restore();
}

// ---- events ------------------------------------------------------------------------------

void TCustomPictureTransition::DoChange() {
  if (OnChange) OnChange(*this);
}

void TCustomPictureTransition::DoProgress() {
  if (OnProgress) OnProgress(*this);
}

void TCustomPictureTransition::DoCustomDraw(Bitmap& picture, Bitmap& screen) {
  if (OnCustomDraw) OnCustomDraw(*this, picture, screen);
}

void TCustomPictureTransition::DoBeforeNewFrame(Bitmap& picture, Bitmap& screen) {
  if (OnBeforeNewFrame) OnBeforeNewFrame(*this, picture, screen);
}

void TCustomPictureTransition::DoAfterNewFrame(Bitmap& picture, Bitmap& screen) {
  if (OnAfterNewFrame) OnAfterNewFrame(*this, picture, screen);
}

void TCustomPictureTransition::DoComplete() {
  if (OnComplete) OnComplete(*this);
}

void TCustomPictureTransition::DoStart(Bitmap& picture, Bitmap& screen) {
  if (OnStart) OnStart(*this, picture, screen);
}

void TCustomPictureTransition::DoStop() {
  if (OnStop) OnStop(*this);
}

}  // namespace controls
