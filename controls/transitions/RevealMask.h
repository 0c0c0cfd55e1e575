// Where the new picture shows in a frame, built from rectangles, polygons and ellipses:
// one byte per pixel, copied through in runs. A pixel belongs to a shape when its centre
// (x + 0.5, y + 0.5) lies inside it, as the canvas fills shapes.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "controls/transitions/TransitionFrame.h"
#include "gui/Geometry.h"

namespace controls::transitions {

// Copies the new pixels over the frame's where `take` is 1, leaving those where it is 0.
void SelectNew(uint32_t* screen, const uint32_t* image, const uint8_t* take, int count);

struct PointF {
  double x = 0;
  double y = 0;
};

class RevealMask {
 public:
  RevealMask(int w, int h) : w_(w), h_(h), bits_(size_t(w) * size_t(h)) {}

  // Each adds to what is already set; everything is clipped to the picture.
  void AddSpan(int y, int x0, int x1);  // half-open
  void AddRect(const gui::Rect& r);
  void AddPolygon(std::span<const PointF> corners);  // even-odd
  void AddEllipse(PointF centre, double rx, double ry);
  // Pixels whose centre lies at least `inner` and less than `outer` from the centre.
  void AddRing(PointF centre, double inner, double outer);
  void Invert();

  bool Contains(int x, int y) const { return bits_[size_t(y) * size_t(w_) + size_t(x)] != 0; }
  // Copies the new picture into the frame wherever the mask is set.
  void CopyNewInside(const TransitionFrame& frame) const;

 private:
  // The pixels whose centres lie in [from, to) along a row.
  void AddCentres(int y, double from, double to);

  int w_;
  int h_;
  std::vector<uint8_t> bits_;
};

}  // namespace controls::transitions
