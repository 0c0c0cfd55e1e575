// The Win32 window backend on a real desktop (wine under Xvfb in CI): placement,
// presents read back from the screen, input, dragging, waking, timers, owned windows.
#include "platform/win32/Win32Backend.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

#include "tests/win32/SyntheticInput.h"

namespace platform {
namespace {

using Type = Event::Type;

HWND Hwnd(const NativeWindow& window) {
  return static_cast<HWND>(Win32Backend::Handle(window));
}

class Win32BackendTest : public testing::Test {
 protected:
  // Takes events for up to ms milliseconds, or until stop says so.
  std::vector<Event> Pump(int ms, const std::function<bool(const Event&)>& stop = nullptr) {
    std::vector<Event> events;
    const int64_t end = backend_.GetClock().LoopTimeUs() + int64_t(ms) * 1000;
    while (backend_.GetClock().LoopTimeUs() < end) {
      Event e;
      while (backend_.PollEvent(e)) {
        events.push_back(e);
        if (stop && stop(e)) return events;
      }
      backend_.WaitEvents(end);
    }
    return events;
  }
  static bool Has(const std::vector<Event>& events, Type type, uint32_t window) {
    for (const Event& e : events) {
      if (e.type == type && e.window == window) return true;
    }
    return false;
  }

  std::unique_ptr<NativeWindow> Open(int x, int y, int w, int h,
                                     const NativeWindow* owner = nullptr, bool show = true) {
    WindowOptions options;
    options.title = "test";
    options.x = x;
    options.y = y;
    options.width = w;
    options.height = h;
    options.owner = owner;
    auto window = backend_.OpenWindow(options);
    if (show) {
      window->Show();
      Pump(300);  // the desktop maps and paints it
    }
    return window;
  }

  // Moves the pointer as a mouse would, and takes the events that follow.
  std::vector<Event> MoveTo(int x, int y) {
    SendPointerTo(x, y);
    return Pump(100);
  }

  Win32Backend backend_;
};

// A frame of one colour, its pixels as 0x00RRGGBB the way GDI reads them back.
std::vector<uint8_t> Frame(int w, int h, COLORREF colour) {
  std::vector<uint8_t> pixels(size_t(w) * size_t(h) * 4);
  for (size_t i = 0; i < pixels.size(); i += 4) {
    pixels[i] = GetBValue(colour);
    pixels[i + 1] = GetGValue(colour);
    pixels[i + 2] = GetRValue(colour);
    pixels[i + 3] = 255;
  }
  return pixels;
}

COLORREF ScreenPixel(HWND window, int x, int y) {
  HDC dc = ::GetDC(window);
  const COLORREF c = ::GetPixel(dc, x, y);
  ::ReleaseDC(window, dc);
  return c;
}

TEST_F(Win32BackendTest, WindowsOpenAtTheAskedPlaceAndSize) {
  auto window = Open(120, 90, 230, 150);
  RECT client{};
  ::GetClientRect(Hwnd(*window), &client);
  POINT origin{0, 0};
  ::ClientToScreen(Hwnd(*window), &origin);
  EXPECT_EQ(client.right, 230);
  EXPECT_EQ(client.bottom, 150);
  EXPECT_EQ(origin.x, 120);
  EXPECT_EQ(origin.y, 90);
  window->SetBounds(140, 100, 200, 100);
  ::GetClientRect(Hwnd(*window), &client);
  origin = {0, 0};
  ::ClientToScreen(Hwnd(*window), &origin);
  EXPECT_EQ(client.right, 200);
  EXPECT_EQ(client.bottom, 100);
  EXPECT_EQ(origin.x, 140);
  EXPECT_EQ(origin.y, 100);
  // Borderless popups without an owner: the program's own task-bar entry.
  const LONG_PTR style = ::GetWindowLongPtrW(Hwnd(*window), GWL_STYLE);
  EXPECT_TRUE(style & WS_POPUP);
  EXPECT_FALSE(style & WS_CAPTION);
}

TEST_F(Win32BackendTest, PresentsReachTheScreenWholeAndByRectangle) {
  auto window = Open(60, 60, 160, 120);
  std::vector<uint8_t> blue = Frame(160, 120, RGB(0, 0, 200));
  window->Present({blue.data(), 160, 120, 160 * 4}, {});
  Pump(100);
  EXPECT_EQ(ScreenPixel(Hwnd(*window), 0, 0), RGB(0, 0, 200));
  EXPECT_EQ(ScreenPixel(Hwnd(*window), 159, 119), RGB(0, 0, 200));

  // A partial present near the top copies just that rectangle, from the same rows.
  std::vector<uint8_t> frame = Frame(160, 120, RGB(0, 0, 200));
  std::vector<uint8_t> red = Frame(160, 120, RGB(220, 0, 0));
  for (int y = 10; y < 30; ++y) {
    std::copy_n(red.begin(), 40 * 4, frame.begin() + (y * 160 + 20) * 4);
  }
  const Rect dirty[] = {{20, 10, 60, 30}};
  window->Present({frame.data(), 160, 120, 160 * 4}, dirty);
  Pump(100);
  HWND hwnd = Hwnd(*window);
  EXPECT_EQ(ScreenPixel(hwnd, 20, 10), RGB(220, 0, 0));
  EXPECT_EQ(ScreenPixel(hwnd, 59, 29), RGB(220, 0, 0));
  EXPECT_EQ(ScreenPixel(hwnd, 19, 10), RGB(0, 0, 200));
  EXPECT_EQ(ScreenPixel(hwnd, 20, 30), RGB(0, 0, 200));
  EXPECT_EQ(ScreenPixel(hwnd, 40, 100), RGB(0, 0, 200));  // mirrored rows stay untouched

  // What the system asks to repaint comes from the kept frame.
  ::InvalidateRect(hwnd, nullptr, TRUE);
  ::UpdateWindow(hwnd);
  EXPECT_EQ(ScreenPixel(hwnd, 30, 20), RGB(220, 0, 0));
  EXPECT_EQ(ScreenPixel(hwnd, 100, 100), RGB(0, 0, 200));
}

TEST_F(Win32BackendTest, WakeFromAnotherThreadEndsAWait) {
  for (int round = 0; round < 2; ++round) {
    SCOPED_TRACE(round);  // the second wake-up is posted anew, not taken as still pending
    Pump(50);
    std::atomic<bool> woken = false;
    std::thread waker([&] {
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
      woken = true;
      backend_.Wake();
    });
    const int64_t start = backend_.GetClock().LoopTimeUs();
    const int64_t deadline = start + 10'000'000;
    // Other messages may end a wait early; after the wake-up the wait must end at once.
    bool returnedAfterWake = false;
    while (!returnedAfterWake && backend_.GetClock().LoopTimeUs() < deadline) {
      backend_.WaitEvents(deadline);
      returnedAfterWake = woken;
      Event e;
      while (backend_.PollEvent(e)) {
      }
    }
    waker.join();
    EXPECT_LT(backend_.GetClock().LoopTimeUs() - start, 5'000'000);
  }
}

TEST_F(Win32BackendTest, WaitsEndAtTheirDeadline) {
  const int64_t start = backend_.GetClock().LoopTimeUs();
  backend_.WaitEvents(start + 30'000);
  EXPECT_GE(backend_.GetClock().LoopTimeUs() - start, 29'000);
}

TEST_F(Win32BackendTest, PeriodicTimersTickUntilStopped) {
  Clock& clock = backend_.GetClock();
  EXPECT_GE(clock.PeriodicCaps().minPeriod, 1u);
  std::atomic<int> ticks = 0;
  auto timer = clock.StartPeriodic(5, [&] { ++ticks; });
  while (ticks < 5) std::this_thread::sleep_for(std::chrono::milliseconds(5));
  timer->Stop();
  const int stopped = ticks;
  std::this_thread::sleep_for(std::chrono::milliseconds(40));
  EXPECT_EQ(ticks, stopped);

  // A timer may end itself from its own callback.
  std::unique_ptr<PeriodicTimer> self;
  std::atomic<int> own = 0;
  self = clock.StartPeriodic(2, [&] {
    if (++own == 3) self.reset();
  });
  while (own < 3) std::this_thread::sleep_for(std::chrono::milliseconds(5));
  std::this_thread::sleep_for(std::chrono::milliseconds(30));
  EXPECT_EQ(own, 3);
}

TEST_F(Win32BackendTest, PointerEntersMovesAndLeaves) {
  MoveTo(5, 5);
  auto window = Open(200, 200, 100, 80);
  const uint32_t id = window->Id();
  std::vector<Event> events = MoveTo(230, 240);
  const std::vector<Event> more = MoveTo(235, 245);
  events.insert(events.end(), more.begin(), more.end());
  ASSERT_TRUE(Has(events, Type::MouseEnter, id));
  auto move = std::find_if(events.begin(), events.end(),
                           [](const Event& e) { return e.type == Type::MouseMove; });
  ASSERT_NE(move, events.end());
  EXPECT_EQ(move->x, 30);
  EXPECT_EQ(move->y, 40);
  std::vector<Event> left = MoveTo(600, 600);
  const std::vector<Event> later = Pump(200);
  left.insert(left.end(), later.begin(), later.end());
  EXPECT_TRUE(Has(left, Type::MouseLeave, id));
}

TEST_F(Win32BackendTest, APointerThatLeavesAfterAClickIsSeenLeaving) {
  // The press captures the pointer; its release ends the capture, which ends the leave
  // tracking too: it must be armed again.
  MoveTo(5, 5);
  auto window = Open(200, 200, 100, 80);
  const uint32_t id = window->Id();
  MoveTo(230, 240);
  SendButton(MOUSEEVENTF_LEFTDOWN);
  SendButton(MOUSEEVENTF_LEFTUP);
  Pump(200);
  std::vector<Event> events = MoveTo(600, 600);  // out in one move
  const std::vector<Event> later = Pump(300);
  events.insert(events.end(), later.begin(), later.end());
  EXPECT_TRUE(Has(events, Type::MouseLeave, id));
}

TEST_F(Win32BackendTest, APointerThatLeftWhileHeldLeavesWhenReleased) {
  MoveTo(5, 5);
  auto window = Open(200, 200, 100, 80);
  const uint32_t id = window->Id();
  MoveTo(230, 240);
  SendButton(MOUSEEVENTF_LEFTDOWN);
  Pump(100);
  std::vector<Event> events = MoveTo(600, 600);  // out in one move, the button held
  SendButton(MOUSEEVENTF_LEFTUP);
  const std::vector<Event> released = Pump(300);
  events.insert(events.end(), released.begin(), released.end());
  auto up = std::find_if(events.begin(), events.end(),
                         [](const Event& e) { return e.type == Type::MouseUp; });
  ASSERT_NE(up, events.end());
  EXPECT_TRUE(std::any_of(up, events.end(), [id](const Event& e) {
    return e.type == Type::MouseLeave && e.window == id;
  }));
}

TEST_F(Win32BackendTest, AClickFoundQueuedAfterTheLeaveIsInsideThenLeavesAgain) {
  // The program is busy while the pointer clicks the window and goes on. The system's
  // leave, a posted message, is taken before the click's input that came earlier.
  MoveTo(5, 5);
  auto window = Open(200, 200, 100, 80);
  const uint32_t id = window->Id();
  MoveTo(230, 240);
  SendButton(MOUSEEVENTF_LEFTDOWN);
  SendButton(MOUSEEVENTF_LEFTUP);
  SendPointerTo(600, 600);  // away, not taken until the leave below is
  ::PostMessageW(Hwnd(*window), WM_MOUSELEAVE, 0, 0);
  const std::vector<Event> events = Pump(500);
  std::vector<Type> pointer;
  for (const Event& e : events) {
    if (e.window == id && e.type != Type::MouseMove) pointer.push_back(e.type);
  }
  // Inside for the click, as the pointer was when it clicked, and out again after it.
  EXPECT_EQ(pointer, (std::vector<Type>{Type::MouseLeave, Type::MouseEnter, Type::MouseDown,
                                        Type::MouseUp, Type::MouseLeave}));
}

TEST_F(Win32BackendTest, PressesAndReleasesAreDeliveredWithTheirPoint) {
  auto window = Open(200, 200, 100, 80);
  MoveTo(210, 220);
  SendButton(MOUSEEVENTF_LEFTDOWN);
  SendButton(MOUSEEVENTF_LEFTUP);
  const std::vector<Event> events =
      Pump(300, [](const Event& e) { return e.type == Type::MouseUp; });
  auto down = std::find_if(events.begin(), events.end(),
                           [](const Event& e) { return e.type == Type::MouseDown; });
  ASSERT_NE(down, events.end());
  EXPECT_EQ(down->x, 10);
  EXPECT_EQ(down->y, 20);
  EXPECT_EQ(down->button, MouseButton::Left);
  EXPECT_TRUE(Has(events, Type::MouseUp, window->Id()));
}

TEST_F(Win32BackendTest, DraggingMovesTheWindowByHand) {
  auto window = Open(300, 300, 120, 90);
  window->SetDragTest([](int, int y) { return y < 20; });
  MoveTo(310, 305);
  SendButton(MOUSEEVENTF_LEFTDOWN);
  std::vector<Event> events = Pump(100);
  for (const auto& step : {MoveTo(340, 325), MoveTo(350, 345)}) {
    events.insert(events.end(), step.begin(), step.end());
  }
  SendButton(MOUSEEVENTF_LEFTUP);
  const std::vector<Event> released = Pump(200);
  events.insert(events.end(), released.begin(), released.end());
  RECT r{};
  ::GetWindowRect(Hwnd(*window), &r);
  EXPECT_EQ(r.left, 340);
  EXPECT_EQ(r.top, 340);
  EXPECT_FALSE(Has(events, Type::MouseDown, window->Id()));
  EXPECT_TRUE(Has(events, Type::Moved, window->Id()));
  // Released: the pointer moves alone again.
  MoveTo(360, 360);
  ::GetWindowRect(Hwnd(*window), &r);
  EXPECT_EQ(r.left, 340);
}

TEST_F(Win32BackendTest, AMoveToAMonitorOfAnotherDensityIsARescale) {
  _putenv("TACHORA_SCALE=");  // the monitor decides
  auto window = Open(200, 200, 100, 80);
  EXPECT_GE(window->Scale(), 100);
  RECT suggested{150, 120, 350, 280};
  ::SendMessageW(Hwnd(*window), WM_DPICHANGED, MAKEWPARAM(192, 192),
                 reinterpret_cast<LPARAM>(&suggested));
  const std::vector<Event> events = Pump(100);
  auto rescaled = std::find_if(events.begin(), events.end(),
                               [](const Event& e) { return e.type == Type::Rescaled; });
  ASSERT_NE(rescaled, events.end());
  EXPECT_EQ(rescaled->window, window->Id());
  EXPECT_EQ(rescaled->scale, 200);
  EXPECT_EQ(rescaled->x, 150);
  EXPECT_EQ(rescaled->y, 120);
}

TEST_F(Win32BackendTest, CloseRequestsAndKeysBecomeEvents) {
  auto window = Open(100, 100, 80, 60);
  HWND hwnd = Hwnd(*window);
  ::PostMessageW(hwnd, WM_CLOSE, 0, 0);
  ::PostMessageW(hwnd, WM_KEYDOWN, 'A', 0);
  ::PostMessageW(hwnd, WM_KEYUP, VK_RETURN, 0);
  const std::vector<Event> events = Pump(200, [](const Event& e) { return e.type == Type::KeyUp; });
  EXPECT_TRUE(Has(events, Type::Close, window->Id()));
  EXPECT_TRUE(::IsWindow(hwnd));  // the program decides what closing means
  auto key = std::find_if(events.begin(), events.end(),
                          [](const Event& e) { return e.type == Type::KeyDown; });
  ASSERT_NE(key, events.end());
  EXPECT_EQ(key->key, 'A');
  EXPECT_TRUE(std::any_of(events.begin(), events.end(), [](const Event& e) {
    return e.type == Type::KeyUp && e.key == keys::kReturn;
  }));
}

TEST_F(Win32BackendTest, TheCursorFollowsTheControlUnderThePointer) {
  auto window = Open(200, 200, 100, 80);
  MoveTo(250, 240);
  window->SetCursor(Cursor::Hand);
  Pump(50);
  EXPECT_EQ(::GetCursor(), ::LoadCursorW(nullptr, IDC_HAND));
  window->SetCursor(Cursor::Arrow);
  Pump(50);
  EXPECT_EQ(::GetCursor(), ::LoadCursorW(nullptr, IDC_ARROW));
}

TEST_F(Win32BackendTest, OwnedDialogStaysAboveItsDisabledOwner) {
  auto owner = Open(100, 100, 300, 200);
  auto dialog = Open(150, 150, 120, 80, owner.get());
  EXPECT_EQ(::GetWindow(Hwnd(*dialog), GW_OWNER), Hwnd(*owner));
  // Owned windows have no task-bar entry of their own.
  EXPECT_FALSE(::GetWindowLongPtrW(Hwnd(*dialog), GWL_EXSTYLE) & WS_EX_APPWINDOW);

  owner->SetEnabled(false);
  EXPECT_FALSE(::IsWindowEnabled(Hwnd(*owner)));
  owner->Raise();  // even raised on purpose, the owner stays below its dialog
  Pump(100);
  ::SetForegroundWindow(Hwnd(*owner));
  Pump(100);
  // A press on the disabled owner is not the program's input; it brings the dialog forward.
  MoveTo(120, 280);
  SendButton(MOUSEEVENTF_LEFTDOWN);
  SendButton(MOUSEEVENTF_LEFTUP);
  const std::vector<Event> events = Pump(300);
  EXPECT_FALSE(Has(events, Type::MouseDown, owner->Id()));
  EXPECT_EQ(::GetForegroundWindow(), Hwnd(*dialog));
  // The dialog is above the owner in the stacking order.
  bool dialogFirst = false;
  for (HWND w = ::GetTopWindow(nullptr); w; w = ::GetWindow(w, GW_HWNDNEXT)) {
    if (w == Hwnd(*dialog)) {
      dialogFirst = true;
      break;
    }
    if (w == Hwnd(*owner)) break;
  }
  EXPECT_TRUE(dialogFirst);

  owner->SetEnabled(true);
  EXPECT_TRUE(::IsWindowEnabled(Hwnd(*owner)));
  dialog->Hide();
  Pump(100);
  MoveTo(125, 285);
  SendButton(MOUSEEVENTF_LEFTDOWN);
  SendButton(MOUSEEVENTF_LEFTUP);
  EXPECT_TRUE(Has(Pump(300), Type::MouseDown, owner->Id()));
}

}  // namespace
}  // namespace platform
