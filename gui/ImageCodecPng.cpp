// PNG decoding through libpng.
#include <png.h>

#include <csetjmp>
#include <cstring>
#include <vector>

#include "gui/ImageCodec.h"

namespace gui {

namespace {

struct Reader {
  std::span<const uint8_t> bytes;
  size_t pos = 0;
};

void ReadFromMemory(png_structp png, png_bytep out, png_size_t length) {
  auto* reader = static_cast<Reader*>(png_get_io_ptr(png));
  if (reader->bytes.size() - reader->pos < length) png_error(png, "truncated");
  std::memcpy(out, reader->bytes.data() + reader->pos, length);
  reader->pos += length;
}

void Silent(png_structp, png_const_charp) {}
[[noreturn]] void Fail(png_structp png, png_const_charp) {
  png_longjmp(png, 1);
}

}  // namespace

namespace {

// Locals live only after setjmp, so libpng's error jump cannot clobber them; whatever
// owns memory belongs to the caller, so the jump leaks nothing.
bool Decode(png_structp png, png_infop info, Reader& reader, Bitmap& bitmap,
            std::vector<png_bytep>& rows) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_set_read_fn(png, &reader, ReadFromMemory);
  png_set_user_limits(png, kMaxImageSide, kMaxImageSide);
  png_read_info(png, info);
  const png_uint_32 width = png_get_image_width(png, info);
  const png_uint_32 height = png_get_image_height(png, info);
  // Everything becomes 8-bit blue, green, red, alpha.
  png_set_expand(png);
  png_set_strip_16(png);
  png_set_gray_to_rgb(png);
  png_set_bgr(png);
  png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
  if (png_get_rowbytes(png, info) != size_t(width) * 4) return false;
  bitmap.Resize(int(width), int(height));
  rows.resize(height);
  for (png_uint_32 y = 0; y < height; ++y) rows[y] = bitmap.Row(int(y));
  png_read_image(png, rows.data());
  png_read_end(png, nullptr);
  return true;
}

}  // namespace

std::optional<DecodedImage> DecodePng(std::span<const uint8_t> bytes) {
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, Fail, Silent);
  if (!png) return std::nullopt;
  png_infop info = png_create_info_struct(png);
  Reader reader{bytes};
  DecodedImage image;
  std::vector<png_bytep> rows;
  const bool ok = info && Decode(png, info, reader, image.bitmap, rows);
  png_destroy_read_struct(&png, &info, nullptr);
  if (!ok) return std::nullopt;
  for (int y = 0; y < image.bitmap.Height() && !image.transparent; ++y) {
    const uint8_t* p = image.bitmap.Row(y);
    for (int x = 0; x < image.bitmap.Width(); ++x) {
      if (p[x * 4 + 3] != 255) {
        image.transparent = true;
        break;
      }
    }
  }
  return image;
}

}  // namespace gui
