#include "gui/Window.h"

#include <algorithm>

#include "gui/Application.h"
#include "gui/Canvas.h"

namespace gui {

namespace {
// More dirty rectangles than this merge into their union.
constexpr size_t kMaxDirtyRects = 8;
}  // namespace

Window::Window(Window* owner) : app_(Application::Current()), owner_(owner) {
  SetBounds(0, 0, 100, 100);
  visible_ = false;
  surface_.Resize(Width(), Height());
  OpenNative();
  app_.AddWindow(*this);
}

Window::~Window() {
  hover_ = nullptr;
  capture_ = nullptr;
  app_.RemoveWindow(*this);
}

void Window::OpenNative() {
  platform::WindowOptions options;
  options.title = caption_.empty() ? app_.Title() : caption_;
  options.x = Left();
  options.y = Top();
  options.width = Width();
  options.height = Height();
  options.borderless = borderless_;
  options.topmost = topmost_;
  options.owner = owner_ ? owner_->native_.get() : nullptr;
  native_ = app_.Backend().OpenWindow(options);
  // Made at its design size: its screen says how much larger it is shown.
  scale_ = std::max(native_->Scale(), 100);
  scaled_whole_ = false;
  if (scale_ != 100) native_->SetBounds(Left(), Top(), ScreenWidth(), ScreenHeight());
  if (!input_enabled_) native_->SetEnabled(false);
  native_->SetDragTest([this](int x, int y) {
    return IsDragPoint({DesignCoordinate(x, scale_), DesignCoordinate(y, scale_)});
  });
  if (Visible()) {
    native_->Show();
    Present({});
  }
}

void Window::Center() {
  const platform::Rect area = app_.Backend().WorkArea();
  SetBounds(area.left + (area.right - area.left - ScreenWidth()) / 2,
            area.top + (area.bottom - area.top - ScreenHeight()) / 2, Width(), Height());
}

void Window::SetTopmost(bool topmost) {
  if (topmost == topmost_) return;
  topmost_ = topmost;
  native_->SetTopmost(topmost);
}

void Window::SetBorderless(bool borderless) {
  if (borderless == borderless_) return;
  borderless_ = borderless;
  // The frame is chosen when a system window is made: make it anew.
  hover_ = nullptr;
  capture_ = nullptr;
  native_.reset();
  OpenNative();
}

void Window::SetCaption(std::string caption) {
  caption_ = std::move(caption);
  native_->SetTitle(caption_.empty() ? app_.Title() : caption_);
}

void Window::SetBackgroundColor(Color color) {
  if (color == color_) return;
  color_ = color;
  Invalidate();
}

void Window::Paint(Canvas& canvas) {
  canvas.FillRect(ClientRect(), IsSystemColor(color_) ? SystemColor(color_) : color_);
}

void Window::BoundsChanged(const Rect& oldBounds) {
  if (Width() != oldBounds.Width() || Height() != oldBounds.Height()) {
    surface_.Resize(Width(), Height());
    dirty_.clear();
    InvalidateArea(ClientRect());
  }
  if (native_ && !syncing_bounds_) native_->SetBounds(Left(), Top(), ScreenWidth(), ScreenHeight());
}

void Window::VisibleChanged() {
  if (Visible()) {
    if (OnShow) OnShow(*this);
    InvalidateArea(ClientRect());
    PaintPending();
    native_->Show();
    Present({});
  } else {
    ReleasePointer();
    native_->Hide();
  }
}

void Window::Close() {
  if (modal_) {
    modal_result_ = kModalCancel;
    return;
  }
  if (closing_) return;
  bool canClose = true;
  if (OnCloseQuery) OnCloseQuery(*this, canClose);
  if (!canClose) return;
  closing_ = true;
  EndClose();
  closing_ = false;
  if (app_.MainWindow() == this) app_.Terminate();
}

void Window::EndClose() {
  if (OnClose) OnClose(*this);
  Hide();
}

// The pointer's control is left as if the pointer had gone, a press as if released.
void Window::ReleasePointer() {
  SetHover(nullptr);
  capture_ = nullptr;
  buttons_down_ = 0;
}

bool Window::AcceptsInput() const {
  const Window* modal = app_.ModalWindow();
  return input_enabled_ && (!modal || modal == this);
}

bool Window::IsDragPoint(Point at) {
  if (!AcceptsInput()) return false;
  Control* hit = ControlAt(at);
  return hit && hit->DragHandle() && hit->EnabledChain();
}

void Window::InvalidateArea(const Rect& area) {
  if (painting_) return;  // what a paint invalidates is painted by that paint
  const Rect r = area.Intersect(ClientRect());
  if (r.Empty()) return;
  for (const Rect& d : dirty_) {
    if (d.Contains(r)) return;
  }
  Rect merged = r;
  // Merge with every rectangle it touches, so the list stays disjoint-ish and short.
  for (bool again = true; again;) {
    again = false;
    for (auto it = dirty_.begin(); it != dirty_.end(); ++it) {
      if (!it->Intersect(merged).Empty()) {
        merged = merged.Union(*it);
        dirty_.erase(it);
        again = true;
        break;
      }
    }
  }
  dirty_.push_back(merged);
  if (dirty_.size() > kMaxDirtyRects) {
    Rect all;
    for (const Rect& d : dirty_) all = all.Union(d);
    dirty_.assign(1, all);
  }
}

void Window::Update() {
  if (dirty_.empty()) return;
  const std::vector<Rect> rects = dirty_;
  PaintPending();
  if (Visible()) Present(rects);
}

void Window::PaintPending() {
  if (dirty_.empty()) return;
  const std::vector<Rect> rects = std::move(dirty_);
  dirty_.clear();
  painting_ = true;
  struct Reset {
    bool& flag;
    ~Reset() { flag = false; }
  } reset{painting_};
  for (const Rect& r : rects) {
    Canvas canvas(surface_);
    canvas.ClipTo(r);
    PaintTree(*this, canvas, true);
  }
}

void Window::PaintTree(Control& control, Canvas& canvas, bool root) {
  canvas.Save();
  if (!root) canvas.Translate(control.Left(), control.Top());
  canvas.ClipTo(control.ClientRect());
  const Rect clip = canvas.ClipRect();
  if (!clip.Empty()) {
    const bool covered =
        std::any_of(control.children_.begin(), control.children_.end(), [&](const Control* child) {
          return child->visible_ && child->opaque_ && child->BoundsRect().Contains(clip);
        });
    if (!covered) {
      canvas.pen = Pen{};
      canvas.brush = Brush{};
      canvas.font = Font{};
      control.Paint(canvas);
    }
    for (Control* child : control.children_) {
      if (child->visible_ && !child->BoundsRect().Intersect(clip).Empty()) {
        PaintTree(*child, canvas, false);
      }
    }
  }
  canvas.Restore();
}

void Window::SetHover(Control* control) {
  if (control == hover_) return;
  Control* old = hover_;
  hover_ = control;
  if (old) old->MouseLeave();
  // A leave handler may have hidden or destroyed the new control.
  if (hover_ == control && control) control->MouseEnter();
  UpdateCursor();
}

void Window::UpdateCursor() {
  native_->SetCursor(hover_ ? hover_->cursor_ : Cursor::Arrow);
}

void Window::ControlHidden(Control& control) {
  auto within = [&](const Control* c) {
    for (; c; c = c->parent_) {
      if (c == &control) return true;
    }
    return false;
  };
  if (within(capture_)) {
    capture_ = nullptr;
    buttons_down_ = 0;
  }
  if (within(hover_)) SetHover(nullptr);
}

void Window::ForgetControl(Control& control) {
  if (hover_ == &control) {
    hover_ = nullptr;
    if (native_) UpdateCursor();
  }
  if (capture_ == &control) {
    capture_ = nullptr;
    buttons_down_ = 0;
  }
  if (up_target_ == &control) up_target_ = nullptr;
}

void Window::KeyDown(int key, uint8_t modifiers) {
  if (OnKeyDown) OnKeyDown(*this, key, modifiers);
}

void Window::KeyUp(int key, uint8_t modifiers) {
  if (OnKeyUp) OnKeyUp(*this, key, modifiers);
}

void Window::HandleEvent(const platform::Event& event) {
  using Type = platform::Event::Type;
  // Pointer positions come in screen pixels.
  const Point at{DesignCoordinate(event.x, scale_), DesignCoordinate(event.y, scale_)};
  auto local = [&](const Control& c) {
    const Point o = c.WindowOrigin();
    return Point{at.x - o.x, at.y - o.y};
  };
  switch (event.type) {
    case Type::Expose:
      if (Visible()) Present({});
      return;
    case Type::Moved:
      syncing_bounds_ = true;
      SetBounds(event.x, event.y, Width(), Height());
      syncing_bounds_ = false;
      return;
    case Type::Rescaled:
      Rescale(event.scale, event.x, event.y);
      return;
    default:
      break;
  }
  if (!AcceptsInput()) return;
  if (event.type != Type::KeyDown && event.type != Type::KeyUp) ++pointer_events_;
  switch (event.type) {
    case Type::MouseMove: {
      pointer_inside_ = true;
      SetHover(ControlAt(at));
      Control* target = capture_ ? capture_ : hover_;
      if (target && target->EnabledChain()) target->MouseMove(local(*target));
      break;
    }
    case Type::MouseDown: {
      pointer_inside_ = true;
      Control* hit = ControlAt(at);
      SetHover(hit);
      if (capture_) {
        ++buttons_down_;
        capture_->MouseDown(event.button, local(*capture_));
      } else if (hit && hit->EnabledChain()) {
        capture_ = hit;
        buttons_down_ = 1;
        hit->MouseDown(event.button, local(*hit));
      }
      break;
    }
    case Type::MouseUp: {
      Control* target = capture_;
      if (!target) break;
      if (--buttons_down_ <= 0) {
        buttons_down_ = 0;
        capture_ = nullptr;
      }
      const Point p = local(*target);
      // The click handler may destroy the control: ForgetControl clears up_target_.
      up_target_ = target;
      // A handler that pumps messages may see the pointer move on or leave the window,
      // and a program that was busy may see the leave before the release it followed;
      // then that, not the release's position, says what is under the pointer.
      const uint64_t seen = pointer_events_;
      // Like a desktop button: a click needs the release inside the pressed control.
      if (event.button == MouseButton::Left && target->ClientRect().Contains(p)) {
        target->Click();
      }
      if (up_target_) up_target_->MouseUp(event.button, p);
      up_target_ = nullptr;
      if (pointer_inside_ && pointer_events_ == seen) SetHover(ControlAt(at));
      break;
    }
    case Type::MouseEnter:
      pointer_inside_ = true;
      break;
    case Type::MouseLeave:
      pointer_inside_ = false;
      SetHover(nullptr);
      break;
    case Type::KeyDown:
      KeyDown(event.key, event.modifiers);
      break;
    case Type::KeyUp:
      KeyUp(event.key, event.modifiers);
      break;
    case Type::Close:
      Close();
      break;
    default:
      break;
  }
}

}  // namespace gui
