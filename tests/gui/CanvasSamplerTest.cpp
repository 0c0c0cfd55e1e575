// Draws one sheet of every primitive and the program's fonts, checks the pixels each
// sample put down, and writes the sheet as canvas-sampler.png in the test's temporary
// folder for a look by eye.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>

#include "gui/Canvas.h"
#include "gui/Palette.h"
#include "gui/PngWriter.h"

namespace gui {
namespace {

constexpr Color kSheet = palette::kTopArea;

// Every test draws its samples on one shared sheet, each in a part of its own, and checks
// that part; the whole sheet is written once all have drawn.
class CanvasSampler : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    sheet_ = new Bitmap(360, 220, Bitmap::Format::Bgr24);
    sheet_->Fill(kSheet);
  }
  static void TearDownTestSuite() {
    EXPECT_TRUE(WritePng(*sheet_, ::testing::TempDir() + "canvas-sampler.png"));
    delete sheet_;
    sheet_ = nullptr;
  }

  Bitmap& sheet = *sheet_;
  Canvas c{sheet};

  // The pixels of one colour in a part of the sheet.
  int Count(const Rect& area, Color color) const {
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y) {
      for (int x = area.left; x < area.right; ++x) count += sheet.Pixel(x, y) == color;
    }
    return count;
  }

 private:
  static inline Bitmap* sheet_ = nullptr;
};

TEST_F(CanvasSampler, TextInEveryFontCarriesInkInItsOwnColourOnItsOwnLine) {
  struct Sample {
    Font font;
    const char* text;
  };
  const std::array<Sample, 5> samples{{
      {{"Arial", 12, palette::kWhite}, "Arial 12: Test CPU Speed 3000 MHz"},
      {{"Tahoma", 11, palette::kLightBlue, true}, "Tahoma bold 11: CPU Details"},
      {{"Tahoma", 11, palette::kWhite}, "Tahoma 11: Online Scores 4 3 2 1"},
      {{"Small Fonts", 7, palette::kYellow}, "Small Fonts 7: connecting to server, please wait..."},
      {{"Arial", 14, palette::kWhite, false, true, true}, "Arial 14 underlined, anti-aliased"},
  }};
  int y = 4;
  for (const Sample& s : samples) {
    c.font = s.font;
    c.TextOut({6, y}, s.text);
    const int height = c.TextHeight();
    // Ink in the line's colour, starting at the given left edge and ending where the
    // measured width says.
    const Rect line = Rect::XYWH(0, y, sheet.Width(), height);
    EXPECT_GT(Count(line, s.font.color), 20) << s.text;
    const int width = c.TextWidth(s.text);
    EXPECT_EQ(Count(Rect::XYWH(0, y, 6, height), s.font.color), 0) << s.text;
    const int end = 6 + width + 2;  // the wrapped text's box begins at 230
    EXPECT_EQ(Count({end, y, std::max(end, 230), y + height}, s.font.color), 0) << s.text;
    y += height + 4;
  }
}

TEST_F(CanvasSampler, WrappedTextIsCentredAndStaysInItsBox) {
  c.font = {"Small Fonts", 9, palette::kWhite};
  const Rect box{230, 4, 350, 80};
  const int used =
      c.DrawWrappedText(box, "Small Fonts 9 wrapped and centred in a box", TextAlign::Center);
  EXPECT_EQ(used % c.TextHeight(), 0);
  EXPECT_GE(used / c.TextHeight(), 2);  // too wide for one line of the box
  // Nothing to the right of the box or below it.
  EXPECT_EQ(Count({box.right, 0, sheet.Width(), box.bottom}, palette::kWhite), 0);
  EXPECT_EQ(Count({box.left, box.bottom, box.right, box.bottom + 10}, palette::kWhite), 0);
  int left = box.right;
  int right = box.left;
  for (int y = box.top; y < box.bottom; ++y) {
    for (int x = box.left; x < box.right; ++x) {
      if (sheet.Pixel(x, y) != palette::kWhite) continue;
      left = std::min(left, x);
      right = std::max(right, x + 1);
    }
  }
  ASSERT_LT(left, right);
  EXPECT_NEAR(left - box.left, box.right - right, 2);
}

TEST_F(CanvasSampler, AFilledPolygonCoversItsInsideOnly) {
  c.pen = {palette::kRed, 1};
  c.brush = {palette::kRed};
  const std::array<Point, 6> segment{
      {{10, 120}, {14, 116}, {50, 116}, {54, 120}, {50, 124}, {14, 124}}};
  c.Polygon(segment);
  for (Point inside : {Point{32, 120}, Point{12, 120}, Point{52, 120}, Point{32, 117}}) {
    EXPECT_EQ(sheet.Pixel(inside.x, inside.y), palette::kRed) << inside.x << "," << inside.y;
  }
  for (Point outside :
       {Point{8, 120}, Point{56, 120}, Point{32, 114}, Point{32, 126}, Point{11, 117}}) {
    EXPECT_EQ(sheet.Pixel(outside.x, outside.y), kSheet) << outside.x << "," << outside.y;
  }
}

TEST_F(CanvasSampler, AnEllipseHasItsOutlineOnTheRimAndItsBrushInside) {
  c.pen = {palette::kWhite, 2};
  c.brush = {Rgb(0x40, 0x40, 0x40)};
  c.Ellipse({70, 100, 110, 140});
  EXPECT_EQ(sheet.Pixel(90, 120), Rgb(0x40, 0x40, 0x40));
  // The rim at the four extremes, centred on the bounding box's edge: the 2-pixel pen
  // reaches one pixel beyond it on the left and at the top.
  EXPECT_EQ(sheet.Pixel(69, 120), palette::kWhite);
  EXPECT_EQ(sheet.Pixel(70, 120), palette::kWhite);
  EXPECT_EQ(sheet.Pixel(109, 120), palette::kWhite);
  EXPECT_EQ(sheet.Pixel(90, 99), palette::kWhite);
  EXPECT_EQ(sheet.Pixel(90, 139), palette::kWhite);
  // The bounding box's corners lie outside the ellipse, and so does what lies beyond.
  for (Point outside : {Point{71, 101}, Point{108, 101}, Point{71, 138}, Point{108, 138},
                        Point{68, 120}, Point{110, 120}}) {
    EXPECT_EQ(sheet.Pixel(outside.x, outside.y), kSheet) << outside.x << "," << outside.y;
  }
}

TEST_F(CanvasSampler, AWideLineCoversItsPathAndNothingBeside) {
  c.pen = {palette::kYellow, 3};
  c.Line({130, 140}, {190, 100});
  // On the path (y = 140 - 2/3 (x - 130)) and one pixel to either side of it.
  for (Point on :
       {Point{160, 120}, Point{145, 130}, Point{175, 110}, Point{160, 119}, Point{160, 121}}) {
    EXPECT_EQ(sheet.Pixel(on.x, on.y), palette::kYellow) << on.x << "," << on.y;
  }
  for (Point off : {Point{160, 115}, Point{160, 125}, Point{130, 100}, Point{190, 140}}) {
    EXPECT_EQ(sheet.Pixel(off.x, off.y), kSheet) << off.x << "," << off.y;
  }
}

TEST_F(CanvasSampler, AnUnfilledRectangleIsAFrameInsideItsBounds) {
  c.pen = {palette::kAqua, 1};
  c.brush.clear = true;
  const Rect r{200, 100, 260, 140};
  c.Rectangle(r);
  // The whole frame, one pixel wide, just inside the bounds; nothing inside or beyond.
  const int perimeter = 2 * (r.Width() + r.Height()) - 4;
  EXPECT_EQ(Count(r, palette::kAqua), perimeter);
  EXPECT_EQ(sheet.Pixel(200, 100), palette::kAqua);
  EXPECT_EQ(sheet.Pixel(259, 139), palette::kAqua);
  EXPECT_EQ(Count(r.Inflate(-1), palette::kAqua), 0);
  EXPECT_EQ(Count(r.Inflate(1), palette::kAqua), perimeter);
}

TEST_F(CanvasSampler, AStretchRepeatsEachSourcePixelOverAWholeBlock) {
  Bitmap ramp(16, 8);
  auto rampColor = [](int x, int y) { return Rgb(uint8_t(x * 16), uint8_t(y * 32), 128); };
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 16; ++x) ramp.SetPixel(x, y, rampColor(x, y));
  }
  const Rect dest{270, 100, 350, 140};  // five times as wide and as high
  c.StretchDraw(dest, ramp);
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 16; ++x) {
      const Rect block = Rect::XYWH(dest.left + 5 * x, dest.top + 5 * y, 5, 5);
      EXPECT_EQ(Count(block, rampColor(x, y)), 25) << "source " << x << "," << y;
    }
  }
  EXPECT_EQ(sheet.Pixel(dest.left - 1, dest.top), kSheet);
  EXPECT_EQ(sheet.Pixel(dest.right, dest.bottom - 1), kSheet);
}

}  // namespace
}  // namespace gui
