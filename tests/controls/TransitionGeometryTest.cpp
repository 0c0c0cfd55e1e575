// The styles whose names fix their geometry, pixel by pixel: where the new picture shows,
// which of its pixels, and where the old one goes.
#include <gtest/gtest.h>

#include <set>

#include "TransitionTestPictures.h"
#include "controls/TransitionStyles.h"

namespace controls {
namespace {

using gui::Bitmap;
using namespace testing_pictures;

constexpr int kW = 40;
constexpr int kH = 20;

class StyleGeometryTest : public testing::Test {
 protected:
  const Bitmap old_ = Picture(kW, kH, OldPixel);
  const Bitmap image_ = Picture(kW, kH, NewPixel);
  Bitmap FrameOf(int style, int progress) const { return Frame(style, old_, image_, progress); }
  // Whether the frame shows the new picture's own pixel at each place of a rectangle.
  static bool ShowsNew(const Bitmap& frame, int left, int top, int right, int bottom) {
    for (int y = top; y < bottom; ++y) {
      for (int x = left; x < right; ++x) {
        if (At(frame, x, y) != NewPixel(x, y)) return false;
      }
    }
    return true;
  }
  static bool ShowsOld(const Bitmap& frame, int left, int top, int right, int bottom) {
    for (int y = top; y < bottom; ++y) {
      for (int x = left; x < right; ++x) {
        if (At(frame, x, y) != OldPixel(x, y)) return false;
      }
    }
    return true;
  }
};

TEST_F(StyleGeometryTest, RevealsUncoverTheNewPictureWhereItLies) {
  // "Reveal from left" at 50 %: exactly the left half.
  Bitmap frame = FrameOf(5, 50);
  EXPECT_TRUE(ShowsNew(frame, 0, 0, kW / 2, kH));
  EXPECT_TRUE(ShowsOld(frame, kW / 2, 0, kW, kH));
  // "Reveal from bottom right" at 25 %: a quarter of each side, in the corner.
  frame = FrameOf(45, 25);
  EXPECT_TRUE(ShowsNew(frame, 30, 15, kW, kH));
  EXPECT_EQ(NewPixelsOf(frame), 10 * 5);
  // "Reveal in to centre" at 50 %: the old picture keeps the middle half of each side.
  frame = FrameOf(54, 50);
  EXPECT_TRUE(ShowsOld(frame, 10, 5, 30, 15));
  EXPECT_EQ(NewPixelsOf(frame), kW * kH - 20 * 10);
  // "Quarters Reveal in to middle" at 50 %: a quarter of the picture in each corner.
  frame = FrameOf(55, 50);
  for (const auto& [x, y] :
       {std::pair{0, 0}, std::pair{30, 0}, std::pair{0, 15}, std::pair{30, 15}}) {
    EXPECT_TRUE(ShowsNew(frame, x, y, x + 10, y + 5)) << x << "," << y;
  }
  EXPECT_EQ(NewPixelsOf(frame), 4 * 10 * 5);
}

TEST_F(StyleGeometryTest, SlidesBringTheFarEndInFirst) {
  // "Slide in from right" at 30 %: the new picture's columns 0 to 11 at 28 to 39.
  Bitmap frame = FrameOf(3, 30);
  EXPECT_EQ(At(frame, 28, 3), NewPixel(0, 3));
  EXPECT_EQ(At(frame, 39, 3), NewPixel(11, 3));
  EXPECT_TRUE(ShowsOld(frame, 0, 0, 28, kH));
  // "Slide in from top" at 50 %: the new picture's bottom rows 10 to 19 on top.
  frame = FrameOf(21, 50);
  EXPECT_EQ(At(frame, 7, 0), NewPixel(7, 10));
  EXPECT_EQ(At(frame, 7, 9), NewPixel(7, 19));
  EXPECT_TRUE(ShowsOld(frame, 0, 10, kW, kH));
}

TEST_F(StyleGeometryTest, PushesShiftTheOldPictureByTheScaledSize) {
  // "Push right" at 30 %: X is 12; the old picture moves 12 to the right and the new
  // one's last 12 columns enter on the left.
  Bitmap frame = FrameOf(129, 30);
  for (int y = 0; y < kH; ++y) {
    for (int x = 0; x < kW; ++x) {
      ASSERT_EQ(At(frame, x, y), x < 12 ? NewPixel(x + 28, y) : OldPixel(x - 12, y))
          << x << "," << y;
    }
  }
  // "Push down" at 25 %: Y is 5; the old picture moves down 5 rows, unsmeared.
  frame = FrameOf(133, 25);
  for (int y = 0; y < kH; ++y) {
    EXPECT_EQ(At(frame, 5, y), y < 5 ? NewPixel(5, y + 15) : OldPixel(5, y - 5)) << y;
  }
  // "Push up" at 50 %: Y is 10; the old picture's lower half rises to the top.
  frame = FrameOf(134, 50);
  EXPECT_EQ(At(frame, 5, 0), OldPixel(5, 10));
  EXPECT_EQ(At(frame, 5, 10), NewPixel(5, 0));
  EXPECT_EQ(At(frame, 5, 19), NewPixel(5, 9));
  // "Push and squeeze right" at 50 %: the old picture squeezed into the right half,
  // every second column of it.
  frame = FrameOf(131, 50);
  EXPECT_EQ(At(frame, 0, 4), NewPixel(20, 4));
  for (int x = 20; x < kW; ++x) EXPECT_EQ(At(frame, x, 4), OldPixel(2 * (x - 20) + 1, 4)) << x;
}

TEST_F(StyleGeometryTest, ExpandsAndContractionsStretchWholePictures) {
  // "Expand from left" at 50 %: the whole new picture squeezed into the left half.
  Bitmap frame = FrameOf(2, 50);
  for (int x = 0; x < 20; ++x) EXPECT_EQ(At(frame, x, 6), NewPixel(2 * x + 1, 6)) << x;
  EXPECT_TRUE(ShowsOld(frame, 20, 0, kW, kH));
  // "Appear and Contract to middle" at 50 %: the old picture at half size in the middle,
  // the new one all round it.
  frame = FrameOf(51, 50);
  EXPECT_EQ(At(frame, 10, 5), OldPixel(1, 1));
  EXPECT_EQ(At(frame, 29, 14), OldPixel(39, 19));
  EXPECT_TRUE(ShowsNew(frame, 0, 0, kW, 5));
  EXPECT_TRUE(ShowsNew(frame, 0, 0, 10, kH));
  EXPECT_EQ(NewPixelsOf(frame), kW * kH - 20 * 10);
}

TEST_F(StyleGeometryTest, CurvesSweepsAndPivotsTurnRoundTheirHub) {
  // "Elliptic reveal out from centre" at 50 %: the middle, not the corners, and the
  // same on both sides.
  Bitmap frame = FrameOf(84, 50);
  EXPECT_TRUE(ShowsNew(frame, 15, 8, 25, 12));
  EXPECT_TRUE(ShowsOld(frame, 0, 0, 2, 2));
  for (int y = 0; y < kH; ++y) {
    for (int x = 0; x < kW / 2; ++x) {
      EXPECT_EQ(At(frame, x, y) == NewPixel(x, y),
                At(frame, kW - 1 - x, y) == NewPixel(kW - 1 - x, y));
    }
  }
  // "Sweep clockwise" at 25 %: from twelve o'clock to three, the top right quarter.
  frame = FrameOf(144, 25);
  EXPECT_TRUE(ShowsNew(frame, 21, 0, kW, 10));
  EXPECT_TRUE(ShowsOld(frame, 0, 0, 19, kH));
  EXPECT_TRUE(ShowsOld(frame, 20, 11, kW, kH));
  // "Sweep anticlockwise" at 25 %: the top left quarter.
  frame = FrameOf(145, 25);
  EXPECT_TRUE(ShowsNew(frame, 0, 0, 19, 10));
  EXPECT_TRUE(ShowsOld(frame, 21, 0, kW, kH));
  // "Pivot from top left" at 50 %: the half below the top edge up to the 45° line.
  frame = FrameOf(120, 50);
  for (int y = 0; y < kH; ++y) {
    for (int x = 0; x < kW; ++x) {
      if (x == y) continue;  // on the line
      EXPECT_EQ(At(frame, x, y) == NewPixel(x, y), x > y) << x << "," << y;
    }
  }
}

TEST_F(StyleGeometryTest, BlindsAndBarsOpenBandByBand) {
  // "Blind vertically" at 50 %: every 16-pixel slat shows its first 8 columns.
  Bitmap frame = FrameOf(137, 50);
  EXPECT_TRUE(ShowsNew(frame, 0, 0, 8, kH));
  EXPECT_TRUE(ShowsOld(frame, 8, 0, 16, kH));
  EXPECT_TRUE(ShowsNew(frame, 16, 0, 24, kH));
  EXPECT_TRUE(ShowsOld(frame, 24, 0, 32, kH));
  EXPECT_TRUE(ShowsNew(frame, 32, 0, 36, kH));  // the last slat is 8 wide: 4 of them
  // "Bars left then right" at 50 %: the even bars are in, the odd ones not yet.
  frame = FrameOf(62, 50);
  EXPECT_TRUE(ShowsNew(frame, 0, 0, kW, 2));
  EXPECT_TRUE(ShowsOld(frame, 0, 2, kW, 4));
  EXPECT_TRUE(ShowsNew(frame, 0, 4, kW, 6));
}

TEST_F(StyleGeometryTest, RandomOrdersShowTheirShareExactly) {
  // "Dissolve" on a 64 x 64 picture at 50 %: exactly half of the pixels.
  const Bitmap old = Picture(64, 64, OldPixel);
  const Bitmap image = Picture(64, 64, NewPixel);
  EXPECT_EQ(NewPixelsOf(Frame(169, old, image, 50)), 64 * 64 / 2);
  EXPECT_EQ(NewPixelsOf(Frame(169, old, image, 25)), 64 * 64 / 4);
  // "Random squares appear" on 48 x 24 (eight 12-pixel squares) at 50 %: four of them,
  // each whole.
  const Bitmap frame = Frame(128, Picture(48, 24, OldPixel), Picture(48, 24, NewPixel), 50);
  int squares = 0;
  for (int top = 0; top < 24; top += 12) {
    for (int left = 0; left < 48; left += 12) {
      const bool shown = ShowsNew(frame, left, top, left + 12, top + 12);
      EXPECT_TRUE(shown || ShowsOld(frame, left, top, left + 12, top + 12)) << left << "," << top;
      squares += shown;
    }
  }
  EXPECT_EQ(squares, 4);
  // "Speckle appear from left" at 50 %: far more of the left half than of the right.
  const Bitmap speckle = FrameOf(125, 50);
  int left = 0;
  int right = 0;
  for (int y = 0; y < kH; ++y) {
    for (int x = 0; x < kW; ++x) (x < kW / 2 ? left : right) += At(speckle, x, y) == NewPixel(x, y);
  }
  EXPECT_GT(left, 2 * right);
}

TEST_F(StyleGeometryTest, TheSpiralWindsClockwiseFromTheTopLeft) {
  // Cells of 4 pixels (a fifth of the shorter side): 10 x 5 of them. The top row comes
  // first, then the right column.
  Bitmap frame = FrameOf(152, 20);  // 10 cells
  EXPECT_TRUE(ShowsNew(frame, 0, 0, kW, 4));
  EXPECT_TRUE(ShowsOld(frame, 0, 4, kW, kH));
  frame = FrameOf(152, 28);  // 14 cells: and four down the right
  EXPECT_TRUE(ShowsNew(frame, 36, 0, kW, kH));
  EXPECT_TRUE(ShowsOld(frame, 0, 4, 36, kH));
}

TEST_F(StyleGeometryTest, TheChannelMixFadesBlueThenGreenThenRed) {
  const Bitmap frame = FrameOf(172, 50);
  const auto share = [&](int shift) {
    const int from = int(OldPixel(3, 3) >> shift & 0xFF);
    const int to = int(NewPixel(3, 3) >> shift & 0xFF);
    return double(int(At(frame, 3, 3) >> shift & 0xFF) - from) / (to - from);
  };
  const double blue = share(0);
  const double green = share(8);
  const double red = share(16);
  EXPECT_GT(blue, green);
  EXPECT_GT(green, red);
  EXPECT_GT(red, 0);
  EXPECT_LT(blue, 1);
}

}  // namespace
}  // namespace controls
