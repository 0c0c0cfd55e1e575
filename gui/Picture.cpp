#include "gui/Picture.h"

#include <algorithm>

#include "gui/Canvas.h"

namespace gui {

Picture::Picture(const Picture& other)
    : bitmap_(other.bitmap_), transparent_(other.transparent_), format_(other.format_) {}

Picture& Picture::operator=(const Picture& other) {
  if (this == &other) return *this;
  bitmap_ = other.bitmap_;
  transparent_ = other.transparent_;
  format_ = other.format_;
  Changed();
  return *this;
}

bool Picture::LoadFromMemory(std::span<const uint8_t> bytes) {
  std::optional<DecodedImage> decoded = DecodeImage(bytes);
  if (!decoded) return false;
  bitmap_ = std::move(decoded->bitmap);
  transparent_ = decoded->transparent;
  format_ = DetectImageFormat(bytes);
  Changed();
  return true;
}

void Picture::Assign(Bitmap bitmap) {
  const bool hadAlpha = bitmap.PixelFormat() == Bitmap::Format::Bgra32;
  bitmap.SetFormat(Bitmap::Format::Bgra32);
  transparent_ = false;
  for (int y = 0; y < bitmap.Height(); ++y) {
    uint8_t* p = bitmap.Row(y) + 3;
    for (int x = 0; x < bitmap.Width(); ++x, p += 4) {
      if (!hadAlpha) *p = 255;
      transparent_ = transparent_ || *p != 255;
    }
  }
  bitmap_ = std::move(bitmap);
  format_ = ImageFormat::Bmp;
  Changed();
}

void Picture::Clear() {
  bitmap_ = Bitmap();
  transparent_ = false;
  format_ = ImageFormat::Unknown;
  Changed();
}

void Picture::SetSize(int width, int height) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  if (width == Width() && height == Height()) return;
  Bitmap resized(width, height, Bitmap::Format::Bgra32);
  for (int y = 0; y < height; ++y) {
    uint8_t* out = resized.Row(y);
    for (int x = 0; x < width; ++x) out[x * 4 + 3] = 255;
    if (y < Height()) {
      std::copy_n(bitmap_.Row(y), size_t(std::min(width, Width())) * 4, out);
    }
  }
  bitmap_ = std::move(resized);
  Changed();
}

void Picture::DrawOn(Canvas& canvas, Point at) const {
  if (transparent_) {
    canvas.DrawBlended(at, bitmap_);
  } else {
    canvas.Draw(at, bitmap_);
  }
}

int Picture::Subscribe(Listener listener) {
  listeners_.emplace_back(next_token_, std::move(listener));
  return next_token_++;
}

void Picture::Unsubscribe(int token) {
  std::erase_if(listeners_, [token](const auto& entry) { return entry.first == token; });
}

void Picture::Changed() {
  // A copy, so that a listener may unsubscribe (or subscribe) while being called.
  const auto listeners = listeners_;
  for (const auto& [token, listener] : listeners) {
    if (listener) listener();
  }
}

}  // namespace gui
