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
  gui::Picture& Picture() { return picture_; }
  void SetPicture(const gui::Picture& picture) { picture_ = picture; }
  gui::Picture& BgPicture() { return bg_picture_; }
  void SetBgPicture(const gui::Picture& picture) { bg_picture_ = picture; }

  TBackgroundMode BgMode() const { return bg_mode_; }
  void SetBgMode(TBackgroundMode mode);
  gui::Color Color() const { return color_; }
  void SetColor(gui::Color color);
  gui::Color FrameColor() const { return frame_color_; }
  void SetFrameColor(gui::Color color);
  int32_t FrameWidth() const { return frame_width_; }
  void SetFrameWidth(int32_t width);
  bool Center() const { return center_; }
  void SetCenter(bool center);
  bool Stretch() const { return stretch_; }
  void SetStretch(bool stretch);
  bool Proportional() const { return proportional_; }
  void SetProportional(bool proportional);
  bool OverDraw() const { return over_draw_; }
  void SetOverDraw(bool overDraw) { over_draw_ = overDraw; }
  // Takes effect at the next start of the animation.
  bool Threaded() const { return threaded_; }
  void SetThreaded(bool threaded) { threaded_ = threaded; }
  bool Manual() const { return manual_; }
  void SetManual(bool manual);
  bool Reverse() const { return reverse_; }
  void SetReverse(bool reverse) { reverse_ = reverse; }
  bool ExactTiming() const { return exact_timing_; }
  void SetExactTiming(bool exactTiming) { exact_timing_ = exactTiming; }
  bool AutoSize() const { return auto_size_; }
  void SetAutoSize(bool autoSize);

  // 0 (the application draws, OnCustomDraw) to 172; 173 and above are ignored.
  TShowStyle Style() const { return style_; }
  void SetStyle(TShowStyle style);
  // "Custom" for style 0; a name is matched in any letter case, an unknown one ignored.
  std::string_view StyleName() const;
  void SetStyleName(std::string_view name);
  // Percent added per step: 0 becomes 1, above 100 becomes 99.
  uint16_t Step() const { return step_; }
  void SetStep(uint16_t step);
  // Milliseconds between steps.
  uint16_t Delay() const { return delay_; }
  void SetDelay(uint16_t delay) { delay_ = delay; }

  uint8_t Progress() const { return progress_; }
  // In manual mode moves the running transition to a percentage (above 100 counts as 100).
  void SetProgress(uint8_t progress);
  bool Busy() const { return busy_; }

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

  gui::Picture picture_;
  gui::Picture bg_picture_;
  int picture_token_ = 0;
  int bg_picture_token_ = 0;
  TBackgroundMode bg_mode_ = TBackgroundMode::bmTiled;
  gui::Color color_;
  gui::Color frame_color_;
  int32_t frame_width_ = 0;
  bool center_ = false;
  bool stretch_ = false;
  bool proportional_ = false;
  bool over_draw_ = true;
  bool threaded_ = true;
  std::atomic<bool> manual_{false};
  std::atomic<bool> reverse_{false};
  std::atomic<bool> exact_timing_{false};
  bool auto_size_ = false;
  TShowStyle style_ = 51;  // read by the timer thread under FLock
  std::atomic<uint16_t> step_{4};
  std::atomic<uint16_t> delay_{40};
  std::atomic<uint8_t> progress_{0};
  std::atomic<bool> busy_{false};
  std::atomic<bool> FStopping{false};
  bool destroying_ = false;

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
  std::atomic<uint32_t> transition_serial_{0};
  std::atomic<bool> timer_reached_end_{false};
  gui::Application* app_ = nullptr;
  platform::Clock* clock_ = nullptr;
  // Lets a pumping loop notice that a handler destroyed the control.
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

// The control as the forms use it.
class TPictureTransition : public TCustomPictureTransition {
 public:
  using TCustomPictureTransition::TCustomPictureTransition;
};

}  // namespace controls
