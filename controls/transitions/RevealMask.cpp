#include "controls/transitions/RevealMask.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace controls::transitions {
namespace {

// Sixteen mask bytes, widened in two steps (which compiles to plain unpacking) to
// sixteen pixels.
using U8x16 = uint8_t __attribute__((vector_size(16)));
using U16x16 = uint16_t __attribute__((vector_size(32)));
using U32x16 = uint32_t __attribute__((vector_size(64)));

constexpr ptrdiff_t kShortRun = 16;  // pixels

}  // namespace

void SelectNew(uint32_t* screen, const uint32_t* image, const uint8_t* take, int count) {
  // Sixteen pixels at a time, without branches: a 1 turns into all ones, which picks the
  // new pixel.
  int x = 0;
  for (; x + 16 <= count; x += 16) {
    U8x16 bits;
    U32x16 s;
    U32x16 n;
    std::memcpy(&bits, take + x, sizeof bits);
    std::memcpy(&s, screen + x, sizeof s);
    std::memcpy(&n, image + x, sizeof n);
    const U32x16 pick = -__builtin_convertvector(__builtin_convertvector(bits, U16x16), U32x16);
    s = (n & pick) | (s & ~pick);
    std::memcpy(screen + x, &s, sizeof s);
  }
  for (; x < count; ++x) {
    if (take[x]) screen[x] = image[x];
  }
}

void RevealMask::AddSpan(int y, int x0, int x1) {
  if (y < 0 || y >= h_) return;
  x0 = std::max(x0, 0);
  x1 = std::min(x1, w_);
  if (x0 < x1) std::memset(bits_.data() + size_t(y) * size_t(w_) + size_t(x0), 1, size_t(x1 - x0));
}

void RevealMask::AddRect(const gui::Rect& r) {
  for (int y = std::max(r.top, 0); y < std::min(r.bottom, h_); ++y) AddSpan(y, r.left, r.right);
}

void RevealMask::AddCentres(int y, double from, double to) {
  // Centre x + 0.5 in [from, to) means x in [from - 0.5, to - 0.5).
  const double lo = std::clamp(std::ceil(from - 0.5), -1.0, double(w_) + 1);
  const double hi = std::clamp(std::ceil(to - 0.5), -1.0, double(w_) + 1);
  AddSpan(y, int(lo), int(hi));
}

void RevealMask::AddPolygon(std::span<const PointF> corners) {
  if (corners.size() < 3) return;
  double top = corners[0].y;
  double bottom = corners[0].y;
  for (const PointF& p : corners) {
    top = std::min(top, p.y);
    bottom = std::max(bottom, p.y);
  }
  const int first = std::max(0, int(std::floor(top)));
  const int last = std::min(h_ - 1, int(std::ceil(bottom)));
  std::vector<double> crossings(corners.size());
  for (int y = first; y <= last; ++y) {
    const double centre = y + 0.5;
    size_t count = 0;
    for (size_t i = 0; i < corners.size(); ++i) {
      const PointF& a = corners[i];
      const PointF& b = corners[i + 1 < corners.size() ? i + 1 : 0];
      if ((a.y <= centre) == (b.y <= centre)) continue;
      // Kept in order as they come: a row crosses only a few edges.
      const double x = a.x + (centre - a.y) * (b.x - a.x) / (b.y - a.y);
      size_t at = count++;
      for (; at > 0 && crossings[at - 1] > x; --at) crossings[at] = crossings[at - 1];
      crossings[at] = x;
    }
    for (size_t i = 0; i + 1 < count; i += 2) AddCentres(y, crossings[i], crossings[i + 1]);
  }
}

void RevealMask::AddEllipse(PointF centre, double rx, double ry) {
  if (rx <= 0 || ry <= 0) return;
  const int first = std::max(0, int(std::floor(centre.y - ry)));
  const int last = std::min(h_ - 1, int(std::ceil(centre.y + ry)));
  for (int y = first; y <= last; ++y) {
    const double dy = (y + 0.5 - centre.y) / ry;
    if (dy * dy >= 1) continue;
    const double half = rx * std::sqrt(1 - dy * dy);
    AddCentres(y, centre.x - half, centre.x + half);
  }
}

void RevealMask::AddRing(PointF centre, double inner, double outer) {
  if (outer <= inner) return;
  const int first = std::max(0, int(std::floor(centre.y - outer)));
  const int last = std::min(h_ - 1, int(std::ceil(centre.y + outer)));
  for (int y = first; y <= last; ++y) {
    const double dy = y + 0.5 - centre.y;
    if (dy * dy >= outer * outer) continue;
    const double out = std::sqrt(outer * outer - dy * dy);
    if (dy * dy >= inner * inner) {
      AddCentres(y, centre.x - out, centre.x + out);
      continue;
    }
    // Both sides of the hole; a centre exactly on the inner circle belongs to the ring.
    const double in = std::sqrt(inner * inner - dy * dy);
    AddSpan(y, int(std::ceil(centre.x - out - 0.5)), int(std::floor(centre.x - in - 0.5)) + 1);
    AddCentres(y, centre.x + in, centre.x + out);
  }
}

void RevealMask::Invert() {
  // Eight bytes at a time.
  constexpr uint64_t kOnes = 0x0101010101010101u;
  size_t i = 0;
  for (; i + 8 <= bits_.size(); i += 8) {
    uint64_t word;
    std::memcpy(&word, bits_.data() + i, 8);
    word ^= kOnes;
    std::memcpy(bits_.data() + i, &word, 8);
  }
  for (; i < bits_.size(); ++i) bits_[i] ^= 1;
}

void RevealMask::CopyNewInside(const TransitionFrame& frame) const {
  for (int y = 0; y < h_; ++y) {
    const uint8_t* row = bits_.data() + size_t(y) * size_t(w_);
    const uint8_t* end = row + w_;
    uint32_t* s = Pixels(frame.screen, y);
    const uint32_t* n = Pixels(frame.image, y);
    // Long runs are copied whole; once they turn short, the rest of the row is picked
    // pixel by pixel.
    for (const uint8_t* p = row; p < end;) {
      const auto* on = static_cast<const uint8_t*>(std::memchr(p, 1, size_t(end - p)));
      if (!on) break;
      const auto* off = static_cast<const uint8_t*>(std::memchr(on, 0, size_t(end - on)));
      if (!off) off = end;
      const ptrdiff_t x = on - row;
      if (off - on < kShortRun) {
        SelectNew(s + x, n + x, on, int(end - on));
        break;
      }
      std::memcpy(s + x, n + x, size_t(off - on) * 4);
      p = off;
    }
  }
}

}  // namespace controls::transitions
