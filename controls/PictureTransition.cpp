#include "controls/PictureTransition.h"

#include <algorithm>
#include <cstring>
#include <thread>
#include <utility>

#include "controls/TransitionStyles.h"
#include "gui/Application.h"
#include "gui/Canvas.h"
#include "gui/Window.h"

namespace controls {

using gui::Bitmap;
using gui::Canvas;
using gui::Rect;

namespace {

constexpr gui::Color kWindowColor = 0xFF000005;   // a new control's colour
constexpr gui::Color kActiveBorder = 0xFF00000A;  // the system's active-border colour
constexpr int kDefaultSize = 100;

gui::Application* CurrentApplication() {
  return gui::Application::Exists() ? &gui::Application::Current() : nullptr;
}

// The three bitmaps of a transition share one size, so a copy is one block; a handler
// that resized one of them gets a plain assignment instead.
void CopyPixels(Bitmap& to, const Bitmap& from) {
  if (to.Width() != from.Width() || to.Height() != from.Height() ||
      to.PixelFormat() != from.PixelFormat()) {
    to = from;
    return;
  }
  std::memcpy(to.Data(), from.Data(), size_t(from.Stride()) * size_t(from.Height()));
}

}  // namespace

TCustomPictureTransition::TCustomPictureTransition(gui::Control* parent)
    : gui::Control(parent), color_(kWindowColor), frame_color_(kActiveBorder) {
  SetOpaque(true);
  SetBounds(0, 0, kDefaultSize, kDefaultSize);
  picture_token_ = picture_.Subscribe([this] { PictureChanged(); });
  bg_picture_token_ = bg_picture_.Subscribe([this] { BgPictureChanged(); });
}

TCustomPictureTransition::~TCustomPictureTransition() {
  destroying_ = true;
  *alive_ = false;
  Stop();
  StopTimer();
  picture_.Unsubscribe(picture_token_);
  bg_picture_.Unsubscribe(bg_picture_token_);
}

// ---- properties ------------------------------------------------------------------------

void TCustomPictureTransition::SetBgMode(TBackgroundMode mode) {
  if (mode == bg_mode_) return;
  bg_mode_ = mode;
  if (bg_picture_.Empty()) return;
  {
    std::lock_guard lock(FLock);
    if (FFromBackground && !FOldImage.Empty()) CaptureBackgroundLocked();
  }
  Invalidate();
}

void TCustomPictureTransition::SetColor(gui::Color color) {
  if (color == color_) return;
  color_ = color;
  {
    std::lock_guard lock(FLock);
    if (FFromBackground && !FOldImage.Empty()) CaptureBackgroundLocked();
  }
  Invalidate();
}

void TCustomPictureTransition::SetFrameColor(gui::Color color) {
  if (color == frame_color_) return;
  frame_color_ = color;
  if (frame_width_ != 0 && FrameShown()) Invalidate();
}

void TCustomPictureTransition::SetFrameWidth(int32_t width) {
  width = std::max<int32_t>(width, 0);  // a negative frame would push the picture outside
  if (width == frame_width_) return;
  frame_width_ = width;
  if (auto_size_) AdjustSize();
  if (!FrameShown()) return;
  {
    std::lock_guard lock(FLock);
    CalcDisplayRectLocked();
  }
  Invalidate();
}

void TCustomPictureTransition::SetCenter(bool center) {
  if (center == center_) return;
  center_ = center;
  {
    std::lock_guard lock(FLock);
    CalcDisplayRectLocked();
  }
  if (FrameShown()) Invalidate();
}

void TCustomPictureTransition::SetStretch(bool stretch) {
  if (stretch == stretch_) return;
  stretch_ = stretch;
  {
    std::lock_guard lock(FLock);
    CalcDisplayRectLocked();
  }
  if (FrameShown()) Invalidate();
}

void TCustomPictureTransition::SetProportional(bool proportional) {
  if (proportional == proportional_) return;
  proportional_ = proportional;
  {
    std::lock_guard lock(FLock);
    CalcDisplayRectLocked();
  }
  if (FrameShown()) Invalidate();
}

void TCustomPictureTransition::SetManual(bool manual) {
  if (manual == manual_) return;
  manual_ = manual;
  StopTimer();
  if (!busy_) {
    progress_ = reverse_ ? 100 : 0;
  } else if (!manual) {
    Animate();
  }
}

void TCustomPictureTransition::SetAutoSize(bool autoSize) {
  if (autoSize == auto_size_) return;
  auto_size_ = autoSize;
  AdjustSize();
}

void TCustomPictureTransition::SetStyle(TShowStyle style) {
  if (style == style_ || style > kStyleCount) return;
  Rect recomposed;
  {
    std::lock_guard lock(FLock);
    style_ = style;
    if (manual_ && busy_ && !FStopping) {
      UpdateFrameLocked();
      recomposed = FDisplayRect;
    }
  }
  if (!recomposed.Empty()) Invalidate(recomposed);
}

std::string_view TCustomPictureTransition::StyleName() const {
  return TransitionStyleName(style_);
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
  step_ = step;
}

void TCustomPictureTransition::SetProgress(uint8_t progress) {
  // Only the application moves a manual transition; an automatic one belongs to its timer.
  if (!manual_) return;
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
  if (destroying_) return;
  AdjustSize();
  DoChange();
}

void TCustomPictureTransition::BgPictureChanged() {
  if (bg_mode_ == TBackgroundMode::bmNone) return;
  {
    std::lock_guard lock(FLock);
    if (FFromBackground && !FOldImage.Empty()) CaptureBackgroundLocked();
  }
  Invalidate();
}

void TCustomPictureTransition::AdjustSize() {
  if (!auto_size_ || picture_.Empty()) return;
  SetBounds(Left(), Top(), picture_.Width() + 2 * frame_width_,
            picture_.Height() + 2 * frame_width_);
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
  const int cw = Width() - 2 * frame_width_;
  const int ch = Height() - 2 * frame_width_;
  int w = FPictureRect.Width();
  int h = FPictureRect.Height();
  if (proportional_ && w > 0 && h > 0 && (stretch_ || cw < w || ch < h)) {
    if (double(ch) / h > double(cw) / w) {
      h = MulDiv(h, cw, w);
      w = cw;
    } else {
      w = MulDiv(w, ch, h);
      h = ch;
    }
  } else if (stretch_) {
    w = cw;
    h = ch;
  }
  const int dx = frame_width_ + (center_ ? (cw - w) / 2 : 0);
  const int dy = frame_width_ + (center_ ? (ch - h) / 2 : 0);
  FDisplayRect = Rect::XYWH(dx, dy, w, h);
  if (FFromBackground && !FOldImage.Empty()) CaptureBackgroundLocked();
}

void TCustomPictureTransition::CaptureBackgroundLocked() {
  // The part of the background that lies under the display rectangle, brought to the
  // picture's own size.
  const Rect display = FDisplayRect;
  if (display.Empty()) {
    FOldImage.Fill(gui::SystemColor(color_));
  } else {
    Bitmap under(display.Width(), display.Height());
    Canvas canvas(under);
    canvas.Translate(-display.left, -display.top);
    DrawBackground(canvas, ClientRect());
    Canvas(FOldImage).StretchDraw(FPictureRect, under);
  }
  if (manual_ && busy_) UpdateFrameLocked();
}

void TCustomPictureTransition::DrawBackground(Canvas& canvas, const Rect& rect) {
  if (rect.Intersect(canvas.ClipRect()).Empty()) return;
  const Bitmap& image = bg_picture_.Image();
  const TBackgroundMode mode = bg_picture_.Empty() ? TBackgroundMode::bmNone : bg_mode_;
  switch (mode) {
    case TBackgroundMode::bmTiled:
      canvas.DrawTiled(rect, image);  // only the tiles inside the clip are drawn
      return;
    case TBackgroundMode::bmStretched:
      canvas.StretchDraw(rect, image);
      return;
    case TBackgroundMode::bmCentered:
      canvas.FillRect(rect, color_);
      canvas.Save();
      canvas.ClipTo(rect);
      bg_picture_.DrawOn(canvas, {rect.left + (rect.Width() - image.Width()) / 2,
                                  rect.top + (rect.Height() - image.Height()) / 2});
      canvas.Restore();
      return;
    case TBackgroundMode::bmNone:
      break;
  }
  canvas.FillRect(rect, color_);
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
  const Rect framed = display.Inflate(frame_width_);
  if (frame_width_ > 0) canvas.FrameRect(framed, frame_color_, frame_width_);
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

// ---- the transition ----------------------------------------------------------------------

void TCustomPictureTransition::Execute() {
  if (picture_.Empty() || busy_) return;
  busy_ = true;
  ++transition_serial_;
  timer_reached_end_ = false;
  try {
    const int w = picture_.Width();
    const int h = picture_.Height();
    Bitmap newImage(w, h);
    newImage.Fill(gui::SystemColor(color_));
    {
      Canvas canvas(newImage);
      picture_.DrawOn(canvas, {0, 0});
    }
    {
      std::lock_guard lock(FLock);
      FFromBackground =
          !over_draw_ || FScreen.Empty() || FScreen.Width() != w || FScreen.Height() != h;
      FOldImage = FFromBackground ? Bitmap(w, h) : FScreen;
      FNewImage = std::move(newImage);
      if (FScreen.Width() != w || FScreen.Height() != h) FScreen = Bitmap(w, h);
      FPictureRect = {0, 0, w, h};
      CalcDisplayRectLocked();  // captures the background when starting from it
      CopyPixels(FScreen, FOldImage);
      progress_ = reverse_ ? 100 : 0;
    }
    Invalidate();
    // The timer does not run yet, so the images are the GUI thread's alone here.
    DoStart(FNewImage, FOldImage);
    if (!manual_ && !FStopping) Animate();
  } catch (...) {
    StopTimer();
    {
      std::lock_guard lock(FLock);
      FNewImage = Bitmap();
      FOldImage = Bitmap();
    }
    busy_ = false;
    throw;
  }
}

void TCustomPictureTransition::Animate() {
  gui::Application* app = CurrentApplication();
  clock_ = app ? &app->Clock() : nullptr;
  FLastTick = clock_ ? clock_->TickCount() : 0;
  if (threaded_ && StartTimer()) return;

  // Without a periodic timer (not threaded, or none could be started) the steps run
  // here, with the messages processed between them.
  const std::shared_ptr<bool> alive = alive_;
  const uint32_t serial = transition_serial_;
  auto stillOurs = [&] { return *alive && busy_ && transition_serial_ == serial; };
  while (DoStep(false) && !manual_ && !FStopping) {
    if (!app) continue;
    const uint32_t start = clock_->TickCount();
    while (true) {
      app->ProcessMessages();
      if (!stillOurs()) return;  // stopped, restarted or destroyed from a handler
      if (clock_->TickCount() - start >= uint32_t(delay_)) break;
      clock_->SleepMs(1);
    }
  }
  if (stillOurs() && !manual_ && !FStopping) Finish();
}

bool TCustomPictureTransition::StartTimer() {
  if (FTimer) return true;
  app_ = CurrentApplication();
  if (!app_ || !clock_) return false;
  const platform::PeriodicTimerCaps caps = clock_->PeriodicCaps();
  uint32_t delay = delay_;
  if (caps.maxPeriod < delay) delay = caps.maxPeriod;
  uint32_t resolution = delay / 10;
  if (resolution < caps.minPeriod) {
    resolution = caps.minPeriod;
    if (delay < caps.minPeriod) delay = caps.minPeriod;
  }
  delay_ = uint16_t(std::min<uint32_t>(delay, UINT16_MAX));
  if (delay_ == 0) return false;
  FTimerResolution = resolution;
  FTimer = clock_->StartPeriodic(delay_, [this] { TimerTick(); });
  return true;
}

void TCustomPictureTransition::StopTimer() {
  if (!FTimer) return;
  // Stopping waits for a tick still running; never called with FLock held.
  FTimer->Stop();
  FTimer.reset();
  std::this_thread::yield();
  std::lock_guard lock(FLock);
}

void TCustomPictureTransition::TimerTick() {
  // On the timer's thread: compose and post, never touch the window.
  if (timer_reached_end_ || FStopping) return;
  if (!DoStep(true)) {
    timer_reached_end_ = true;
    app_->PostMessage(*this, kTransitionCompleteMessage, 0, intptr_t(transition_serial_.load()));
  }
}

bool TCustomPictureTransition::DoStep(bool onTimerThread) {
  int increment = step_;
  if (clock_) {
    const uint32_t now = clock_->TickCount();
    if (exact_timing_ && delay_ != 0) {
      increment = MulDiv(increment, int(now - FLastTick), delay_);
    }
    FLastTick = now;
  }
  const int progress = progress_;
  int next = 0;
  if (reverse_) {
    next = increment < progress ? progress - increment : 0;
  } else {
    next = progress < 100 - increment ? progress + increment : 100;
  }
  SetProgressValue(next, onTimerThread);
  return reverse_ ? progress_ != 0 : progress_ != 100;
}

void TCustomPictureTransition::SetProgressValue(int progress, bool onTimerThread) {
  progress = std::clamp(progress, 0, 100);
  if (!busy_ || progress == progress_) return;
  progress_ = uint8_t(progress);
  {
    std::lock_guard lock(FLock);
    UpdateFrameLocked();
  }
  if (onTimerThread) {
    app_->PostMessage(*this, kTransitionProgressMessage, uintptr_t(progress),
                      intptr_t(transition_serial_.load()));
    return;
  }
  PresentFrame();
  DoProgress();
}

void TCustomPictureTransition::UpdateFrameLocked() {
  if (FScreen.Empty() || FOldImage.Empty() || FNewImage.Empty()) return;
  CopyPixels(FScreen, FOldImage);
  DoBeforeNewFrame(FNewImage, FScreen);
  const int progress = progress_;
  if (progress >= 100) {
    CopyPixels(FScreen, FNewImage);
  } else if (progress > 0) {
    if (style_ == 0) {
      DoCustomDraw(FNewImage, FScreen);
    } else if (FScreen.Width() == FNewImage.Width() && FScreen.Height() == FNewImage.Height()) {
      const int w = FPictureRect.Width();
      const int h = FPictureRect.Height();
      const ScaledExtent extent = ScaleByProgress(w, h, progress);
      TransitionRoutineOf(style_)(FScreen, FNewImage, w, h, extent.x, extent.y, progress);
    }
  }
  DoAfterNewFrame(FNewImage, FScreen);
}

void TCustomPictureTransition::PresentFrame() {
  // The window composes into its own bitmap: the display rectangle is painted from
  // FScreen and presented at once, so the frame shows before the next step.
  Invalidate(DisplayRect());
  if (gui::Window* window = OwnerWindow()) window->Update();
}

void TCustomPictureTransition::HandleMessage(const gui::Message& message) {
  const bool current = busy_ && message.lParam == intptr_t(transition_serial_.load());
  if (message.msg == kTransitionProgressMessage) {
    if (!current) return;
    PresentFrame();
    DoProgress();
  } else if (message.msg == kTransitionCompleteMessage) {
    if (!current || FStopping) return;
    StopTimer();
    Finish();
  } else {
    gui::Control::HandleMessage(message);
  }
}

void TCustomPictureTransition::Finish() {
  busy_ = false;
  {
    std::lock_guard lock(FLock);
    FNewImage = Bitmap();
    FOldImage = Bitmap();
  }
  if (destroying_) return;
  if (!FStopping) DoComplete();
  DoStop();
}

void TCustomPictureTransition::Stop() {
  if (!busy_ || FStopping) return;
  FStopping = true;
  struct Reset {
    std::atomic<bool>& flag;
    ~Reset() { flag = false; }
  } reset{FStopping};
  StopTimer();
  Finish();
}

void TCustomPictureTransition::Clear() {
  if (busy_) return;
  {
    std::lock_guard lock(FLock);
    if (FScreen.Empty()) return;
    FScreen = Bitmap();
    FPictureRect = {};
    FDisplayRect = {};
  }
  Invalidate();
}

}  // namespace controls
