#include "gui/Application.h"

#include <algorithm>
#include <cassert>

#include "gui/Timer.h"
#include "gui/Window.h"

namespace gui {

namespace {
Application* current = nullptr;
}  // namespace

Application::Application(platform::Backend& backend) : backend_(backend), previous_(current) {
  current = this;
}

Application::~Application() {
  current = previous_;
}

Application& Application::Current() {
  assert(current && "no application exists");
  return *current;
}

bool Application::Exists() {
  return current != nullptr;
}

void Application::PostMessage(Control& target, uint32_t msg, uintptr_t wParam, intptr_t lParam) {
  {
    std::lock_guard lock(posted_mutex_);
    posted_.push_back({&target, {msg, wParam, lParam}, {}});
  }
  backend_.Wake();
}

void Application::Post(std::function<void()> function) {
  {
    std::lock_guard lock(posted_mutex_);
    posted_.push_back({nullptr, {}, std::move(function)});
  }
  backend_.Wake();
}

void Application::ForgetTarget(Control& control) {
  std::lock_guard lock(posted_mutex_);
  std::erase_if(posted_, [&](const Posted& p) { return p.target == &control; });
}

bool Application::DispatchPosted() {
  Posted next;
  {
    std::lock_guard lock(posted_mutex_);
    if (posted_.empty()) return false;
    next = std::move(posted_.front());
    posted_.pop_front();
  }
  if (next.target) {
    next.target->HandleMessage(next.message);
  } else if (next.function) {
    next.function();
  }
  return true;
}

bool Application::DispatchInput() {
  platform::Event event;
  if (!backend_.PollEvent(event)) return false;
  if (event.type == platform::Event::Type::Quit) {
    Terminate();
    return true;
  }
  if (Window* window = FindWindow(event.window)) window->HandleEvent(event);
  return true;
}

bool Application::PaintWindows() {
  for (Window* window : windows_) {
    if (window->Visible() && window->NeedsPaint()) {
      window->Update();
      return true;
    }
  }
  return false;
}

bool Application::FireDueTimer(std::vector<const Timer*>& fired) {
  const int64_t now = Clock().LoopTimeUs();
  Timer* due = nullptr;
  for (Timer* timer : timers_) {
    if (!timer->running_ || timer->due_us_ > now) continue;
    if (std::find(fired.begin(), fired.end(), timer) != fired.end()) continue;
    if (!due || timer->due_us_ < due->due_us_) due = timer;
  }
  if (!due) return false;
  fired.push_back(due);
  due->Expire(now);
  return true;
}

void Application::ProcessMessages() {
  // A timer whose handler outlasts its interval would otherwise keep this call busy.
  std::vector<const Timer*> fired;
  while (DispatchPosted() || DispatchInput() || PaintWindows() || FireDueTimer(fired)) {
  }
}

int64_t Application::NextTimerDueUs() const {
  int64_t next = -1;
  for (const Timer* timer : timers_) {
    if (timer->running_ && (next < 0 || timer->due_us_ < next)) next = timer->due_us_;
  }
  return next;
}

void Application::WaitForWork() {
  {
    std::lock_guard lock(posted_mutex_);
    if (!posted_.empty()) return;
  }
  for (const Window* window : windows_) {
    if (window->Visible() && window->NeedsPaint()) return;
  }
  backend_.WaitEvents(NextTimerDueUs());
}

void Application::Run() {
  if (main_window_) main_window_->Show();
  while (!terminated_) {
    ProcessMessages();
    if (terminated_) break;
    WaitForWork();
  }
}

void Application::Terminate() {
  terminated_ = true;
  backend_.Wake();
}

Window* Application::FindWindow(uint32_t id) const {
  for (Window* window : windows_) {
    if (window->native_ && window->native_->Id() == id) return window;
  }
  return nullptr;
}

void Application::AddWindow(Window& window) {
  windows_.push_back(&window);
  if (!main_window_) main_window_ = &window;
}

void Application::RemoveWindow(Window& window) {
  std::erase(windows_, &window);
  std::erase(modal_stack_, &window);
  if (main_window_ == &window) main_window_ = nullptr;
}

void Application::RemoveTimer(Timer& timer) {
  std::erase(timers_, &timer);
}

}  // namespace gui
