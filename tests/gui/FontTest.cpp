// Font lookup, glyph rendering and text on the canvas.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "gui/Canvas.h"
#include "gui/Palette.h"
#include "platform/fonts/Font.h"
#include "platform/fonts/FreeTypeFonts.h"
#include "platform/fonts/Utf8.h"

namespace gui {
namespace {

using gui::palette::kBlack;
using gui::palette::kWhite;

std::string FileName(const std::string& path) {
  return path.substr(path.rfind('/') + 1);
}

TEST(FontLookup, ProgramFamiliesFindTheirStandIns) {
  auto& fonts = platform::FontLibrary::Instance();
  EXPECT_EQ(FileName(fonts.FindFile("Arial", false)), "LiberationSans-Regular.ttf");
  EXPECT_EQ(FileName(fonts.FindFile("Arial", true)), "LiberationSans-Bold.ttf");
  EXPECT_EQ(FileName(fonts.FindFile("Tahoma", false)), "tahoma.ttf");
  EXPECT_EQ(FileName(fonts.FindFile("Tahoma", true)), "tahomabd.ttf");
  EXPECT_EQ(FileName(fonts.FindFile("Small Fonts", false)), "small_fonts.ttf");
}

TEST(FontLookup, BoldWithoutABoldFaceIsSynthesized) {
  auto& fonts = platform::FontLibrary::Instance();
  EXPECT_TRUE(fonts.Face({"Small Fonts", 9, true, false}).SyntheticBold());
  EXPECT_FALSE(fonts.Face({"Arial", 11, true, false}).SyntheticBold());
  const auto& regular = fonts.Face({"Small Fonts", 9, false, false}).GlyphFor('H');
  const auto& bold = fonts.Face({"Small Fonts", 9, true, false}).GlyphFor('H');
  EXPECT_EQ(bold.advance, regular.advance + 1);
}

TEST(FontLookup, ABoldFileWithRegularStrokesIsTheRegularFaceThickened) {
  // The compatibility Tahoma Bold has bold widths over the regular outlines: its regular
  // face is drawn instead, thickened, each letter as much wider as its strokes grew.
  auto& fonts = platform::FontLibrary::Instance();
  auto& bold = fonts.Face({"Tahoma", 16, true, false});
  EXPECT_EQ(FileName(bold.FilePath()), "tahoma.ttf");
  EXPECT_TRUE(bold.SyntheticBold());
  const auto& regular = fonts.Face({"Tahoma", 16, false, false}).GlyphFor('M');
  EXPECT_EQ(bold.GlyphFor('M').advance - bold.GlyphFor('M').width, regular.advance - regular.width);
}

TEST(FontLookup, UnknownFamiliesStillGiveAFace) {
  auto& face = platform::FontLibrary::Instance().Face({"No Such Family 123", 12});
  EXPECT_GT(face.Metrics().lineHeight, 0);
  EXPECT_GT(face.GlyphFor('A').advance, 0);
}

TEST(FontGlyphs, AliasedGlyphsAreOnOrOffAndAntialiasedHaveGreys) {
  auto& fonts = platform::FontLibrary::Instance();
  for (const char* family : {"Arial", "Tahoma", "Small Fonts"}) {
    const auto& g = fonts.Face({family, 11}).GlyphFor('e');
    ASSERT_GT(g.width * g.height, 0) << family;
    EXPECT_TRUE(std::all_of(g.coverage.begin(), g.coverage.end(), [](uint8_t c) {
      return c == 0 || c == 255;
    })) << family;
  }
  const auto& smooth = fonts.Face({"Arial", 20, false, true}).GlyphFor('e');
  EXPECT_TRUE(std::any_of(smooth.coverage.begin(), smooth.coverage.end(),
                          [](uint8_t c) { return c > 0 && c < 255; }));
}

// Black pixels of a caption drawn in a font.
int InkOf(const Font& font, std::string_view text) {
  Bitmap bitmap(400, 40);
  bitmap.Fill(kWhite);
  Canvas canvas(bitmap);
  canvas.font = font;
  canvas.TextOut({2, 2}, std::string(text));
  int ink = 0;
  for (int y = 0; y < bitmap.Height(); ++y) {
    for (int x = 0; x < bitmap.Width(); ++x) ink += bitmap.Pixel(x, y) == kBlack;
  }
  return ink;
}

TEST(FontGlyphs, BoldIsVisiblyHeavierThanRegularAtTheSameSize) {
  struct Case {
    const char* family;
    int size;
  };
  // The bold captions of the windows, and the other families.
  for (const Case& c : {Case{"Tahoma", 11}, Case{"Tahoma", 12}, Case{"Tahoma", 16},
                        Case{"Arial", 12}, Case{"Arial", 16}, Case{"Small Fonts", 9}}) {
    Font regular{c.family, c.size, kBlack};
    Font bold = regular;
    bold.bold = true;
    for (std::string_view text : {"Submit My Score", "Guaranteed", "Top Countries"}) {
      const int regularInk = InkOf(regular, text);
      ASSERT_GT(regularInk, 0) << c.family;
      EXPECT_GT(InkOf(bold, text), regularInk * 5 / 4) << c.family << " " << c.size << ": " << text;
    }
  }
}

// The blank columns between each two neighbouring letters of a word, from their glyphs.
std::vector<int> GapsOf(platform::FontFace& face, std::string_view word) {
  std::vector<int> gaps;
  for (size_t i = 0; i + 1 < word.size(); ++i) {
    const auto& left = face.GlyphFor(char32_t(word[i]));
    const auto& right = face.GlyphFor(char32_t(word[i + 1]));
    gaps.push_back(left.advance - (left.left + left.width) + right.left);
  }
  return gaps;
}

TEST(FontGlyphs, BoldLettersStandAsEvenlyApartAsRegularOnes) {
  // Bold captions of the pages, where the letters once stood unevenly ("Softw are").
  auto& fonts = platform::FontLibrary::Instance();
  for (const int size : {11, 12, 16}) {
    auto& regular = fonts.Face({"Tahoma", size, false, false});
    auto& bold = fonts.Face({"Tahoma", size, true, false});
    for (std::string_view word : {"Software", "View", "Global", "Submit", "Score"}) {
      const std::vector<int> thin = GapsOf(regular, word);
      const std::vector<int> thick = GapsOf(bold, word);
      EXPECT_EQ(thick, thin) << size << " " << word;
    }
  }
}

TEST(FontGlyphs, MetricsMatchTheDesktopLineBoxes) {
  auto& fonts = platform::FontLibrary::Instance();
  const auto& arial = fonts.Face({"Arial", 12}).Metrics();
  EXPECT_EQ(arial.ascent, 11);
  EXPECT_EQ(arial.descent, 3);
  EXPECT_EQ(arial.lineHeight, 14);
  EXPECT_EQ(fonts.Face({"Tahoma", 11}).Metrics().lineHeight, 13);
  EXPECT_EQ(fonts.Face({"Small Fonts", 9}).Metrics().lineHeight, 11);
}

TEST(Utf8, DecodesAndReplacesMalformedBytes) {
  const std::string text = "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80\xC3";
  size_t pos = 0;
  EXPECT_EQ(platform::NextCodePoint(text, pos), U'a');
  EXPECT_EQ(platform::NextCodePoint(text, pos), U'\u00E9');
  EXPECT_EQ(platform::NextCodePoint(text, pos), U'\u20AC');
  EXPECT_EQ(platform::NextCodePoint(text, pos), U'\U0001F600');
  EXPECT_EQ(platform::NextCodePoint(text, pos), U'\uFFFD');  // truncated sequence
  EXPECT_EQ(pos, text.size());
  const std::string overlong = "\xC0\xAF";
  pos = 0;
  EXPECT_EQ(platform::NextCodePoint(overlong, pos), U'\uFFFD');
}

// A library over no usable configuration, as with an empty FONTCONFIG_FILE.
class FontFallback : public ::testing::Test {
 protected:
  FontFallback() { std::ofstream file(config_); }
  ~FontFallback() override { std::filesystem::remove(config_); }
  std::unique_ptr<platform::FontLibrary> Library(std::vector<std::string> folders) {
    return platform::CreateFreeTypeFonts(
        {config_.string(), std::move(folders),
         [this](const std::string& message) { warnings.push_back(message); }});
  }
  std::filesystem::path config_ =
      std::filesystem::temp_directory_path() / "tachora-empty-fonts.conf";
  std::vector<std::string> warnings;
};

TEST_F(FontFallback, AMissingFamilyFallsBackToAFaceThatExistsWithOneWarning) {
  const auto fonts = Library({"/usr/share/wine/fonts"});
  auto& arial = fonts->Face({"Arial", 12});
  EXPECT_EQ(FileName(arial.FilePath()), "tahoma.ttf");
  EXPECT_GT(arial.GlyphFor('A').width, 0);
  EXPECT_EQ(FileName(fonts->Face({"Arial", 16, true}).FilePath()), "tahoma.ttf");  // thickened
  EXPECT_EQ(FileName(fonts->Face({"Tahoma", 11}).FilePath()), "tahoma.ttf");
  EXPECT_EQ(warnings, std::vector<std::string>{
                          "font \"Arial\" (Liberation Sans) not found; using Tahoma instead"});
}

TEST_F(FontFallback, NoFontAtAllIsAClearError) {
  const auto empty = std::filesystem::temp_directory_path() / "tachora-no-fonts";
  std::filesystem::create_directories(empty);
  const auto fonts = Library({empty.string()});
  try {
    fonts->Face({"Arial", 12});
    ADD_FAILURE() << "a face without any font";
  } catch (const platform::FontError& error) {
    EXPECT_EQ(std::string(error.what()).rfind("no font can be loaded: ", 0), 0u) << error.what();
  }
  std::filesystem::remove(empty);
}

class CanvasText : public ::testing::Test {
 protected:
  CanvasText() : bitmap(200, 80), canvas(bitmap) { bitmap.Fill(kWhite); }
  Rect Ink() const {
    Rect r;
    for (int y = 0; y < bitmap.Height(); ++y) {
      for (int x = 0; x < bitmap.Width(); ++x) {
        if (bitmap.Pixel(x, y) != kWhite) r = r.Union({x, y, x + 1, y + 1});
      }
    }
    return r;
  }
  Bitmap bitmap;
  Canvas canvas;
};

TEST_F(CanvasText, TextFallsWithinItsMeasuredBox) {
  canvas.font = {"Arial", 12, kBlack};
  canvas.TextOut({10, 20}, "Measured MHz");
  const Rect box = Rect::XYWH(10, 20, canvas.TextWidth("Measured MHz"), canvas.TextHeight());
  const Rect ink = Ink();
  ASSERT_FALSE(ink.Empty());
  EXPECT_TRUE(box.Inflate(1).Contains(ink))
      << ink.left << "," << ink.top << "," << ink.right << "," << ink.bottom;
  EXPECT_GT(ink.Width(), box.Width() * 3 / 4);
}

TEST_F(CanvasText, WidthAddsUpAndBoldIsWider) {
  canvas.font = {"Tahoma", 11};
  EXPECT_EQ(canvas.TextWidth("ab"), canvas.TextWidth("a") + canvas.TextWidth("b"));
  const int regular = canvas.TextWidth("Test CPU Speed");
  canvas.font.bold = true;
  EXPECT_GT(canvas.TextWidth("Test CPU Speed"), regular);
  EXPECT_EQ(canvas.TextWidth(""), 0);
}

TEST_F(CanvasText, UnderlineRunsBelowTheBaseline) {
  canvas.font = {"Arial", 12, kBlack};
  canvas.font.underline = true;
  canvas.TextOut({0, 0}, "ab");
  const int width = canvas.TextWidth("ab");
  const auto& m = platform::FontLibrary::Instance().Face({"Arial", 12}).Metrics();
  const int y = m.ascent + m.underlineOffset;
  for (int x = 0; x < width; ++x) EXPECT_EQ(bitmap.Pixel(x, y), kBlack) << x;
  EXPECT_EQ(bitmap.Pixel(width, y), kWhite);
}

TEST_F(CanvasText, TextIsClipped) {
  canvas.font = {"Arial", 12, kBlack};
  canvas.ClipTo({0, 0, 15, 80});
  canvas.TextOut({0, 0}, "WWWWWWWW");
  EXPECT_LE(Ink().right, 15);
}

TEST_F(CanvasText, WrapsAtTheBoxWidth) {
  canvas.font = {"Small Fonts", 9, kBlack};
  const std::string text = "connecting to server, please wait...";
  const int width = canvas.TextWidth("connecting to server,");
  const auto lines = canvas.WrapText(text, width);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], "connecting to server,");
  EXPECT_EQ(lines[1], "please wait...");
  const int height = canvas.DrawWrappedText({0, 0, width, 80}, text);
  EXPECT_EQ(height, 2 * canvas.TextHeight());
  EXPECT_LE(Ink().right, width);
  EXPECT_GT(Ink().bottom, canvas.TextHeight());
}

TEST_F(CanvasText, WrapKeepsLongWordsAndHonoursNewlines) {
  canvas.font = {"Arial", 12};
  EXPECT_EQ(canvas.WrapText("Supercalifragilistic a", 10),
            (std::vector<std::string>{"Supercalifragilistic", "a"}));
  EXPECT_EQ(canvas.WrapText("one\r\ntwo\n\nthree", 500),
            (std::vector<std::string>{"one", "two", "", "three"}));
  EXPECT_TRUE(canvas.WrapText("", 100).empty());
  EXPECT_EQ(canvas.DrawWrappedText({0, 0, 100, 100}, "", TextAlign::Left, false), 0);
}

TEST_F(CanvasText, AlignmentPlacesEachLine) {
  canvas.font = {"Arial", 12, kBlack};
  const int width = canvas.TextWidth("Core");
  canvas.DrawWrappedText({0, 0, 200, 20}, "Core", TextAlign::Right);
  const Rect right = Ink();
  bitmap.Fill(kWhite);
  canvas.DrawWrappedText({0, 0, 200, 20}, "Core", TextAlign::Center);
  const Rect centre = Ink();
  EXPECT_LE(right.right, 200);
  EXPECT_GE(right.left, 200 - width);
  EXPECT_GE(centre.left, (200 - width) / 2);
  EXPECT_LE(centre.right, (200 - width) / 2 + width + 1);
}

}  // namespace
}  // namespace gui
