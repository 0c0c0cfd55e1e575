// The run of a transition: starting it, stepping Progress (on the periodic timer's thread
// when threaded, in a message-processing loop otherwise), composing each frame into
// FScreen under the lock, and finishing or stopping it.
#include <algorithm>
#include <cstring>
#include <thread>
#include <utility>

#include "controls/PictureTransition.h"
#include "controls/TransitionStyles.h"
#include "gui/Application.h"
#include "gui/Canvas.h"
#include "gui/Window.h"

namespace controls {

using gui::Bitmap;
using gui::Canvas;

namespace {

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

void TCustomPictureTransition::Execute() {
  if (FPicture.Empty() || FBusy) return;
  FBusy = true;
  ++FTransitionSerial;
  FTimerReachedEnd = false;
  try {
    const int w = FPicture.Width();
    const int h = FPicture.Height();
    Bitmap newImage(w, h);
    newImage.Fill(gui::SystemColor(FColor));
    {
      Canvas canvas(newImage);
      FPicture.DrawOn(canvas, {0, 0});
    }
    {
      std::lock_guard lock(FLock);
      FFromBackground =
          !FOverDraw || FScreen.Empty() || FScreen.Width() != w || FScreen.Height() != h;
      FOldImage = FFromBackground ? Bitmap(w, h) : FScreen;
      FNewImage = std::move(newImage);
      if (FScreen.Width() != w || FScreen.Height() != h) FScreen = Bitmap(w, h);
      FPictureRect = {0, 0, w, h};
      CalcDisplayRectLocked();  // captures the background when starting from it
      CopyPixels(FScreen, FOldImage);
      FProgress = FReverse ? 100 : 0;
    }
    Invalidate();
    // The timer does not run yet, so the images are the GUI thread's alone here.
    DoStart(FNewImage, FOldImage);
    if (!FManual && !FStopping) Animate();
  } catch (...) {
    StopTimer();
    {
      std::lock_guard lock(FLock);
      FNewImage = Bitmap();
      FOldImage = Bitmap();
    }
    FBusy = false;
    throw;
  }
}

void TCustomPictureTransition::Animate() {
  gui::Application* app = CurrentApplication();
  FClock = app ? &app->Clock() : nullptr;
  FLastTick = FClock ? FClock->TickCount() : 0;
  if (FThreaded && StartTimer()) return;

  // Without a periodic timer (not threaded, or none could be started) the steps run
  // here, with the messages processed between them.
  const std::shared_ptr<bool> alive = FAlive;
  const uint32_t serial = FTransitionSerial;
  auto stillOurs = [&] { return *alive && FBusy && FTransitionSerial == serial; };
  while (DoStep(false) && !FManual && !FStopping) {
    if (!app) continue;
    const uint32_t start = FClock->TickCount();
    while (true) {
      app->ProcessMessages();
      if (!stillOurs()) return;  // stopped, restarted or destroyed from a handler
      if (FClock->TickCount() - start >= uint32_t(FDelay)) break;
      FClock->SleepMs(1);
    }
  }
  if (stillOurs() && !FManual && !FStopping) Finish();
}

bool TCustomPictureTransition::StartTimer() {
  if (FTimer) return true;
  FApp = CurrentApplication();
  if (!FApp || !FClock) return false;
  const platform::PeriodicTimerCaps caps = FClock->PeriodicCaps();
  uint32_t delay = FDelay;
  if (caps.maxPeriod < delay) delay = caps.maxPeriod;
  uint32_t resolution = delay / 10;
  if (resolution < caps.minPeriod) {
    resolution = caps.minPeriod;
    if (delay < caps.minPeriod) delay = caps.minPeriod;
  }
  FDelay = uint16_t(std::min<uint32_t>(delay, UINT16_MAX));
  if (FDelay == 0) return false;
  FTimerResolution = resolution;
  FTimer = FClock->StartPeriodic(FDelay, [this] { TimerTick(); });
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
  if (FTimerReachedEnd || FStopping) return;
  if (!DoStep(true)) {
    FTimerReachedEnd = true;
    FApp->PostMessage(*this, kTransitionCompleteMessage, 0, intptr_t(FTransitionSerial.load()));
  }
}

bool TCustomPictureTransition::DoStep(bool onTimerThread) {
  int increment = FStep;
  if (FClock) {
    const uint32_t now = FClock->TickCount();
    if (FExactTiming && FDelay != 0) {
      increment = MulDiv(increment, int(now - FLastTick), FDelay);
    }
    FLastTick = now;
  }
  const int progress = FProgress;
  int next = 0;
  if (FReverse) {
    next = increment < progress ? progress - increment : 0;
  } else {
    next = progress < 100 - increment ? progress + increment : 100;
  }
  SetProgressValue(next, onTimerThread);
  return FReverse ? FProgress != 0 : FProgress != 100;
}

void TCustomPictureTransition::SetProgressValue(int progress, bool onTimerThread) {
  progress = std::clamp(progress, 0, 100);
  if (!FBusy || progress == FProgress) return;
  FProgress = uint8_t(progress);
  {
    std::lock_guard lock(FLock);
    UpdateFrameLocked();
  }
  if (onTimerThread) {
    FApp->PostMessage(*this, kTransitionProgressMessage, uintptr_t(progress),
                      intptr_t(FTransitionSerial.load()));
    return;
  }
  PresentFrame();
  DoProgress();
}

void TCustomPictureTransition::UpdateFrameLocked() {
  if (FScreen.Empty() || FOldImage.Empty() || FNewImage.Empty()) return;
  CopyPixels(FScreen, FOldImage);
  DoBeforeNewFrame(FNewImage, FScreen);
  const int progress = FProgress;
  if (progress >= 100) {
    CopyPixels(FScreen, FNewImage);
  } else if (progress > 0) {
    if (FStyle == 0) {
      DoCustomDraw(FNewImage, FScreen);
    } else if (FScreen.Width() == FNewImage.Width() && FScreen.Height() == FNewImage.Height()) {
      const int w = FPictureRect.Width();
      const int h = FPictureRect.Height();
      const ScaledExtent extent = ScaleByProgress(w, h, progress);
      TransitionRoutineOf(FStyle)(FScreen, FNewImage, w, h, extent.x, extent.y, progress);
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
  const bool current = FBusy && message.lParam == intptr_t(FTransitionSerial.load());
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
  FBusy = false;
  {
    std::lock_guard lock(FLock);
    FNewImage = Bitmap();
    FOldImage = Bitmap();
  }
  if (FDestroying) return;
  if (!FStopping) DoComplete();
  DoStop();
}

void TCustomPictureTransition::Stop() {
  if (!FBusy || FStopping) return;
  FStopping = true;
  struct Reset {
    std::atomic<bool>& flag;
    ~Reset() { flag = false; }
  } reset{FStopping};
  StopTimer();
  Finish();
}

void TCustomPictureTransition::Clear() {
  if (FBusy) return;
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
