// Clipping, origin, and the copies: plain, stretched, transparent, blended, tiled.
#include <gtest/gtest.h>

#include "gui/Canvas.h"
#include "gui/Palette.h"

namespace gui {
namespace {

using gui::palette::kRed;
using gui::palette::kWhite;

// A source whose pixel (x, y) has red x and green y.
Bitmap Ramp(int w, int h, Bitmap::Format format = Bitmap::Format::Bgra32) {
  Bitmap b(w, h, format);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) b.SetPixel(x, y, Rgb(uint8_t(x), uint8_t(y), 7));
  }
  return b;
}

class CanvasCopy : public ::testing::Test {
 protected:
  CanvasCopy() : bitmap(32, 24), canvas(bitmap) { bitmap.Fill(kWhite); }
  Bitmap bitmap;
  Canvas canvas;
};

TEST_F(CanvasCopy, OriginAndClipNestForChildren) {
  canvas.Save();
  canvas.Translate(10, 5);
  canvas.ClipTo({0, 0, 4, 3});
  EXPECT_EQ(canvas.ClipRect(), (Rect{0, 0, 4, 3}));
  canvas.FillRect({-5, -5, 50, 50}, kRed);
  canvas.Restore();
  EXPECT_EQ(canvas.Origin(), (Point{0, 0}));
  EXPECT_EQ(canvas.ClipRect(), (Rect{0, 0, 32, 24}));
  for (int y = 0; y < 24; ++y) {
    for (int x = 0; x < 32; ++x) {
      EXPECT_EQ(bitmap.Pixel(x, y) == kRed, x >= 10 && x < 14 && y >= 5 && y < 8) << x << "," << y;
    }
  }
}

TEST_F(CanvasCopy, ExcludedRectanglesAreSkippedUntilRestore) {
  canvas.Save();
  canvas.ExcludeClip({4, 0, 8, 24});
  canvas.ExcludeClip({6, 0, 12, 2});
  canvas.FillRect({0, 0, 16, 4}, kRed);
  canvas.Restore();
  EXPECT_EQ(bitmap.Pixel(3, 1), kRed);
  EXPECT_EQ(bitmap.Pixel(4, 1), kWhite);
  EXPECT_EQ(bitmap.Pixel(10, 1), kWhite);
  EXPECT_EQ(bitmap.Pixel(10, 3), kRed);
  EXPECT_EQ(bitmap.Pixel(12, 1), kRed);
  canvas.FillRect({4, 10, 5, 11}, kRed);
  EXPECT_EQ(bitmap.Pixel(4, 10), kRed);
}

TEST_F(CanvasCopy, PlainCopyOfAPartHonoursClipAndOrigin) {
  const Bitmap source = Ramp(10, 10);
  canvas.Translate(2, 3);
  canvas.ClipTo({0, 0, 3, 100});
  canvas.Draw({-1, 0}, source, {4, 5, 9, 8});
  // Visible: target columns 2..4 show source columns 5..7 (one was shifted left of x 0).
  EXPECT_EQ(bitmap.Pixel(1, 3), kWhite);
  EXPECT_EQ(bitmap.Pixel(2, 3), Rgb(5, 5, 7));
  EXPECT_EQ(bitmap.Pixel(4, 5), Rgb(7, 7, 7));
  EXPECT_EQ(bitmap.Pixel(5, 3), kWhite);
  EXPECT_EQ(bitmap.Pixel(2, 6), kWhite);
}

TEST_F(CanvasCopy, CopyFrom24BitsSetsTheFourthByteToZero) {
  const Bitmap source = Ramp(4, 4, Bitmap::Format::Bgr24);
  Bitmap target(4, 4);
  target.Row(0)[3] = 99;
  Canvas c(target);
  c.Draw({0, 0}, source);
  EXPECT_EQ(target.Pixel(3, 2), Rgb(3, 2, 7));
  EXPECT_EQ(target.Alpha(0, 0), 0);
}

TEST_F(CanvasCopy, StretchPicksTheSourcePixelUnderEachCentre) {
  const Bitmap source = Ramp(3, 2);
  canvas.StretchDraw({0, 0, 7, 5}, source);
  // Column d maps to floor((d + 0.5) * 3 / 7): 0 0 1 1 1 2 2; row d to floor((d + 0.5) * 2 / 5).
  constexpr int kColumns[] = {0, 0, 1, 1, 1, 2, 2};
  constexpr int kRows[] = {0, 0, 1, 1, 1};
  for (int y = 0; y < 5; ++y) {
    for (int x = 0; x < 7; ++x) {
      EXPECT_EQ(bitmap.Pixel(x, y), Rgb(uint8_t(kColumns[x]), uint8_t(kRows[y]), 7));
    }
  }
  EXPECT_EQ(bitmap.Pixel(7, 0), kWhite);
}

TEST_F(CanvasCopy, StretchShrinksAndClipsWithoutShiftingTheMapping) {
  const Bitmap source = Ramp(20, 20);
  canvas.ClipTo({3, 0, 5, 24});
  canvas.StretchDraw({0, 0, 10, 10}, source, {0, 0, 20, 20});
  // Destination column 3 takes floor(3.5 * 2) = 7, column 4 takes 9.
  EXPECT_EQ(bitmap.Pixel(3, 0), Rgb(7, 1, 7));
  EXPECT_EQ(bitmap.Pixel(4, 9), Rgb(9, 19, 7));
  EXPECT_EQ(bitmap.Pixel(2, 0), kWhite);
  EXPECT_EQ(bitmap.Pixel(5, 0), kWhite);
}

TEST_F(CanvasCopy, TransparentCopyLeavesTheKeyColourOut) {
  Bitmap source(3, 1);
  source.SetPixel(0, 0, kRed);
  source.SetPixel(1, 0, 0x00FF00FF);
  source.SetPixel(2, 0, 0x00123456);
  canvas.DrawTransparent({1, 1}, source, 0x00FF00FF);
  EXPECT_EQ(bitmap.Pixel(1, 1), kRed);
  EXPECT_EQ(bitmap.Pixel(2, 1), kWhite);
  EXPECT_EQ(bitmap.Pixel(3, 1), 0x00123456u);
}

TEST_F(CanvasCopy, BlendedCopyMixesByAlpha) {
  Bitmap source(3, 1);
  source.Fill(Rgb(0, 0, 0));
  source.Row(0)[3] = 255;
  source.Row(0)[7] = 0;
  source.Row(0)[11] = 128;
  canvas.DrawBlended({0, 0}, source);
  EXPECT_EQ(bitmap.Pixel(0, 0), Rgb(0, 0, 0));
  EXPECT_EQ(bitmap.Pixel(1, 0), kWhite);
  EXPECT_EQ(bitmap.Pixel(2, 0), Rgb(127, 127, 127));
  canvas.DrawBlended({0, 1}, source, 0);
  EXPECT_EQ(bitmap.Pixel(0, 1), kWhite);
}

TEST_F(CanvasCopy, TilesRepeatFromTheTopLeftCorner) {
  const Bitmap tile = Ramp(3, 2);
  canvas.DrawTiled({1, 1, 8, 6}, tile);
  EXPECT_EQ(bitmap.Pixel(1, 1), Rgb(0, 0, 7));
  EXPECT_EQ(bitmap.Pixel(4, 2), Rgb(0, 1, 7));
  EXPECT_EQ(bitmap.Pixel(7, 5), Rgb(0, 0, 7));
  EXPECT_EQ(bitmap.Pixel(8, 5), kWhite);
  EXPECT_EQ(bitmap.Pixel(7, 6), kWhite);
}

}  // namespace
}  // namespace gui
