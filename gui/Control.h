// The control tree of a window: bounds relative to the parent, visibility, painting on
// the window's own bitmap, invalidation, mouse input with enter and leave, a cursor per
// control, and posted messages. Parents do not own their children.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "gui/Geometry.h"
#include "platform/Window.h"

namespace gui {

class Canvas;
class Window;
class Application;

using Cursor = platform::Cursor;
using MouseButton = platform::MouseButton;

// A message posted to a control (PostMessage): the message number and its two values.
struct Message {
  uint32_t msg = 0;
  uintptr_t wParam = 0;
  intptr_t lParam = 0;
};

// The first private message number.
constexpr uint32_t kUserMessage = 0x0400;

class Control {
 public:
  using NotifyEvent = std::function<void(Control& sender)>;
  using MouseEvent = std::function<void(Control& sender, MouseButton button, Point at)>;
  using MouseMoveEvent = std::function<void(Control& sender, Point at)>;

  explicit Control(Control* parent = nullptr);
  virtual ~Control();
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  // The tree. A new child goes on top of its siblings; the last child is the topmost.
  Control* Parent() const { return parent_; }
  void SetParent(Control* parent);
  const std::vector<Control*>& Children() const { return children_; }
  void BringToFront();
  void SendToBack();
  // The top-level window the control is on, or null while it is on none.
  Window* OwnerWindow() const;

  // Bounds in the parent's client coordinates (for a window: on the screen).
  void SetBounds(int left, int top, int width, int height);
  void SetBounds(const Rect& bounds) {
    SetBounds(bounds.left, bounds.top, bounds.Width(), bounds.Height());
  }
  void SetLeft(int left) { SetBounds(left, top_, width_, height_); }
  void SetTop(int top) { SetBounds(left_, top, width_, height_); }
  void SetWidth(int width) { SetBounds(left_, top_, width, height_); }
  void SetHeight(int height) { SetBounds(left_, top_, width_, height); }
  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  Rect BoundsRect() const { return Rect::XYWH(left_, top_, width_, height_); }
  Rect ClientRect() const { return {0, 0, width_, height_}; }
  // Where the control's client origin lies in its window's client area.
  Point WindowOrigin() const;
  Rect WindowRect() const;

  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  // Visible, and so are all its parents.
  bool Showing() const;
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  // An opaque control paints every pixel of its area, so what lies below it is not
  // painted when only its area is redrawn.
  bool Opaque() const { return opaque_; }
  void SetOpaque(bool opaque) { opaque_ = opaque; }

  Cursor GetCursor() const { return cursor_; }
  void SetCursor(Cursor cursor);
  // Pressing the left button on a drag handle moves the window with the pointer.
  bool DragHandle() const { return drag_handle_; }
  void SetDragHandle(bool dragHandle) { drag_handle_ = dragHandle; }
  // The pointer is over this control (and not over a child of it).
  bool MouseInside() const;

  // Marks the control (or a part of it, in client coordinates) for painting when the
  // message loop next runs out of messages.
  void Invalidate();
  void Invalidate(const Rect& clientRect);
  // Paints the window's invalid parts now, this control included, and presents them.
  void Repaint();

  // The deepest visible control under a client point: this control, a descendant, or
  // null when the point lies outside.
  Control* ControlAt(Point clientPoint);

  NotifyEvent OnClick;
  NotifyEvent OnMouseEnter;
  NotifyEvent OnMouseLeave;
  MouseEvent OnMouseDown;
  MouseEvent OnMouseUp;
  MouseMoveEvent OnMouseMove;

 protected:
  // Draws the control's client area; the canvas is translated to the control's origin
  // and clipped to the part being painted.
  virtual void Paint(Canvas& canvas);
  // Input in client coordinates. The defaults raise the events.
  virtual void MouseDown(MouseButton button, Point at);
  virtual void MouseUp(MouseButton button, Point at);
  virtual void MouseMove(Point at);
  virtual void MouseEnter();
  virtual void MouseLeave();
  virtual void Click();
  // A message posted to this control; the default ignores it.
  virtual void HandleMessage(const Message& message);
  virtual void BoundsChanged(const Rect& oldBounds);
  virtual void VisibleChanged();

 private:
  friend class Window;
  friend class Application;
  void Detach();
  bool EnabledChain() const;
  // Visible and so are its parents, the window itself aside: a hidden window composes too.
  bool VisibleInWindow() const;

  Control* parent_ = nullptr;
  std::vector<Control*> children_;
  int left_ = 0;
  int top_ = 0;
  int width_ = 0;
  int height_ = 0;
  bool visible_ = true;
  bool enabled_ = true;
  bool opaque_ = false;
  bool drag_handle_ = false;
  Cursor cursor_ = Cursor::Arrow;
};

}  // namespace gui
