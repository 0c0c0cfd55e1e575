#include "assets/Assets.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>

#include "gui/ImageCodec.h"
#include "gui/StbDecoder.h"

namespace {

enum class Format { Png, Jpeg };

// PNG colour types: 2 is 24-bit RGB, 6 is RGB with an alpha channel.
constexpr int kRgb = 2;
constexpr int kRgba = 6;
constexpr int kAnyJpeg = -1;

struct Expected {
  const char* name;
  assets::Asset (*get)();
  Format format;
  int width;
  int height;
  int colourType;
};

// name, accessor, format, width, height, PNG colour type
constexpr std::array kExpected = {
    Expected{"CaptionLeft", assets::CaptionLeft, Format::Png, 6, 21, kRgb},
    Expected{"CaptionCentre", assets::CaptionCentre, Format::Png, 64, 21, kRgb},
    Expected{"CaptionRight", assets::CaptionRight, Format::Png, 25, 21, kRgb},
    Expected{"DialPanel", assets::DialPanel, Format::Png, 472, 312, kRgb},
    Expected{"DialPercent", assets::DialPercent, Format::Png, 400, 244, kRgb},
    Expected{"DialMhz", assets::DialMhz, Format::Png, 400, 356, kRgb},
    Expected{"TestPage", assets::TestPage, Format::Png, 96, 104, kRgba},
    Expected{"MedalBackground", assets::MedalBackground, Format::Jpeg, 73, 75, kAnyJpeg},
    Expected{"Medal", assets::Medal, Format::Jpeg, 73, 75, kAnyJpeg},
    Expected{"LogoIntel", assets::LogoIntel, Format::Png, 152, 56, kRgba},
    Expected{"LogoAmd", assets::LogoAmd, Format::Png, 146, 56, kRgba},
    Expected{"WelcomeCpu", assets::WelcomeCpu, Format::Png, 120, 120, kRgb},
    Expected{"IconSecure", assets::IconSecure, Format::Png, 16, 16, kRgb},
    Expected{"IconGuaranteed", assets::IconGuaranteed, Format::Png, 16, 16, kRgb},
    Expected{"IconNoSpyware", assets::IconNoSpyware, Format::Png, 16, 16, kRgb},
    Expected{"Result", assets::Result, Format::Png, 136, 132, kRgb},
    Expected{"Promo", assets::Promo, Format::Png, 300, 230, kRgb},
    Expected{"PromoIcon", assets::PromoIcon, Format::Png, 48, 48, kRgb},
    Expected{"BexoRed", assets::BexoRed, Format::Png, 136, 168, kRgb},
    Expected{"BexoGreen", assets::BexoGreen, Format::Png, 136, 168, kRgb},
    Expected{"AboutBadge", assets::AboutBadge, Format::Png, 64, 64, kRgb},
    Expected{"AboutFlag", assets::AboutFlag, Format::Png, 48, 36, kRgb},
    Expected{"Globe", assets::Globe, Format::Png, 72, 70, kRgb},
    Expected{"Country", assets::Country, Format::Png, 62, 64, kRgb},
    Expected{"WorldMap", assets::WorldMap, Format::Png, 465, 256, kRgb},
    Expected{"MapNorthAmerica", assets::MapNorthAmerica, Format::Png, 146, 134, kRgba},
    Expected{"MapAsia", assets::MapAsia, Format::Png, 194, 148, kRgba},
    Expected{"MapOceania", assets::MapOceania, Format::Png, 84, 59, kRgba},
    Expected{"MapEurope", assets::MapEurope, Format::Png, 80, 88, kRgba},
    Expected{"MapAfrica", assets::MapAfrica, Format::Png, 93, 94, kRgba},
    Expected{"MapMidEast", assets::MapMidEast, Format::Png, 75, 63, kRgba},
    Expected{"MapSouthAmerica", assets::MapSouthAmerica, Format::Png, 61, 94, kRgba},
    Expected{"MapGreenland", assets::MapGreenland, Format::Png, 51, 56, kRgba},
};
static_assert(kExpected.size() == 33);

uint32_t BigEndian32(const unsigned char* p) {
  return (uint32_t{p[0]} << 24) | (uint32_t{p[1]} << 16) | (uint32_t{p[2]} << 8) | p[3];
}

uint32_t BigEndian16(const unsigned char* p) {
  return (uint32_t{p[0]} << 8) | p[1];
}

struct Header {
  int width;
  int height;
  int colourType;
};

// Reads the IHDR chunk, and walks the chunks to a final IEND so a cut file fails.
std::optional<Header> ReadPng(const assets::Asset& a) {
  constexpr std::array<unsigned char, 8> kSignature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  if (a.size < 33 || !std::equal(kSignature.begin(), kSignature.end(), a.data)) return std::nullopt;
  if (std::string(reinterpret_cast<const char*>(a.data + 12), 4) != "IHDR") return std::nullopt;
  Header h{static_cast<int>(BigEndian32(a.data + 16)), static_cast<int>(BigEndian32(a.data + 20)),
           a.data[25]};
  std::size_t at = 8;
  while (at + 12 <= a.size) {
    const std::size_t length = BigEndian32(a.data + at);
    const std::string type(reinterpret_cast<const char*>(a.data + at + 4), 4);
    at += 12 + length;
    if (type == "IEND") return at == a.size ? std::optional(h) : std::nullopt;
  }
  return std::nullopt;
}

// Finds the frame header (any SOFn marker) and checks the end-of-image marker.
std::optional<Header> ReadJpeg(const assets::Asset& a) {
  if (a.size < 4 || a.data[0] != 0xFF || a.data[1] != 0xD8) return std::nullopt;
  if (a.data[a.size - 2] != 0xFF || a.data[a.size - 1] != 0xD9) return std::nullopt;
  std::size_t at = 2;
  while (at + 9 < a.size && a.data[at] == 0xFF) {
    const unsigned char marker = a.data[at + 1];
    const bool frame =
        marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
    if (frame) {
      return Header{static_cast<int>(BigEndian16(a.data + at + 7)),
                    static_cast<int>(BigEndian16(a.data + at + 5)), kAnyJpeg};
    }
    at += 2 + BigEndian16(a.data + at + 2);
  }
  return std::nullopt;
}

TEST(AssetsTest, EveryPictureIsAWholeFileOfItsSize) {
  for (const Expected& e : kExpected) {
    SCOPED_TRACE(e.name);
    const assets::Asset a = e.get();
    ASSERT_NE(a.data, nullptr);
    const auto header = e.format == Format::Png ? ReadPng(a) : ReadJpeg(a);
    ASSERT_TRUE(header.has_value());
    EXPECT_EQ(header->width, e.width);
    EXPECT_EQ(header->height, e.height);
    EXPECT_EQ(header->colourType, e.colourType);
  }
}

TEST(AssetsTest, DialFacesAreTwiceTheGaugesAndWidenedTo400) {
  // The gauges are 119 x 122 and 188 x 178 and compose on a picture of twice that.
  EXPECT_EQ(ReadPng(assets::DialPercent())->height, 2 * 122);
  EXPECT_EQ(ReadPng(assets::DialMhz())->height, 2 * 178);
  EXPECT_GE(ReadPng(assets::DialPercent())->width, 2 * 119);
  EXPECT_GE(ReadPng(assets::DialMhz())->width, 2 * 188);
}

TEST(AssetsTest, MascotPicturesMatchSoTheEyesCanFade) {
  const auto red = ReadPng(assets::BexoRed());
  const auto green = ReadPng(assets::BexoGreen());
  ASSERT_TRUE(red && green);
  EXPECT_EQ(red->width, green->width);
  EXPECT_EQ(red->height, green->height);
  EXPECT_FALSE(assets::BexoRed().size == assets::BexoGreen().size &&
               std::equal(assets::BexoRed().data, assets::BexoRed().data + assets::BexoRed().size,
                          assets::BexoGreen().data));
}

// Pictures that sit on a surface of their own colour end in that colour on every edge.
TEST(AssetsTest, ThePromotionPictureMeetsTheDialogsBackgroundWithoutAnEdge) {
  const assets::Asset a = assets::Promo();
  const auto image = gui::DecodeImage({a.data, a.size});
  ASSERT_TRUE(image);
  const gui::Bitmap& b = image->bitmap;
  constexpr gui::Color kTopArea = 0x00302D28;
  int off = 0;
  for (int x = 0; x < b.Width(); ++x) {
    off += (b.Pixel(x, 0) & 0xFFFFFF) != kTopArea;
    off += (b.Pixel(x, b.Height() - 1) & 0xFFFFFF) != kTopArea;
  }
  for (int y = 0; y < b.Height(); ++y) {
    off += (b.Pixel(0, y) & 0xFFFFFF) != kTopArea;
    off += (b.Pixel(b.Width() - 1, y) & 0xFFFFFF) != kTopArea;
  }
  EXPECT_EQ(off, 0);
}

struct RestingNeedle {
  const char* name;
  assets::Asset (*get)();
  double pivotX, pivotY;  // in the 2x picture
  double position;        // the gauge's Position at rest
  double halfWidth;       // half the needle pen in the 2x picture
  double from, to;        // the stretch between the hub and the ticks
};

// The needle at rest lies on no numeral: nothing bright in its band between hub and ticks.
TEST(AssetsTest, TheNeedlesAtRestLeaveTheDialsNumeralsInSight) {
  constexpr RestingNeedle kNeedles[] = {
      // name        picture              pivot       rest   half  from  to
      {"DialMhz", assets::DialMhz, 188, 178, 73.0, 5.0, 24, 136},
      {"DialPercent", assets::DialPercent, 119, 122, 110.0, 3.0, 18, 74},
  };
  for (const RestingNeedle& n : kNeedles) {
    SCOPED_TRACE(n.name);
    const assets::Asset a = n.get();
    const auto image = gui::DecodeImage({a.data, a.size});
    ASSERT_TRUE(image);
    const double angle = (n.position - 90) * 3.14159265358979 / 180;
    const double ux = -std::cos(angle), uy = -std::sin(angle);
    int bright = 0;
    for (int y = 0; y < image->bitmap.Height(); ++y) {
      for (int x = 0; x < image->bitmap.Width(); ++x) {
        const double dx = x + 0.5 - n.pivotX, dy = y + 0.5 - n.pivotY;
        const double along = dx * ux + dy * uy;
        const double across = std::abs(dx * uy - dy * ux);
        if (along < n.from || along > n.to || across > n.halfWidth + 1) continue;
        const gui::Color c = image->bitmap.Pixel(x, y);
        const int low = std::min({int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF)});
        bright += low > 150;
      }
    }
    EXPECT_EQ(bright, 0);
  }
}

// The program's decoder (libpng and libjpeg, or stb_image on Windows) and stb_image
// agree on every picture: the Windows build shows the same artwork.
TEST(AssetsTest, EveryPictureDecodesAlikeOnEverySystem) {
  for (const Expected& e : kExpected) {
    SCOPED_TRACE(e.name);
    const assets::Asset a = e.get();
    const std::span<const uint8_t> bytes(a.data, a.size);
    const auto program = gui::DecodeImage(bytes);
    const auto stb = gui::DecodeWithStb(bytes);
    ASSERT_TRUE(program && stb);
    ASSERT_EQ(program->bitmap.Width(), e.width);
    ASSERT_EQ(program->bitmap.Height(), e.height);
    ASSERT_EQ(stb->bitmap.Width(), e.width);
    ASSERT_EQ(stb->bitmap.Height(), e.height);
    EXPECT_EQ(program->transparent, stb->transparent);
    const int tolerance = e.format == Format::Png ? 0 : 2;  // JPEG decoders may round apart
    int worst = 0;
    for (int y = 0; y < e.height; ++y) {
      const uint8_t* p = program->bitmap.Row(y);
      const uint8_t* q = stb->bitmap.Row(y);
      for (int i = 0; i < e.width * 4; ++i) worst = std::max(worst, std::abs(p[i] - q[i]));
    }
    EXPECT_LE(worst, tolerance);
  }
}

}  // namespace
