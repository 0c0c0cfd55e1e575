// BMP decoding: uncompressed 1, 4, 8, 16, 24 and 32 bits per pixel and bit-field masks,
// stored bottom-up or top-down, with any of the header versions. RLE-compressed files
// are refused. Every size is checked against the data before it is read.
#include <bit>
#include <cstring>
#include <vector>

#include "gui/ImageCodec.h"

namespace gui {

namespace {

constexpr uint32_t kRgb = 0;
constexpr uint32_t kBitFields = 3;
constexpr uint32_t kAlphaBitFields = 6;

uint32_t Read32(std::span<const uint8_t> b, size_t at) {
  return uint32_t(b[at]) | uint32_t(b[at + 1]) << 8 | uint32_t(b[at + 2]) << 16 |
         uint32_t(b[at + 3]) << 24;
}
uint16_t Read16(std::span<const uint8_t> b, size_t at) {
  return uint16_t(b[at] | b[at + 1] << 8);
}

// One channel under a bit mask, scaled to 0..255.
struct Channel {
  uint32_t mask = 0;
  int shift = 0;
  uint32_t max = 0;
  explicit Channel(uint32_t m) : mask(m) {
    if (m == 0) return;
    shift = std::countr_zero(m);
    max = m >> shift;
  }
  uint8_t From(uint32_t pixel, uint8_t missing) const {
    if (max == 0) return missing;
    return uint8_t(((pixel & mask) >> shift) * 255 / max);
  }
};

}  // namespace

std::optional<DecodedImage> DecodeBmp(std::span<const uint8_t> bytes) {
  constexpr size_t kFileHeader = 14;
  if (bytes.size() < kFileHeader + 12 || bytes[0] != 'B' || bytes[1] != 'M') return std::nullopt;
  const uint32_t dataOffset = Read32(bytes, 10);
  const uint32_t headerSize = Read32(bytes, kFileHeader);
  if (headerSize < 12 || kFileHeader + headerSize > bytes.size()) return std::nullopt;
  int64_t width = 0;
  int64_t height = 0;
  int bits = 0;
  uint32_t compression = kRgb;
  uint32_t paletteCount = 0;
  int paletteEntry = 4;
  uint32_t masks[4] = {0x00FF0000, 0x0000FF00, 0x000000FF, 0};
  if (headerSize == 12) {  // the old core header: 16-bit sizes, 3-byte palette entries
    width = Read16(bytes, kFileHeader + 4);
    height = int16_t(Read16(bytes, kFileHeader + 6));
    bits = Read16(bytes, kFileHeader + 10);
    paletteEntry = 3;
  } else {
    if (headerSize < 40) return std::nullopt;
    width = int32_t(Read32(bytes, kFileHeader + 4));
    height = int32_t(Read32(bytes, kFileHeader + 8));
    bits = Read16(bytes, kFileHeader + 14);
    compression = Read32(bytes, kFileHeader + 16);
    paletteCount = Read32(bytes, kFileHeader + 32);
    if (bits == 16) masks[0] = 0x7C00, masks[1] = 0x03E0, masks[2] = 0x001F;
    if (compression == kBitFields || compression == kAlphaBitFields) {
      // The masks follow a 40-byte header, or are part of a longer one.
      const size_t at = kFileHeader + 40;
      const int count = compression == kAlphaBitFields || headerSize >= 56 ? 4 : 3;
      if (at + size_t(count) * 4 > bytes.size()) return std::nullopt;
      for (int i = 0; i < count; ++i) masks[i] = Read32(bytes, at + size_t(i) * 4);
    } else if (compression != kRgb) {
      return std::nullopt;
    }
  }
  const bool topDown = height < 0;
  if (topDown) height = -height;
  const bool paletted = bits == 1 || bits == 4 || bits == 8;
  if (!paletted && bits != 16 && bits != 24 && bits != 32) return std::nullopt;
  if (width <= 0 || height <= 0 || width > kMaxImageSide || height > kMaxImageSide) {
    return std::nullopt;
  }
  // The palette follows the header (and a 40-byte header's masks).
  std::vector<Color> palette;
  if (paletted) {
    const uint32_t maxColors = 1u << bits;
    if (paletteCount == 0 || paletteCount > maxColors) paletteCount = maxColors;
    size_t at = kFileHeader + headerSize;
    if (headerSize == 40 && compression == kBitFields) at += 12;
    for (uint32_t i = 0; i < paletteCount && at + 3 <= bytes.size();
         ++i, at += size_t(paletteEntry)) {
      palette.push_back(Rgb(bytes[at + 2], bytes[at + 1], bytes[at]));
    }
    palette.resize(maxColors, Rgb(0, 0, 0));
  }
  const size_t stride = ((size_t(width) * size_t(bits) + 31) / 32) * 4;
  if (dataOffset > bytes.size() || (bytes.size() - dataOffset) / stride < size_t(height)) {
    return std::nullopt;
  }
  const Channel red(masks[0]), green(masks[1]), blue(masks[2]), alpha(masks[3]);
  DecodedImage image;
  image.bitmap.Resize(int(width), int(height));
  for (int y = 0; y < int(height); ++y) {
    const uint8_t* in = bytes.data() + dataOffset + stride * size_t(topDown ? y : height - 1 - y);
    uint8_t* out = image.bitmap.Row(y);
    for (int x = 0; x < int(width); ++x, out += 4) {
      uint8_t r = 0, g = 0, b = 0, a = 255;
      if (paletted) {
        const int bitPos = x * bits;
        const int index = (in[bitPos / 8] >> (8 - bits - bitPos % 8)) & ((1 << bits) - 1);
        const Color c = palette[size_t(index)];
        r = Red(c), g = Green(c), b = Blue(c);
      } else if (bits == 24) {
        b = in[x * 3], g = in[x * 3 + 1], r = in[x * 3 + 2];
      } else {
        const uint32_t pixel =
            bits == 16 ? Read16({in, stride}, size_t(x) * 2) : Read32({in, stride}, size_t(x) * 4);
        r = red.From(pixel, 0), g = green.From(pixel, 0), b = blue.From(pixel, 0);
        a = alpha.From(pixel, 255);
      }
      out[0] = b, out[1] = g, out[2] = r, out[3] = a;
      image.transparent = image.transparent || a != 255;
    }
  }
  return image;
}

}  // namespace gui
