#include "gui/Control.h"

#include <algorithm>

#include "gui/Application.h"
#include "gui/Window.h"

namespace gui {

Control::Control(Control* parent) {
  SetParent(parent);
}

Control::~Control() {
  if (Window* window = OwnerWindow()) window->ForgetControl(*this);
  if (Application::Exists()) Application::Current().ForgetTarget(*this);
  for (Control* child : children_) child->parent_ = nullptr;
  children_.clear();
  Detach();
}

void Control::Detach() {
  if (!parent_) return;
  if (Window* window = OwnerWindow()) {
    window->InvalidateArea(WindowRect());
    window->ForgetControl(*this);
  }
  std::erase(parent_->children_, this);
  parent_ = nullptr;
}

void Control::SetParent(Control* parent) {
  if (parent == parent_ || parent == this) return;
  Detach();
  parent_ = parent;
  if (parent_) {
    parent_->children_.push_back(this);
    Invalidate();
  }
}

void Control::BringToFront() {
  if (!parent_) return;
  auto& siblings = parent_->children_;
  std::erase(siblings, this);
  siblings.push_back(this);
  Invalidate();
}

void Control::SendToBack() {
  if (!parent_) return;
  auto& siblings = parent_->children_;
  std::erase(siblings, this);
  siblings.insert(siblings.begin(), this);
  if (parent_) parent_->Invalidate(BoundsRect());
}

Window* Control::OwnerWindow() const {
  const Control* c = this;
  while (c->parent_) c = c->parent_;
  return dynamic_cast<Window*>(const_cast<Control*>(c));
}

Point Control::WindowOrigin() const {
  Point origin;
  for (const Control* c = this; c->parent_; c = c->parent_) {
    origin.x += c->left_;
    origin.y += c->top_;
  }
  return origin;
}

Rect Control::WindowRect() const {
  const Point o = WindowOrigin();
  return Rect::XYWH(o.x, o.y, width_, height_);
}

void Control::SetBounds(int left, int top, int width, int height) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  if (left == left_ && top == top_ && width == width_ && height == height_) return;
  const Rect old = BoundsRect();
  const Rect oldInWindow = WindowRect();
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  if (parent_) {
    if (Window* window = OwnerWindow(); window && VisibleInWindow()) {
      window->InvalidateArea(oldInWindow);
      window->InvalidateArea(WindowRect());
    }
  }
  BoundsChanged(old);
}

bool Control::VisibleInWindow() const {
  for (const Control* c = this; c->parent_; c = c->parent_) {
    if (!c->visible_) return false;
  }
  return true;
}

bool Control::Showing() const {
  for (const Control* c = this; c; c = c->parent_) {
    if (!c->visible_) return false;
  }
  return true;
}

void Control::SetVisible(bool visible) {
  if (visible == visible_) return;
  if (!visible && parent_) {
    if (Window* window = OwnerWindow()) {
      window->ControlHidden(*this);
      if (VisibleInWindow()) window->InvalidateArea(WindowRect());
    }
  }
  visible_ = visible;
  if (visible) Invalidate();
  VisibleChanged();
}

void Control::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  Invalidate();
}

bool Control::EnabledChain() const {
  for (const Control* c = this; c; c = c->parent_) {
    if (!c->enabled_) return false;
  }
  return true;
}

void Control::SetCursor(Cursor cursor) {
  if (cursor == cursor_) return;
  cursor_ = cursor;
  if (Window* window = OwnerWindow(); window && window->hover_ == this) window->UpdateCursor();
}

bool Control::MouseInside() const {
  Window* window = OwnerWindow();
  return window && window->hover_ == this;
}

void Control::Invalidate() {
  Invalidate(ClientRect());
}

void Control::Invalidate(const Rect& clientRect) {
  Window* window = OwnerWindow();
  if (!window || !VisibleInWindow()) return;
  const Point o = WindowOrigin();
  window->InvalidateArea(clientRect.Intersect(ClientRect()).Offset(o.x, o.y));
}

void Control::Repaint() {
  Invalidate();
  if (Window* window = OwnerWindow()) window->Update();
}

Control* Control::ControlAt(Point p) {
  if (!visible_ || !ClientRect().Contains(p)) return nullptr;
  for (auto it = children_.rbegin(); it != children_.rend(); ++it) {
    Control* child = *it;
    if (Control* hit = child->ControlAt({p.x - child->left_, p.y - child->top_})) return hit;
  }
  return this;
}

void Control::Paint(Canvas&) {}

void Control::MouseDown(MouseButton button, Point at) {
  if (OnMouseDown) OnMouseDown(*this, button, at);
}

void Control::MouseUp(MouseButton button, Point at) {
  if (OnMouseUp) OnMouseUp(*this, button, at);
}

void Control::MouseMove(Point at) {
  if (OnMouseMove) OnMouseMove(*this, at);
}

void Control::MouseEnter() {
  if (OnMouseEnter) OnMouseEnter(*this);
}

void Control::MouseLeave() {
  if (OnMouseLeave) OnMouseLeave(*this);
}

void Control::Click() {
  if (OnClick) OnClick(*this);
}

void Control::HandleMessage(const Message&) {}

void Control::BoundsChanged(const Rect&) {}

void Control::VisibleChanged() {}

}  // namespace gui
