// What the window backends share, free of any windowing system: copying the visible part
// of a frame, the queue of translated events, the length of a wait, coalesced wake-ups,
// the arithmetic of dragging a window by hand, and the chain of owners.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <deque>

#include "platform/Window.h"

namespace platform {

// The part of r inside both a width x height target and the frame (empty when none).
Rect ClipToFrame(Rect r, const FrameView& frame, int width, int height);
inline bool IsEmpty(const Rect& r) {
  return r.right <= r.left || r.bottom <= r.top;
}

// Copies the rows of r (already clipped) from the frame into a target of four bytes a
// pixel whose rows are stride bytes apart.
void CopyFrameRect(const FrameView& frame, const Rect& r, uint8_t* target, size_t stride);

// The events translated from the system's, in order; a closed window's are dropped.
class EventQueue {
 public:
  void Push(const Event& event) { events_.push_back(event); }
  // Takes the oldest event; false when none is pending.
  bool Pop(Event& event);
  bool Empty() const { return events_.empty(); }
  int Size() const { return int(events_.size()); }
  void DropWindow(uint32_t window);

 private:
  std::deque<Event> events_;
};

// How long a wait for events until deadlineUs may block, in milliseconds, at most
// maxMs: kWaitWithoutLimit for a negative deadline, 0 when it has passed. Rounded up:
// waking a little late is harmless, waking early only spins once more.
constexpr int64_t kWaitWithoutLimit = -1;
int64_t WaitMs(int64_t deadlineUs, int64_t nowUs, int64_t maxMs);

// Many wake-ups before the loop takes one are one: only the first is sent to the system.
class WakeLatch {
 public:
  // True when this wake-up is the one to send.
  bool Arm() { return !pending_.exchange(true); }
  // The loop took the wake-up: the next one is sent again. Callable from any thread.
  void Taken() { pending_.store(false); }

 private:
  std::atomic<bool> pending_{false};
};

// A window moved by hand: it follows the pointer's screen position by the offset the
// press had.
struct HandDrag {
  struct Point {
    int x = 0;
    int y = 0;
    bool operator==(const Point&) const = default;
  };
  Point pointer;  // on the screen, at the press
  Point window;   // the window's position, at the press
  // Where the window goes for the pointer now at pointer.
  Point WindowFor(Point now) const {
    return {window.x + now.x - pointer.x, window.y + now.y - pointer.y};
  }
};

// Whether window is owned by owner, directly or through other owned windows; W names
// its owner by Owner().
template <typename W>
bool OwnedBy(const W& window, const W& owner) {
  for (const W* o = window.Owner(); o; o = o->Owner()) {
    if (o == &owner) return true;
  }
  return false;
}

}  // namespace platform
