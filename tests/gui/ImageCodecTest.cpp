// Decoding of PNG, JPEG and BMP images made by the tests themselves.
#include <gtest/gtest.h>

#include <cstdio>  // jpeglib.h needs FILE

#include <jpeglib.h>

#include <cstdlib>
#include <vector>

#include "gui/ImageCodec.h"
#include "gui/PngWriter.h"

namespace gui {
namespace {

Bitmap Pattern(int w, int h) {
  Bitmap b(w, h);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      b.SetPixel(x, y, Rgb(uint8_t(x * 16), uint8_t(y * 16), uint8_t(255 - x * 8)));
      b.Row(y)[x * 4 + 3] = 255;
    }
  }
  return b;
}

std::vector<uint8_t> EncodeJpeg(const Bitmap& b, bool gray) {
  jpeg_compress_struct info{};
  jpeg_error_mgr errors{};
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  unsigned char* out = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &out, &size);
  info.image_width = JDIMENSION(b.Width());
  info.image_height = JDIMENSION(b.Height());
  info.input_components = gray ? 1 : 3;
  info.in_color_space = gray ? JCS_GRAYSCALE : JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, 98, TRUE);
  jpeg_start_compress(&info, TRUE);
  std::vector<uint8_t> line(size_t(b.Width()) * 3);
  while (info.next_scanline < info.image_height) {
    for (int x = 0; x < b.Width(); ++x) {
      const Color c = b.Pixel(x, int(info.next_scanline));
      if (gray) {
        line[size_t(x)] = Green(c);
      } else {
        line[size_t(x) * 3] = Red(c);
        line[size_t(x) * 3 + 1] = Green(c);
        line[size_t(x) * 3 + 2] = Blue(c);
      }
    }
    JSAMPROW row = line.data();
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  std::vector<uint8_t> bytes(out, out + size);
  std::free(out);
  return bytes;
}

void Put16(std::vector<uint8_t>& v, uint16_t x) {
  v.insert(v.end(), {uint8_t(x), uint8_t(x >> 8)});
}
void Put32(std::vector<uint8_t>& v, uint32_t x) {
  for (int i = 0; i < 4; ++i) v.push_back(uint8_t(x >> (8 * i)));
}

// A BMP with a 40-byte header (plus masks for bit fields) and the given pixel rows.
std::vector<uint8_t> MakeBmp(int w, int h, int bits, uint32_t compression,
                             const std::vector<uint32_t>& extra, const std::vector<uint8_t>& data) {
  std::vector<uint8_t> v{'B', 'M'};
  const uint32_t offset = 14 + 40 + uint32_t(extra.size()) * 4;
  Put32(v, offset + uint32_t(data.size()));
  Put32(v, 0);
  Put32(v, offset);
  Put32(v, 40);
  Put32(v, uint32_t(w));
  Put32(v, uint32_t(h));
  Put16(v, 1);
  Put16(v, uint16_t(bits));
  Put32(v, compression);
  Put32(v, uint32_t(data.size()));
  Put32(v, 2835);
  Put32(v, 2835);
  Put32(v, bits <= 8 ? uint32_t(extra.size()) : 0);
  Put32(v, 0);
  for (uint32_t e : extra) Put32(v, e);
  v.insert(v.end(), data.begin(), data.end());
  return v;
}

TEST(ImageFormats, SignaturesAreRecognised) {
  const std::vector<uint8_t> png{0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0};
  const std::vector<uint8_t> jpeg{0xFF, 0xD8, 0xFF, 0xE0};
  const std::vector<uint8_t> bmp{'B', 'M', 0};
  const std::vector<uint8_t> other{'G', 'I', 'F', '8'};
  EXPECT_EQ(DetectImageFormat(png), ImageFormat::Png);
  EXPECT_EQ(DetectImageFormat(jpeg), ImageFormat::Jpeg);
  EXPECT_EQ(DetectImageFormat(bmp), ImageFormat::Bmp);
  EXPECT_EQ(DetectImageFormat(other), ImageFormat::Unknown);
  EXPECT_EQ(DetectImageFormat({}), ImageFormat::Unknown);
  EXPECT_FALSE(DecodeImage(other));
}

TEST(ImagePng, RoundTripsOpaqueAndTransparentImages) {
  const Bitmap original = Pattern(13, 7);
  auto opaque = DecodeImage(EncodePng(original));
  ASSERT_TRUE(opaque);
  EXPECT_FALSE(opaque->transparent);
  EXPECT_EQ(opaque->bitmap, original);

  Bitmap withAlpha = original;
  withAlpha.Row(2)[5 * 4 + 3] = 40;
  auto transparent = DecodeImage(EncodePng(withAlpha, PngChannels::Rgba));
  ASSERT_TRUE(transparent);
  EXPECT_TRUE(transparent->transparent);
  EXPECT_EQ(transparent->bitmap.Alpha(5, 2), 40);
  EXPECT_EQ(transparent->bitmap, withAlpha);
}

TEST(ImagePng, DamagedDataIsRefused) {
  std::vector<uint8_t> bytes = EncodePng(Pattern(8, 8));
  std::vector<uint8_t> truncated(bytes.begin(), bytes.begin() + ptrdiff_t(bytes.size() / 2));
  EXPECT_FALSE(DecodePng(truncated));
  bytes[bytes.size() / 2] ^= 0xFF;  // breaks the data's checksum
  EXPECT_FALSE(DecodePng(bytes));
}

TEST(ImageJpeg, DecodesColourAndGreyWithinTolerance) {
  const Bitmap original = Pattern(16, 16);
  for (bool gray : {false, true}) {
    auto decoded = DecodeImage(EncodeJpeg(original, gray));
    ASSERT_TRUE(decoded);
    ASSERT_EQ(decoded->bitmap.Width(), 16);
    ASSERT_EQ(decoded->bitmap.Height(), 16);
    EXPECT_FALSE(decoded->transparent);
    int worst = 0;
    for (int y = 0; y < 16; ++y) {
      for (int x = 0; x < 16; ++x) {
        const Color a = original.Pixel(x, y);
        const Color b = decoded->bitmap.Pixel(x, y);
        worst = std::max(worst, std::abs(Green(a) - Green(b)));
        if (!gray) worst = std::max(worst, std::abs(Red(a) - Red(b)));
        EXPECT_EQ(decoded->bitmap.Alpha(x, y), 255);
      }
    }
    EXPECT_LE(worst, 24) << (gray ? "grey" : "colour");
  }
}

TEST(ImageJpeg, DamagedDataIsRefused) {
  const std::vector<uint8_t> bytes = EncodeJpeg(Pattern(8, 8), false);
  EXPECT_FALSE(DecodeJpeg(std::span(bytes).first(20)));
}

TEST(ImageBmp, Decodes24BitBottomUp) {
  // 2 x 2: bottom row first, rows padded to 8 bytes.
  const std::vector<uint8_t> data{
      1, 2, 3, 4,  5,  6,  0, 0,  // bottom row: (0,1) and (1,1)
      7, 8, 9, 10, 11, 12, 0, 0   // top row
  };
  auto image = DecodeImage(MakeBmp(2, 2, 24, 0, {}, data));
  ASSERT_TRUE(image);
  EXPECT_EQ(image->bitmap.Pixel(0, 0), Rgb(9, 8, 7));
  EXPECT_EQ(image->bitmap.Pixel(1, 1), Rgb(6, 5, 4));
  EXPECT_EQ(image->bitmap.Alpha(1, 1), 255);
  EXPECT_FALSE(image->transparent);
}

TEST(ImageBmp, DecodesPalettesAndBitFields) {
  // 4 bits per pixel, 3 pixels wide, top-down (negative height).
  const std::vector<uint32_t> palette{0x00000000, 0x00FF0000, 0x0000FF00};
  auto paletted = DecodeBmp(MakeBmp(3, -1, 4, 0, palette, {0x12, 0x00, 0, 0}));
  ASSERT_TRUE(paletted);
  EXPECT_EQ(paletted->bitmap.Pixel(0, 0), Rgb(255, 0, 0));
  EXPECT_EQ(paletted->bitmap.Pixel(1, 0), Rgb(0, 255, 0));
  EXPECT_EQ(paletted->bitmap.Pixel(2, 0), Rgb(0, 0, 0));
  // 16 bits, 5-6-5 masks.
  auto bitfields = DecodeBmp(MakeBmp(1, 1, 16, 3, {0xF800, 0x07E0, 0x001F}, {0x1F, 0xF8, 0, 0}));
  ASSERT_TRUE(bitfields);
  EXPECT_EQ(bitfields->bitmap.Pixel(0, 0), Rgb(255, 0, 255));
  // 32 bits with an alpha mask.
  auto alpha = DecodeBmp(
      MakeBmp(1, 1, 32, 6, {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000}, {1, 2, 3, 4}));
  ASSERT_TRUE(alpha);
  EXPECT_EQ(alpha->bitmap.Pixel(0, 0), Rgb(3, 2, 1));
  EXPECT_EQ(alpha->bitmap.Alpha(0, 0), 4);
  EXPECT_TRUE(alpha->transparent);
}

TEST(ImageBmp, RefusesWhatItCannotRead) {
  const std::vector<uint8_t> row{1, 2, 3, 0};
  EXPECT_FALSE(DecodeBmp(MakeBmp(1, 1, 8, 1, {0}, row)));       // RLE
  EXPECT_FALSE(DecodeBmp(MakeBmp(100, 100, 24, 0, {}, row)));   // data too short
  EXPECT_FALSE(DecodeBmp(MakeBmp(100000, 1, 24, 0, {}, row)));  // absurd width
  EXPECT_FALSE(DecodeBmp(MakeBmp(1, 1, 7, 0, {}, row)));        // no such depth
  auto bmp = MakeBmp(1, 1, 24, 0, {}, row);
  bmp.resize(20);
  EXPECT_FALSE(DecodeBmp(bmp));
}

}  // namespace
}  // namespace gui
