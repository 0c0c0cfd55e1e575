// Text through GDI: the pages' strings take the room they take on Linux (the same font
// files there, through FreeType), bold is heavier, underlines are drawn, raster fonts
// are read back from drawing.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "gui/Canvas.h"
#include "platform/fonts/Font.h"

namespace {

struct Sample {
  const char* family;
  int size;
  bool bold;
  const char* text;
  int linuxWidth;       // measured by the Linux build
  int linuxLineHeight;  // likewise
};
// family, size, bold, text, width and line height on Linux
constexpr Sample kSamples[] = {
    {"Arial", 12, true, "Test CPU Speed", 91, 14},
    {"Arial", 11, false, "Welcome to Tachora", 99, 12},
    {"Arial", 11, false, "View Online CPU Scores", 120, 12},
    {"Tahoma", 13, false, "Welcome to Tachora", 119, 16},
    {"Tahoma", 11, false, "Visit the Tachora Website", 122, 13},
    {"Tahoma", 11, true, "Secure Software", 94, 13},
    {"Tahoma", 11, true, "NO Spyware!", 74, 13},
    {"Arial", 16, true, "CPU Scores", 93, 17},
    {"Arial", 24, true, "Tachora", 93, 27},
    {"Small Fonts", 9, false, "Connecting to server...", 93, 11},
    {"Tahoma", 12, false, "Compatible with all Intel and AMD CPUs", 215, 14},
};

gui::Font FontOf(const Sample& s, bool underline = false) {
  return {.name = s.family,
          .size = s.size,
          .color = 0x00FFFFFF,
          .bold = s.bold,
          .underline = underline};
}

struct Ink {
  int left = 1 << 20, top = 1 << 20, right = -1, bottom = -1, count = 0;
};

// Draws the text white on black at (pad, pad) and finds what it covered.
Ink Draw(const gui::Font& font, std::string_view text, int pad, int& width, int& lineHeight) {
  gui::Bitmap bitmap(400, 80);
  gui::Canvas canvas(bitmap);
  canvas.FillRect({0, 0, 400, 80}, 0);
  canvas.font = font;
  width = canvas.TextWidth(text);
  lineHeight = canvas.TextHeight();
  canvas.TextOut({pad, pad}, text);
  Ink ink;
  for (int y = 0; y < bitmap.Height(); ++y) {
    for (int x = 0; x < bitmap.Width(); ++x) {
      if (gui::Green(bitmap.Pixel(x, y)) < 128) continue;
      ink = {std::min(ink.left, x), std::min(ink.top, y), std::max(ink.right, x + 1),
             std::max(ink.bottom, y + 1), ink.count + 1};
    }
  }
  return ink;
}

TEST(GdiText, ThePagesStringsFitTheBoxesTheyHaveOnLinux) {
  for (const Sample& s : kSamples) {
    SCOPED_TRACE(std::string(s.family) + " " + std::to_string(s.size) + " " + s.text);
    int width = 0, lineHeight = 0;
    const Ink ink = Draw(FontOf(s), s.text, 10, width, lineHeight);
    EXPECT_LE(std::abs(width - s.linuxWidth), 4);
    EXPECT_LE(std::abs(lineHeight - s.linuxLineHeight), 1);
    // The ink stays in the line box that was measured (a pixel of overhang allowed).
    ASSERT_GT(ink.count, 0);
    EXPECT_GE(ink.left, 10 - 1);
    EXPECT_LE(ink.right, 10 + width + 1);
    EXPECT_GE(ink.top, 10);
    EXPECT_LE(ink.bottom, 10 + lineHeight);
  }
}

TEST(GdiText, BoldIsHeavierThanRegular) {
  for (const char* family : {"Arial", "Tahoma", "Small Fonts"}) {
    SCOPED_TRACE(family);
    int width = 0, lineHeight = 0, boldWidth = 0;
    const Ink regular =
        Draw({.name = family, .size = 11, .color = 0x00FFFFFF}, "Bold Text", 4, width, lineHeight);
    const Ink bold = Draw({.name = family, .size = 11, .color = 0x00FFFFFF, .bold = true},
                          "Bold Text", 4, boldWidth, lineHeight);
    EXPECT_GT(bold.count, regular.count * 115 / 100);
    EXPECT_GT(boldWidth, width);
  }
  auto& fonts = platform::FontLibrary::Instance();
  // Tahoma has a bold face of its own; the raster Small Fonts is emboldened by GDI.
  EXPECT_FALSE(fonts.Face({"Tahoma", 11, true, false}).SyntheticBold());
  EXPECT_TRUE(fonts.Face({"Small Fonts", 9, true, false}).SyntheticBold());
}

TEST(GdiText, UnderlinesRunUnderTheWholeText) {
  const Sample& link = kSamples[4];  // "Visit the Tachora Website"
  int width = 0, lineHeight = 0;
  const Ink plain = Draw(FontOf(link), link.text, 10, width, lineHeight);
  gui::Bitmap bitmap(400, 80);
  gui::Canvas canvas(bitmap);
  canvas.FillRect({0, 0, 400, 80}, 0);
  canvas.font = FontOf(link, true);
  canvas.TextOut({10, 10}, link.text);
  const auto& metrics =
      platform::FontLibrary::Instance().Face({"Tahoma", 11, false, false}).Metrics();
  const int y = 10 + metrics.ascent + metrics.underlineOffset;
  EXPECT_LT(y, 10 + lineHeight);
  for (int x = 10; x < 10 + width; ++x) EXPECT_EQ(bitmap.Pixel(x, y), 0x00FFFFFFu) << x;
  EXPECT_EQ(bitmap.Pixel(10 + width, y), 0u);
  EXPECT_GT(y, plain.top);
}

TEST(GdiText, FacesAreFoundByTheirFamilies) {
  auto& fonts = platform::FontLibrary::Instance();
  EXPECT_EQ(fonts.FindFile("Tahoma", false), "Tahoma");
  EXPECT_EQ(fonts.FindFile("Small Fonts", false), "Small Fonts");
  // An unknown family still gets a face, and text in it has width.
  auto& unknown = fonts.Face({"No Such Family 123", 12, false, false});
  EXPECT_FALSE(unknown.FilePath().empty());
  EXPECT_GT(unknown.GlyphFor('W').advance, 0);
  // Characters the face lacks, and those beyond 16 bits, still advance.
  EXPECT_GT(fonts.Face({"Tahoma", 11, false, false}).GlyphFor(U'\U0001F600').advance, 0);
}

TEST(GdiText, AntialiasedTextHasInBetweenLevels) {
  auto& face = platform::FontLibrary::Instance().Face({"Arial", 20, false, true});
  const platform::Glyph& g = face.GlyphFor('e');
  ASSERT_GT(g.width, 0);
  const bool between =
      std::any_of(g.coverage.begin(), g.coverage.end(), [](uint8_t c) { return c > 0 && c < 255; });
  EXPECT_TRUE(between);
  const platform::Glyph& aliased =
      platform::FontLibrary::Instance().Face({"Arial", 20, false, false}).GlyphFor('e');
  EXPECT_TRUE(std::all_of(aliased.coverage.begin(), aliased.coverage.end(),
                          [](uint8_t c) { return c == 0 || c == 255; }));
}

}  // namespace
