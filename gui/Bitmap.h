// A device-independent bitmap: top-down rows of blue, green, red (and a fourth byte at
// 32 bits per pixel), each row padded to four bytes, with direct row access.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "gui/Color.h"

namespace gui {

class Bitmap {
 public:
  enum class Format : uint8_t { Bgr24 = 3, Bgra32 = 4 };

  Bitmap() = default;
  Bitmap(int width, int height, Format format = Format::Bgra32);

  // Reallocates; the contents become black (all bytes zero).
  void Resize(int width, int height);
  void SetFormat(Format format);  // converts the pixels
  void Fill(Color color);

  int Width() const { return width_; }
  int Height() const { return height_; }
  bool Empty() const { return width_ <= 0 || height_ <= 0; }
  Format PixelFormat() const { return format_; }
  int BytesPerPixel() const { return int(format_); }
  int Stride() const { return stride_; }

  uint8_t* Row(int y) { return pixels_.data() + size_t(y) * size_t(stride_); }
  const uint8_t* Row(int y) const { return pixels_.data() + size_t(y) * size_t(stride_); }
  uint8_t* Data() { return pixels_.data(); }
  const uint8_t* Data() const { return pixels_.data(); }

  // Bounds-checked single pixels (outside reads give 0, outside writes do nothing).
  Color Pixel(int x, int y) const;
  void SetPixel(int x, int y, Color color);
  // The fourth byte at 32 bits per pixel (0 at 24).
  uint8_t Alpha(int x, int y) const;

  bool operator==(const Bitmap&) const = default;

 private:
  int width_ = 0;
  int height_ = 0;
  int stride_ = 0;
  Format format_ = Format::Bgra32;
  std::vector<uint8_t> pixels_;
};

}  // namespace gui
