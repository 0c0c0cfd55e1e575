// The window backend: top-level windows that show a bitmap the program composed, raw
// input events, cursors, moving a window by dragging, owned and disabled windows, and a
// loop wake-up. Free of any windowing system's types; one implementation per system plus
// an in-memory one.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "platform/Clock.h"

namespace platform {

// Half-open pixel rectangle: covers left..right-1, top..bottom-1.
struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  bool operator==(const Rect&) const = default;
};

enum class Cursor : uint8_t { Arrow, Hand };
enum class MouseButton : uint8_t { Left, Right, Middle };

// Key codes are the Windows virtual-key numbers: letters and digits are their upper-case
// ASCII codes; these name the others the program may meet.
namespace keys {
constexpr int kBack = 0x08;
constexpr int kTab = 0x09;
constexpr int kReturn = 0x0D;
constexpr int kEscape = 0x1B;
constexpr int kSpace = 0x20;
constexpr int kLeft = 0x25;
constexpr int kUp = 0x26;
constexpr int kRight = 0x27;
constexpr int kDown = 0x28;
constexpr int kF1 = 0x70;
}  // namespace keys

// Modifier bits of an input event.
namespace modifiers {
constexpr uint8_t kShift = 1;
constexpr uint8_t kControl = 2;
constexpr uint8_t kAlt = 4;
}  // namespace modifiers

struct Event {
  enum class Type : uint8_t {
    MouseMove,   // x, y: client coordinates
    MouseDown,   // x, y, button
    MouseUp,     // x, y, button
    MouseEnter,  // the pointer entered the window
    MouseLeave,  // the pointer left the window
    KeyDown,     // key
    KeyUp,       // key
    Close,       // the user asked to close the window
    Expose,      // the system lost the window's pixels: present the whole frame again
    Moved,       // x, y: the window's new screen position (after dragging)
    Quit,        // the session asks the program to end
    Rescaled,    // scale: the window's screen has another density; x, y: where it goes
  };
  Type type = Type::MouseMove;
  uint32_t window = 0;  // NativeWindow::Id(); 0 for Quit
  int x = 0;
  int y = 0;
  MouseButton button = MouseButton::Left;
  int key = 0;
  uint8_t modifiers = 0;
  int scale = 100;  // Rescaled: the new scale in percent
};

// A composed frame: top-down rows of blue, green, red and a fourth byte.
struct FrameView {
  const uint8_t* pixels = nullptr;
  int width = 0;
  int height = 0;
  int stride = 0;
};

class NativeWindow;

struct WindowOptions {
  std::string title{};
  int x = 0;  // screen position of the client area
  int y = 0;
  int width = 100;
  int height = 100;
  bool borderless = true;
  bool topmost = false;
  // An owned window stays above its owner and has no task-bar entry of its own.
  const NativeWindow* owner = nullptr;
};

class NativeWindow {
 public:
  virtual ~NativeWindow() = default;

  virtual uint32_t Id() const = 0;
  virtual void Show() = 0;
  virtual void Hide() = 0;
  virtual void SetTitle(std::string_view title) = 0;
  virtual void SetTopmost(bool topmost) = 0;
  virtual void SetBounds(int x, int y, int width, int height) = 0;
  // Copies the given rectangles of the frame to the screen (all of it when empty).
  virtual void Present(const FrameView& frame, std::span<const Rect> dirty) = 0;
  virtual void SetCursor(Cursor cursor) = 0;
  // Asked on a left press at a client point: true makes the press move the window by
  // the pointer's motion until release, and the press is not delivered as an event.
  virtual void SetDragTest(std::function<bool(int x, int y)> test) = 0;
  // Brings the window to the front and gives it the keyboard focus.
  virtual void Raise() = 0;
  // A disabled window takes no mouse or key input; a press on it brings its frontmost
  // enabled owned window to the front (as the owner of a running modal dialog does).
  virtual void SetEnabled(bool enabled) = 0;
  // The scale in percent its screen wants a window drawn at its design size shown at:
  // 100 on an ordinary screen, 200 on one of twice the density. Pixels, sizes and
  // positions of this interface are the screen's own.
  virtual int Scale() const { return 100; }
};

class Backend {
 public:
  virtual ~Backend() = default;

  // Opens a hidden window. (Not called CreateWindow: the Win32 headers make that a macro.)
  virtual std::unique_ptr<NativeWindow> OpenWindow(const WindowOptions& options) = 0;
  // The screen's usable area, where windows are centred.
  virtual Rect WorkArea() = 0;

  // Takes the next pending event; false when none is pending.
  virtual bool PollEvent(Event& event) = 0;
  // Returns when an event is pending, Wake() was called, or the clock's LoopTimeUs()
  // reached deadlineUs (a negative deadline waits without limit).
  virtual void WaitEvents(int64_t deadlineUs) = 0;
  // Makes a waiting WaitEvents return. Callable from any thread.
  virtual void Wake() = 0;

  virtual Clock& GetClock() = 0;
};

}  // namespace platform
