#include "gui/PngWriter.h"

#include <png.h>

#include <csetjmp>

#include "gui/PngRow.h"

namespace gui {

namespace {

void Append(png_structp png, png_bytep data, png_size_t length) {
  auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + length);
}
void Flush(png_structp) {}
void Silent(png_structp, png_const_charp) {}
[[noreturn]] void Fail(png_structp png, png_const_charp) {
  png_longjmp(png, 1);
}

// Locals live only after setjmp, so libpng's error jump cannot clobber them; whatever
// owns memory belongs to the caller, so the jump leaks nothing.
bool Encode(png_structp png, png_infop info, const Bitmap& bitmap, bool alpha,
            std::vector<uint8_t>& line, std::vector<uint8_t>& out) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_set_write_fn(png, &out, Append, Flush);
  png_set_IHDR(png, info, png_uint_32(bitmap.Width()), png_uint_32(bitmap.Height()), 8,
               alpha ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_set_compression_level(png, 6);
  png_write_info(png, info);
  line.resize(size_t(bitmap.Width()) * (alpha ? 4 : 3));
  for (int y = 0; y < bitmap.Height(); ++y) {
    PackPngRow(bitmap, y, alpha, line.data());
    png_write_row(png, line.data());
  }
  png_write_end(png, nullptr);
  return true;
}

}  // namespace

std::vector<uint8_t> EncodePng(const Bitmap& bitmap, PngChannels channels) {
  std::vector<uint8_t> out;
  if (bitmap.Empty()) return out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, Fail, Silent);
  if (!png) return out;
  png_infop info = png_create_info_struct(png);
  std::vector<uint8_t> line;
  const bool ok = info && Encode(png, info, bitmap, channels == PngChannels::Rgba, line, out);
  png_destroy_write_struct(&png, &info);
  if (!ok) out.clear();
  return out;
}

}  // namespace gui
