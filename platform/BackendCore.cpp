#include "platform/BackendCore.h"

#include <algorithm>
#include <cstring>

namespace platform {

Rect ClipToFrame(Rect r, const FrameView& frame, int width, int height) {
  r.left = std::max(r.left, 0);
  r.top = std::max(r.top, 0);
  r.right = std::min({r.right, frame.width, width});
  r.bottom = std::min({r.bottom, frame.height, height});
  return r;
}

void CopyFrameRect(const FrameView& frame, const Rect& r, uint8_t* target, size_t stride) {
  const size_t bytes = size_t(r.right - r.left) * 4;
  for (int y = r.top; y < r.bottom; ++y) {
    std::memcpy(target + size_t(y) * stride + size_t(r.left) * 4,
                frame.pixels + size_t(y) * size_t(frame.stride) + size_t(r.left) * 4, bytes);
  }
}

bool EventQueue::Pop(Event& event) {
  if (events_.empty()) return false;
  event = events_.front();
  events_.pop_front();
  return true;
}

void EventQueue::DropWindow(uint32_t window) {
  std::erase_if(events_, [window](const Event& e) { return e.window == window; });
}

int64_t WaitMs(int64_t deadlineUs, int64_t nowUs, int64_t maxMs) {
  if (deadlineUs < 0) return kWaitWithoutLimit;
  const int64_t left = deadlineUs - nowUs;
  if (left <= 0) return 0;
  return std::min<int64_t>((left + 999) / 1000, maxMs);
}

}  // namespace platform
