// A control that shows one picture and replaces it by a new one through an animated
// transition: Progress runs from 0 to 100 in steps of a periodic timer, and at each step
// the numbered style composes the frame from the starting image (the frame shown before,
// or the background) and the new picture.
//
// Threads: with Threaded on, the steps run on the periodic timer's own thread, which
// computes Progress and composes the frame into FScreen under the control's lock. It never
// touches a window: it posts WM_USER + 2 (progress) and WM_USER + 1 (completion) to the
// control, and the GUI thread repaints the display rectangle from FScreen and raises
// OnProgress, OnComplete and OnStop. OnBeforeNewFrame, OnAfterNewFrame and OnCustomDraw
// run where the frame is composed (the timer thread when threaded), under the lock: they
// may draw into the bitmaps they get but must not call back into the control.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string_view>

#include "gui/Bitmap.h"
#include "gui/Control.h"
#include "gui/Picture.h"
#include "platform/Clock.h"

namespace gui {
class Application;
}

namespace controls {

enum class TBackgroundMode : uint8_t { bmNone, bmTiled, bmStretched, bmCentered };

using TShowStyle = uint8_t;

// The messages the control posts itself.
constexpr uint32_t kTransitionCompleteMessage = gui::kUserMessage + 1;
constexpr uint32_t kTransitionProgressMessage = gui::kUserMessage + 2;

class TCustomPictureTransition : public gui::Control {
 public:
  using TNotifyEvent = std::function<void(TCustomPictureTransition& sender)>;
  using TCustomDrawEvent = std::function<void(TCustomPictureTransition& sender,
                                              gui::Bitmap& picture, gui::Bitmap& screen)>;

  // 100 x 100 pixels, style 51, step 4, delay 40 ms, threaded, over-drawing, tiled.
  explicit TCustomPictureTransition(gui::Control* parent = nullptr);
  ~TCustomPictureTransition() override;

  // The picture the next transition shows; assigning copies. Its changes resize the
  // control under AutoSize and raise OnChange; the frame shown does not change.
  gui::Picture& Picture() { return FPicture; }
  void SetPicture(const gui::Picture& picture) { FPicture = picture; }
  gui::Picture& BgPicture() { return FBgPicture; }
  void SetBgPicture(const gui::Picture& picture) { FBgPicture = picture; }

  TBackgroundMode BgMode() const { return FBgMode; }
  void SetBgMode(TBackgroundMode mode);
  gui::Color Color() const { return FColor; }
  void SetColor(gui::Color color);
  gui::Color FrameColor() const { return FFrameColor; }
  void SetFrameColor(gui::Color color);
  int32_t FrameWidth() const { return FFrameWidth; }
  void SetFrameWidth(int32_t width);
  bool Center() const { return FCenter; }
  void SetCenter(bool center);
  bool Stretch() const { return FStretch; }
  void SetStretch(bool stretch);
  bool Proportional() const { return FProportional; }
  void SetProportional(bool proportional);
  bool OverDraw() const { return FOverDraw; }
  void SetOverDraw(bool overDraw) { FOverDraw = overDraw; }
  // Takes effect at the next start of the animation.
  bool Threaded() const { return FThreaded; }
  void SetThreaded(bool threaded) { FThreaded = threaded; }
  bool Manual() const { return FManual; }
  void SetManual(bool manual);
  bool Reverse() const { return FReverse; }
  void SetReverse(bool reverse) { FReverse = reverse; }
  bool ExactTiming() const { return FExactTiming; }
  void SetExactTiming(bool exactTiming) { FExactTiming = exactTiming; }
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool autoSize);

  // 0 (the application draws, OnCustomDraw) to 172; 173 and above are ignored.
  TShowStyle Style() const { return FStyle; }
  void SetStyle(TShowStyle style);
  // "Custom" for style 0; a name is matched in any letter case, an unknown one ignored.
  std::string_view StyleName() const;
  void SetStyleName(std::string_view name);
  // Percent added per step: 0 becomes 1, above 100 becomes 99.
  uint16_t Step() const { return FStep; }
  void SetStep(uint16_t step);
  // Milliseconds between steps.
  uint16_t Delay() const { return FDelay; }
  void SetDelay(uint16_t delay) { FDelay = delay; }

  uint8_t Progress() const { return FProgress; }
  // In manual mode moves the running transition to a percentage (above 100 counts as 100).
  void SetProgress(uint8_t progress);
  bool Busy() const { return FBusy; }

  // Starts a transition to Picture; does nothing without a picture or while one runs.
  virtual void Execute();
  // Ends a running transition at once, keeping the frame: OnStop, no OnComplete.
  virtual void Stop();
  // Forgets the frame shown (when idle), so the control shows its background again.
  virtual void Clear();

  // A copy of the frame shown (empty before the first transition and after Clear), and
  // where it is drawn in the client area.
  gui::Bitmap ScreenCopy() const;
  gui::Rect DisplayRect() const;

  TNotifyEvent OnChange;
  TNotifyEvent OnProgress;
  TNotifyEvent OnComplete;
  TNotifyEvent OnStop;
  TCustomDrawEvent OnStart;
  TCustomDrawEvent OnCustomDraw;
  TCustomDrawEvent OnBeforeNewFrame;
  TCustomDrawEvent OnAfterNewFrame;

 protected:
  virtual void DrawBackground(gui::Canvas& canvas, const gui::Rect& rect);
  virtual void PaintFrame(gui::Canvas& canvas);
  virtual void DoChange();
  virtual void DoProgress();
  virtual void DoCustomDraw(gui::Bitmap& picture, gui::Bitmap& screen);
  virtual void DoBeforeNewFrame(gui::Bitmap& picture, gui::Bitmap& screen);
  virtual void DoAfterNewFrame(gui::Bitmap& picture, gui::Bitmap& screen);
  virtual void DoComplete();
  virtual void DoStart(gui::Bitmap& picture, gui::Bitmap& screen);
  virtual void DoStop();

  void Paint(gui::Canvas& canvas) override;
  void HandleMessage(const gui::Message& message) override;
  void BoundsChanged(const gui::Rect& oldBounds) override;

 private:
  void PictureChanged();
  void BgPictureChanged();
  void AdjustSize();
  bool FrameShown() const;
  // These expect FLock to be held.
  void CalcDisplayRectLocked();
  void CaptureBackgroundLocked();
  void UpdateFrameLocked();

  void Animate();
  bool StartTimer();
  void StopTimer();
  void TimerTick();
  // One step of the animation; false once Progress has reached its end.
  bool DoStep(bool onTimerThread);
  void SetProgressValue(int progress, bool onTimerThread);
  void PresentFrame();
  void Finish();

  gui::Picture FPicture;
  gui::Picture FBgPicture;
  int FPictureToken = 0;
  int FBgPictureToken = 0;
  TBackgroundMode FBgMode = TBackgroundMode::bmTiled;
  gui::Color FColor;
  gui::Color FFrameColor;
  int32_t FFrameWidth = 0;
  bool FCenter = false;
  bool FStretch = false;
  bool FProportional = false;
  bool FOverDraw = true;
  bool FThreaded = true;
  std::atomic<bool> FManual{false};
  std::atomic<bool> FReverse{false};
  std::atomic<bool> FExactTiming{false};
  bool FAutoSize = false;
  TShowStyle FStyle = 51;  // read by the timer thread under FLock
  std::atomic<uint16_t> FStep{4};
  std::atomic<uint16_t> FDelay{40};
  std::atomic<uint8_t> FProgress{0};
  std::atomic<bool> FBusy{false};
  std::atomic<bool> FStopping{false};
  bool FDestroying = false;

  // Guarded by FLock.
  gui::Bitmap FScreen;
  gui::Bitmap FNewImage;
  gui::Bitmap FOldImage;
  bool FFromBackground = false;
  gui::Rect FPictureRect;
  gui::Rect FDisplayRect;
  mutable std::mutex FLock;

  std::unique_ptr<platform::PeriodicTimer> FTimer;  // the running periodic timer
  uint32_t FTimerResolution = 0;
  std::atomic<uint32_t> FLastTick{0};
  // The transition a posted message belongs to, so that one left in the queue by a
  // stopped transition cannot end the next one.
  std::atomic<uint32_t> FTransitionSerial{0};
  std::atomic<bool> FTimerReachedEnd{false};
  gui::Application* FApp = nullptr;
  platform::Clock* FClock = nullptr;
  // Lets a pumping loop notice that a handler destroyed the control.
  std::shared_ptr<bool> FAlive = std::make_shared<bool>(true);
};

// The control as the forms use it.
class TPictureTransition : public TCustomPictureTransition {
 public:
  using TCustomPictureTransition::TCustomPictureTransition;
};

}  // namespace controls
