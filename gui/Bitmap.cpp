#include "gui/Bitmap.h"

#include <algorithm>

namespace gui {

namespace {
int StrideFor(int width, Bitmap::Format format) {
  return (std::max(width, 0) * int(format) + 3) & ~3;
}
}  // namespace

Bitmap::Bitmap(int width, int height, Format format) : format_(format) {
  Resize(width, height);
}

void Bitmap::Resize(int width, int height) {
  width_ = std::max(width, 0);
  height_ = std::max(height, 0);
  stride_ = StrideFor(width_, format_);
  pixels_.assign(size_t(stride_) * size_t(height_), 0);
}

void Bitmap::SetFormat(Format format) {
  if (format == format_) return;
  Bitmap converted(width_, height_, format);
  for (int y = 0; y < height_; ++y) {
    const uint8_t* src = Row(y);
    uint8_t* dst = converted.Row(y);
    for (int x = 0; x < width_; ++x) {
      std::copy_n(src + x * BytesPerPixel(), 3, dst + x * converted.BytesPerPixel());
    }
  }
  *this = std::move(converted);
}

void Bitmap::Fill(Color color) {
  for (int y = 0; y < height_; ++y) {
    uint8_t* p = Row(y);
    for (int x = 0; x < width_; ++x, p += BytesPerPixel()) {
      p[0] = Blue(color);
      p[1] = Green(color);
      p[2] = Red(color);
    }
  }
}

Color Bitmap::Pixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
  const uint8_t* p = Row(y) + x * BytesPerPixel();
  return Rgb(p[2], p[1], p[0]);
}

void Bitmap::SetPixel(int x, int y, Color color) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  uint8_t* p = Row(y) + x * BytesPerPixel();
  p[0] = Blue(color);
  p[1] = Green(color);
  p[2] = Red(color);
}

uint8_t Bitmap::Alpha(int x, int y) const {
  if (format_ != Format::Bgra32 || x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
  return Row(y)[x * 4 + 3];
}

}  // namespace gui
