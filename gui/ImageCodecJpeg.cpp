// JPEG decoding through libjpeg(-turbo).
#include <cstdio>  // jpeglib.h needs FILE

#include <jpeglib.h>

#include <csetjmp>
#include <vector>

#include "gui/ImageCodec.h"

namespace gui {

namespace {

struct ErrorManager {
  jpeg_error_mgr base;
  std::jmp_buf jump;
};

void OnError(j_common_ptr info) {
  std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->jump, 1);
}
void OnMessage(j_common_ptr) {}

}  // namespace

std::optional<DecodedImage> DecodeJpeg(std::span<const uint8_t> bytes) {
  if (bytes.empty()) return std::nullopt;
  jpeg_decompress_struct info{};
  ErrorManager errors{};
  info.err = jpeg_std_error(&errors.base);
  errors.base.error_exit = OnError;
  errors.base.output_message = OnMessage;
  // Declared before setjmp so that a decoding error can free them.
  DecodedImage image;
  std::vector<uint8_t> line;
  if (setjmp(errors.jump)) {
    jpeg_destroy_decompress(&info);
    return std::nullopt;
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, bytes.data(), static_cast<unsigned long>(bytes.size()));
  jpeg_read_header(&info, TRUE);
  const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
  info.out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
  jpeg_start_decompress(&info);
  if (info.output_width > unsigned(kMaxImageSide) || info.output_height > unsigned(kMaxImageSide)) {
    jpeg_destroy_decompress(&info);
    return std::nullopt;
  }
  const int width = int(info.output_width);
  image.bitmap.Resize(width, int(info.output_height));
  line.resize(size_t(width) * size_t(info.output_components));
  while (info.output_scanline < info.output_height) {
    uint8_t* out = image.bitmap.Row(int(info.output_scanline));
    JSAMPROW row = line.data();
    jpeg_read_scanlines(&info, &row, 1);
    for (int x = 0; x < width; ++x, out += 4) {
      const uint8_t* in = line.data() + size_t(x) * size_t(info.output_components);
      if (cmyk) {
        // Adobe writes inverted CMYK: each channel times the inverted black.
        out[0] = uint8_t(in[2] * in[3] / 255);
        out[1] = uint8_t(in[1] * in[3] / 255);
        out[2] = uint8_t(in[0] * in[3] / 255);
      } else if (info.output_components == 1) {
        out[0] = out[1] = out[2] = in[0];
      } else {
        out[0] = in[2];
        out[1] = in[1];
        out[2] = in[0];
      }
      out[3] = 255;
    }
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return image;
}

}  // namespace gui
