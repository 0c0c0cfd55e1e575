// A picture container: one decoded image (bitmap, JPEG or PNG) at 32 bits per pixel,
// with change notification. Assigning one picture to another copies the image and
// notifies the assigned-to picture's listeners; listeners are never copied.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <utility>
#include <vector>

#include "gui/Bitmap.h"
#include "gui/Geometry.h"
#include "gui/ImageCodec.h"

namespace gui {

class Canvas;

class Picture {
 public:
  using Listener = std::function<void()>;

  Picture() = default;
  Picture(const Picture& other);
  Picture& operator=(const Picture& other);
  ~Picture() = default;

  // Decodes by signature; on damaged or unknown data returns false and keeps the image.
  bool LoadFromMemory(std::span<const uint8_t> bytes);
  // Takes a bitmap (converted to 32 bits per pixel; transparency read from its alpha
  // when it has one, else it is opaque).
  void Assign(Bitmap bitmap);
  void Clear();
  // Crops or extends to a new size; new pixels are black and opaque.
  void SetSize(int width, int height);

  const Bitmap& Image() const { return bitmap_; }
  int Width() const { return bitmap_.Width(); }
  int Height() const { return bitmap_.Height(); }
  bool Empty() const { return bitmap_.Empty(); }
  bool Transparent() const { return transparent_; }
  ImageFormat SourceFormat() const { return format_; }

  // Draws at its own size: blended by alpha when transparent, a plain copy otherwise.
  void DrawOn(Canvas& canvas, Point at) const;

  // Listeners are called after every change, in the order they subscribed.
  int Subscribe(Listener listener);
  void Unsubscribe(int token);
  // Lets code that edited the image directly (through EditImage) announce it.
  Bitmap& EditImage() { return bitmap_; }
  void Changed();

 private:
  Bitmap bitmap_;
  bool transparent_ = false;
  ImageFormat format_ = ImageFormat::Unknown;
  std::vector<std::pair<int, Listener>> listeners_;
  int next_token_ = 1;
};

}  // namespace gui
