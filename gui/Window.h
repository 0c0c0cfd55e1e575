// A top-level window: a borderless (unless asked otherwise) window on the screen whose
// control tree is composed into the window's own 32-bit bitmap and presented by dirty
// rectangles. An owner, closing, modal showing with a nested message loop, and a capture
// of the composed pixels.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "gui/Bitmap.h"
#include "gui/Color.h"
#include "gui/Control.h"
#include "gui/FrameScaler.h"
#include "gui/Palette.h"

namespace gui {

// The key codes and modifier bits of KeyEvent.
namespace keys = platform::keys;
namespace modifiers = platform::modifiers;

// Results of a modal window; a window's modal loop ends when its result is not kModalNone.
constexpr int kModalNone = 0;
constexpr int kModalOk = 1;
constexpr int kModalCancel = 2;
constexpr int kModalClose = 8;

class Window : public Control {
 public:
  using CloseEvent = std::function<void(Window& sender)>;
  using ShowEvent = std::function<void(Window& sender)>;
  using CloseQueryEvent = std::function<void(Window& sender, bool& canClose)>;
  using KeyEvent = std::function<void(Window& sender, int key, uint8_t modifiers)>;

  // A hidden 100 x 100 window of the current application. An owned window stays above
  // its owner (which must outlive it) and has no task-bar entry of its own.
  explicit Window(Window* owner = nullptr);
  ~Window() override;

  Window* Owner() const { return owner_; }

  // Placement on the screen: Left and Top are the client area's position in screen
  // pixels, Width and Height its design size, which the screen shows enlarged by Scale.
  void Center();  // on the screen's work area
  // Screen pixels per 100 design pixels: the density of the window's screen (100 on an
  // ordinary one); the window and its input are scaled, the controls never see it.
  int Scale() const { return scale_; }
  int ScreenWidth() const { return ScaledLength(Width(), scale_); }
  int ScreenHeight() const { return ScaledLength(Height(), scale_); }
  bool Topmost() const { return topmost_; }
  void SetTopmost(bool topmost);
  bool Borderless() const { return borderless_; }
  void SetBorderless(bool borderless);
  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string caption);
  // The background colour under the controls.
  Color BackgroundColor() const { return color_; }
  void SetBackgroundColor(Color color);

  // Hides the window after OnCloseQuery and OnClose; ends the program when this is the
  // main window; a modal window's loop ends with kModalCancel instead. A close asked for
  // while OnClose runs is the same close.
  void Close();
  // Shows the window in front of every other window of the program (topmost ones too)
  // and runs a message loop until its ModalResult is set (Close sets kModalCancel). The
  // other windows take no input meanwhile; a press on its owner brings it to the front.
  // Afterwards they take input again and the owner (or the modal window underneath) has
  // the focus. Returns the result.
  int ShowModal();
  bool Modal() const { return modal_; }
  int ModalResult() const { return modal_result_; }
  void SetModalResult(int result) { modal_result_ = result; }

  // Paints the invalid parts now and presents them.
  void Update();
  // Presents an area of the composed pixels as they are (a control that paints in steps
  // shows each one).
  void PresentArea(const Rect& area);
  // Marks a rectangle in client coordinates for painting.
  void InvalidateArea(const Rect& area);
  bool NeedsPaint() const { return !dirty_.empty(); }
  // The composed pixels, as last painted.
  const Bitmap& Surface() const { return surface_; }
  // A copy of the composed pixels of an area (the window's content brought up to date
  // first); parts outside the window are black.
  Bitmap CaptureArea(const Rect& area);
  platform::NativeWindow& Native() { return *native_; }

  // Raised as the window is about to show, before it is painted.
  ShowEvent OnShow;
  CloseQueryEvent OnCloseQuery;
  CloseEvent OnClose;
  KeyEvent OnKeyDown;
  KeyEvent OnKeyUp;

 protected:
  void Paint(Canvas& canvas) override;  // fills the background colour
  virtual void KeyDown(int key, uint8_t modifiers);
  virtual void KeyUp(int key, uint8_t modifiers);
  void BoundsChanged(const Rect& oldBounds) override;
  void VisibleChanged() override;

 private:
  friend class Application;
  friend class Control;
  void OpenNative();
  void HandleEvent(const platform::Event& event);
  void PaintPending();
  void PaintTree(Control& control, Canvas& canvas, bool root);
  void Present(const std::vector<Rect>& rects);
  void Rescale(int scale, int x, int y);
  void SetHover(Control* control);
  void ReleasePointer();
  void UpdateCursor();
  void ControlHidden(Control& control);
  void ForgetControl(Control& control);
  bool AcceptsInput() const;
  bool IsDragPoint(Point at);
  void EndClose();
  // Disables the other windows for a modal loop; returns those it disabled.
  std::vector<Window*> DisableOthers();
  void SetInputEnabled(bool enabled);

  Application& app_;
  Window* owner_;
  std::unique_ptr<platform::NativeWindow> native_;
  Bitmap surface_;
  int scale_ = 100;
  Bitmap scaled_;              // the surface enlarged for the screen, when the scale is not 100
  bool scaled_whole_ = false;  // scaled_ holds all of the surface's last presented pixels
  FrameScaler scaler_;
  std::vector<Rect> dirty_;
  bool painting_ = false;
  bool syncing_bounds_ = false;
  bool topmost_ = false;
  bool borderless_ = true;
  std::string caption_;
  Color color_ = palette::kSystemButtonFace;  // as a new form has
  Control* hover_ = nullptr;
  uint64_t pointer_events_ = 0;  // pointer events handled so far
  bool pointer_inside_ = false;  // since the last pointer event, the pointer is over the window
  Control* capture_ = nullptr;
  Control* up_target_ = nullptr;
  int buttons_down_ = 0;
  bool modal_ = false;
  int modal_result_ = kModalNone;
  bool input_enabled_ = true;
  bool closing_ = false;
};

}  // namespace gui
