// The desktop backend under a real X server: a wake-up sent to a window that was just
// destroyed is answered with BadWindow, which may be read only while SDL shuts down. The
// program must live through it. Skipped without a display.
#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/sdl/SdlBackend.h"
// After the backend's header: Xlib's macros would rename its types.
#include <X11/Xlib.h>

namespace platform {
namespace {

bool HaveDisplay() {
  const char* display = std::getenv("DISPLAY");
  return display && *display;
}

// A client event sent to a window that no longer exists, and the server's answer read.
void SendToDestroyedWindow() {
  Display* display = XOpenDisplay(nullptr);
  if (!display) std::exit(3);
  const ::Window window =
      XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 10, 10, 0, 0, 0);
  XDestroyWindow(display, window);
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.format = 32;
  XSendEvent(display, window, False, NoEventMask, &event);
  XSync(display, False);
  XCloseDisplay(display);
}

TEST(X11ErrorsTest, AWakeUpToAClosedWindowAfterShutDownDoesNotEndTheProgram) {
  if (!HaveDisplay()) GTEST_SKIP() << "no X display";
  EXPECT_EXIT(
      {
        { SdlBackend backend; }
        SendToDestroyedWindow();
        std::exit(0);
      },
      testing::ExitedWithCode(0), "");
}

TEST(X11ErrorsTest, AWakeUpToAClosedWindowWhileRunningIsIgnored) {
  if (!HaveDisplay()) GTEST_SKIP() << "no X display";
  EXPECT_EXIT(
      {
        SdlBackend backend;
        SendToDestroyedWindow();
        std::exit(0);
      },
      testing::ExitedWithCode(0), "");
}

}  // namespace
}  // namespace platform
