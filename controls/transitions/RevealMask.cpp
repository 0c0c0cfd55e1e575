#include "controls/transitions/RevealMask.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace controls::transitions {

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
  std::vector<double> crossings;
  crossings.reserve(corners.size());
  for (int y = first; y <= last; ++y) {
    const double centre = y + 0.5;
    crossings.clear();
    for (size_t i = 0; i < corners.size(); ++i) {
      const PointF& a = corners[i];
      const PointF& b = corners[(i + 1) % corners.size()];
      if ((a.y <= centre) == (b.y <= centre)) continue;
      crossings.push_back(a.x + (centre - a.y) * (b.x - a.x) / (b.y - a.y));
    }
    std::sort(crossings.begin(), crossings.end());
    for (size_t i = 0; i + 1 < crossings.size(); i += 2)
      AddCentres(y, crossings[i], crossings[i + 1]);
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
    const double in = dy * dy < inner * inner ? std::sqrt(inner * inner - dy * dy) : 0;
    if (in <= 0) {
      AddCentres(y, centre.x - out, centre.x + out);
      continue;
    }
    // Both sides of the hole; a centre exactly on the inner circle belongs to the ring.
    AddCentres(y, centre.x - out, std::nextafter(centre.x - in, centre.x));
    AddCentres(y, centre.x + in, centre.x + out);
  }
}

void RevealMask::Invert() {
  for (uint8_t& bit : bits_) bit ^= 1;
}

void RevealMask::CopyNewInside(const TransitionFrame& frame) const {
  for (int y = 0; y < h_; ++y) {
    const uint8_t* row = bits_.data() + size_t(y) * size_t(w_);
    const uint8_t* end = row + w_;
    uint32_t* s = Pixels(frame.screen, y);
    const uint32_t* n = Pixels(frame.image, y);
    for (const uint8_t* p = row; p < end;) {
      const auto* on = static_cast<const uint8_t*>(std::memchr(p, 1, size_t(end - p)));
      if (!on) break;
      const auto* off = static_cast<const uint8_t*>(std::memchr(on, 0, size_t(end - on)));
      if (!off) off = end;
      std::memcpy(s + (on - row), n + (on - row), size_t(off - on) * 4);
      p = off;
    }
  }
}

}  // namespace controls::transitions
