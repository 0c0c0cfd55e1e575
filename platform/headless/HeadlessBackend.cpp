#include "platform/headless/HeadlessBackend.h"

#include <algorithm>

namespace platform {

HeadlessWindow::HeadlessWindow(HeadlessBackend& backend, uint32_t id, const WindowOptions& options)
    : backend_(backend),
      id_(id),
      title_(options.title),
      borderless_(options.borderless),
      topmost_(options.topmost),
      owner_(static_cast<const HeadlessWindow*>(options.owner)),
      x_(options.x),
      y_(options.y),
      width_(std::max(options.width, 0)),
      height_(std::max(options.height, 0)),
      scale_(backend.scale_),
      pixels_(size_t(width_) * size_t(height_) * 4, 0) {}

HeadlessWindow::~HeadlessWindow() {
  backend_.Forget(this);
}

void HeadlessWindow::Show() {
  visible_ = true;
  Raise();
}

void HeadlessWindow::Hide() {
  visible_ = false;
  backend_.Hidden(this);
  backend_.UpdateHover();
}

void HeadlessWindow::Raise() {
  backend_.Raise(this);
  backend_.UpdateHover();
}

void HeadlessWindow::SetEnabled(bool enabled) {
  enabled_ = enabled;
  if (!enabled) backend_.Disabled(this);
}

bool HeadlessWindow::Focused() const {
  return backend_.Focus() == this;
}

bool HeadlessWindow::InTopmostLayer() const {
  return topmost_ || (owner_ && owner_->InTopmostLayer());
}

bool HeadlessWindow::OwnedBy(const HeadlessWindow& window) const {
  return platform::OwnedBy(*this, window);
}

void HeadlessWindow::SetBounds(int x, int y, int width, int height) {
  x_ = x;
  y_ = y;
  width = std::max(width, 0);
  height = std::max(height, 0);
  if (width != width_ || height != height_) {
    width_ = width;
    height_ = height;
    pixels_.assign(size_t(width_) * size_t(height_) * 4, 0);
  }
  backend_.UpdateHover();
}

void HeadlessWindow::Present(const FrameView& frame, std::span<const Rect> dirty) {
  const Rect whole{0, 0, width_, height_};
  std::vector<Rect> rects(dirty.begin(), dirty.end());
  if (rects.empty()) rects.push_back(whole);
  for (Rect& r : rects) {
    r = ClipToFrame(r, frame, width_, height_);
    if (!IsEmpty(r)) CopyFrameRect(frame, r, pixels_.data(), size_t(width_) * 4);
  }
  ++present_count_;
  last_presented_ = std::move(rects);
}

uint32_t HeadlessWindow::Pixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
  const uint8_t* p = &pixels_[(size_t(y) * size_t(width_) + size_t(x)) * 4];
  return uint32_t(p[2]) | (uint32_t(p[1]) << 8) | (uint32_t(p[0]) << 16);
}

bool HeadlessWindow::Contains(int screenX, int screenY) const {
  return screenX >= x_ && screenY >= y_ && screenX < x_ + width_ && screenY < y_ + height_;
}

HeadlessBackend::HeadlessBackend(Rect workArea) : work_area_(workArea) {}

void HeadlessBackend::MoveToScreen(const NativeWindow& window, int percent, int x, int y) {
  auto& w = const_cast<HeadlessWindow&>(static_cast<const HeadlessWindow&>(window));
  w.scale_ = percent;
  Push({.type = Event::Type::Rescaled, .window = w.Id(), .x = x, .y = y, .scale = percent});
}

HeadlessBackend::~HeadlessBackend() = default;

std::unique_ptr<NativeWindow> HeadlessBackend::OpenWindow(const WindowOptions& options) {
  auto window = std::make_unique<HeadlessWindow>(*this, next_id_++, options);
  stack_.push_back(window.get());
  return window;
}

void HeadlessBackend::Raise(HeadlessWindow* window) {
  // The window, then the windows it owns in their order, go to the top of the stack.
  std::vector<HeadlessWindow*> raised{window};
  for (HeadlessWindow* w : stack_) {
    if (w->OwnedBy(*window)) raised.push_back(w);
  }
  std::erase_if(stack_, [&](HeadlessWindow* w) {
    return std::find(raised.begin(), raised.end(), w) != raised.end();
  });
  stack_.insert(stack_.end(), raised.begin(), raised.end());
  if (window->Visible()) focus_ = window;
}

void HeadlessBackend::Hidden(HeadlessWindow* window) {
  ReleaseCapture(window);
  if (focus_ != window) return;
  // The focus goes back to the owner, else to the frontmost visible window.
  focus_ = nullptr;
  auto ordered = Windows();
  for (auto it = ordered.rbegin(); it != ordered.rend(); ++it) {
    if ((*it)->Visible() && (focus_ == nullptr || *it == window->owner_)) focus_ = *it;
  }
}

void HeadlessBackend::Disabled(HeadlessWindow* window) {
  ReleaseCapture(window);
  if (dragging_ == window) dragging_ = nullptr;
}

void HeadlessBackend::ReleaseCapture(HeadlessWindow* window) {
  if (capture_ != window) return;
  capture_ = nullptr;
  buttons_down_ = 0;
}

void HeadlessBackend::Forget(HeadlessWindow* window) {
  std::erase(stack_, window);
  for (HeadlessWindow* w : stack_) {
    if (w->owner_ == window) w->owner_ = nullptr;
  }
  if (hover_ == window) hover_ = nullptr;
  if (capture_ == window) capture_ = nullptr;
  if (dragging_ == window) dragging_ = nullptr;
  if (focus_ == window) focus_ = nullptr;
  std::lock_guard lock(mutex_);
  events_.DropWindow(window->Id());
}

std::vector<HeadlessWindow*> HeadlessBackend::Windows() const {
  // The topmost layer stays above the others, each layer in its own order.
  std::vector<HeadlessWindow*> ordered;
  for (auto* w : stack_) {
    if (!w->InTopmostLayer()) ordered.push_back(w);
  }
  for (auto* w : stack_) {
    if (w->InTopmostLayer()) ordered.push_back(w);
  }
  return ordered;
}

HeadlessWindow* HeadlessBackend::FrontmostEnabledOwned(const HeadlessWindow& window) const {
  auto ordered = Windows();
  for (auto it = ordered.rbegin(); it != ordered.rend(); ++it) {
    if ((*it)->Visible() && (*it)->Enabled() && (*it)->OwnedBy(window)) return *it;
  }
  return nullptr;
}

HeadlessWindow* HeadlessBackend::Find(uint32_t id) const {
  for (auto* w : stack_) {
    if (w->Id() == id) return w;
  }
  return nullptr;
}

HeadlessWindow* HeadlessBackend::WindowAt(int x, int y) const {
  auto ordered = Windows();
  for (auto it = ordered.rbegin(); it != ordered.rend(); ++it) {
    if ((*it)->Visible() && (*it)->Contains(x, y)) return *it;
  }
  return nullptr;
}

void HeadlessBackend::Push(const Event& event) {
  {
    std::lock_guard lock(mutex_);
    events_.Push(event);
  }
  wake_cv_.notify_all();
}

void HeadlessBackend::UpdateHover() {
  if (capture_ || dragging_) return;
  HeadlessWindow* under = WindowAt(mouse_x_, mouse_y_);
  if (under == hover_) return;
  if (hover_) Push({.type = Event::Type::MouseLeave, .window = hover_->Id()});
  hover_ = under;
  if (hover_) Push({.type = Event::Type::MouseEnter, .window = hover_->Id()});
}

void HeadlessBackend::MoveMouse(int x, int y) {
  mouse_x_ = x;
  mouse_y_ = y;
  if (dragging_) {
    const HandDrag::Point at = drag_.WindowFor({x, y});
    dragging_->SetBounds(at.x, at.y, dragging_->Width(), dragging_->Height());
    Push({.type = Event::Type::Moved,
          .window = dragging_->Id(),
          .x = dragging_->X(),
          .y = dragging_->Y()});
    return;
  }
  UpdateHover();
  HeadlessWindow* target = capture_ ? capture_ : hover_;
  if (target && target->Enabled()) {
    Push({.type = Event::Type::MouseMove,
          .window = target->Id(),
          .x = x - target->X(),
          .y = y - target->Y()});
  }
}

void HeadlessBackend::PressMouse(MouseButton button) {
  HeadlessWindow* target = capture_ ? capture_ : WindowAt(mouse_x_, mouse_y_);
  if (!target) return;
  if (!target->Enabled()) {
    if (HeadlessWindow* owned = FrontmostEnabledOwned(*target)) owned->Raise();
    return;
  }
  if (!capture_) target->Raise();
  const int cx = mouse_x_ - target->X();
  const int cy = mouse_y_ - target->Y();
  if (button == MouseButton::Left && buttons_down_ == 0 && target->IsDragPoint(cx, cy)) {
    dragging_ = target;
    drag_ = {{mouse_x_, mouse_y_}, {target->X(), target->Y()}};
    return;
  }
  ++buttons_down_;
  capture_ = target;
  Push(
      {.type = Event::Type::MouseDown, .window = target->Id(), .x = cx, .y = cy, .button = button});
}

void HeadlessBackend::ReleaseMouse(MouseButton button) {
  if (dragging_ && button == MouseButton::Left) {
    dragging_ = nullptr;
    UpdateHover();
    return;
  }
  if (!capture_) return;
  HeadlessWindow* target = capture_;
  if (--buttons_down_ <= 0) {
    buttons_down_ = 0;
    capture_ = nullptr;
  }
  Push({.type = Event::Type::MouseUp,
        .window = target->Id(),
        .x = mouse_x_ - target->X(),
        .y = mouse_y_ - target->Y(),
        .button = button});
  UpdateHover();
}

void HeadlessBackend::Click(int x, int y, MouseButton button) {
  MoveMouse(x, y);
  PressMouse(button);
  ReleaseMouse(button);
}

void HeadlessBackend::PressKey(int key, uint8_t modifiers) {
  if (focus_ && focus_->Enabled()) {
    Push(
        {.type = Event::Type::KeyDown, .window = focus_->Id(), .key = key, .modifiers = modifiers});
  }
}

void HeadlessBackend::ReleaseKey(int key, uint8_t modifiers) {
  if (focus_ && focus_->Enabled()) {
    Push({.type = Event::Type::KeyUp, .window = focus_->Id(), .key = key, .modifiers = modifiers});
  }
}

void HeadlessBackend::TypeKey(int key, uint8_t modifiers) {
  PressKey(key, modifiers);
  ReleaseKey(key, modifiers);
}

void HeadlessBackend::RequestClose(const NativeWindow& window) {
  Push({.type = Event::Type::Close, .window = window.Id()});
}

void HeadlessBackend::RequestQuit() {
  Push({.type = Event::Type::Quit});
}

bool HeadlessBackend::PollEvent(Event& event) {
  std::lock_guard lock(mutex_);
  return events_.Pop(event);
}

void HeadlessBackend::Wake() {
  {
    std::lock_guard lock(mutex_);
    woken_ = true;
    ++wake_count_;
  }
  wake_cv_.notify_all();
}

int HeadlessBackend::PendingEvents() const {
  std::lock_guard lock(mutex_);
  return events_.Size();
}

int HeadlessBackend::WakeCount() const {
  std::lock_guard lock(mutex_);
  return wake_count_;
}

void HeadlessBackend::WaitEvents(int64_t deadlineUs) {
  auto ready = [this] { return woken_ || !events_.Empty(); };
  {
    std::unique_lock lock(mutex_);
    if (ready()) {
      woken_ = false;
      return;
    }
    if (deadlineUs < 0 && clock_.NextPeriodicDueNs() < 0) {
      // Nothing in virtual time can end this wait: only another thread can.
      wake_cv_.wait(lock, ready);
      woken_ = false;
      return;
    }
  }
  auto stop = [&] {
    std::lock_guard lock(mutex_);
    return ready();
  };
  // Without a deadline, run time up to the next periodic call only; the caller waits again.
  const int64_t target = deadlineUs < 0 ? clock_.NextPeriodicDueNs() : deadlineUs * 1000;
  clock_.AdvanceTo(target, stop);
  std::lock_guard lock(mutex_);
  woken_ = false;
}

}  // namespace platform
