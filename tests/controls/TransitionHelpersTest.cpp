// The building blocks of the transition styles: the stretched copy (against the canvas's
// colour-on-colour stretch, and within one bitmap), the reveal mask's shapes (against the
// canvas's polygon fill) and the fixed random orders.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <vector>

#include "TransitionTestPictures.h"
#include "controls/transitions/RandomOrder.h"
#include "controls/transitions/RevealMask.h"
#include "controls/transitions/StretchCopy.h"
#include "gui/Canvas.h"

namespace controls::transitions {
namespace {

using gui::Bitmap;
using gui::Rect;
using namespace testing_pictures;

TEST(StretchCopyTest, PicksThePixelsTheCanvasStretchPicks) {
  const Bitmap source = Picture(23, 17, NewPixel);
  struct Case {
    Rect to;
    Rect from;
  };
  const Case cases[] = {
      {{2, 3, 9, 8}, {0, 0, 23, 17}},      // squeezed
      {{0, 0, 40, 30}, {4, 2, 11, 9}},     // enlarged
      {{-5, -3, 20, 12}, {1, 1, 22, 16}},  // partly outside the target
      {{10, 4, 31, 9}, {3, 5, 9, 15}},     // wider and flatter
      {{5, 5, 12, 12}, {5, 5, 12, 12}},    // a plain copy
  };
  for (const Case& c : cases) {
    Bitmap expected = Picture(30, 24, OldPixel);
    Bitmap got = expected;
    gui::Canvas(expected).StretchDraw(c.to, source, c.from);
    StretchCopy(got, c.to, source, c.from);
    EXPECT_EQ(got, expected) << c.to.left << "," << c.to.top << " " << c.to.Width() << "x"
                             << c.to.Height();
  }
}

TEST(StretchCopyTest, WithinOneBitmapReadsEveryRowBeforeOverwritingIt) {
  const Bitmap start = Picture(31, 19, OldPixel);
  const Rect whole{0, 0, 31, 19};
  const Rect targets[] = {
      {7, 0, 31, 19},   // shifted right
      {0, 0, 24, 19},   // shifted left
      {0, 5, 31, 19},   // shifted down
      {4, 3, 20, 11},   // squeezed into the middle
      {0, 0, 31, 6},    // squeezed to the top
      {9, 2, 30, 17},   // squeezed toward the bottom right
      {-6, 4, 40, 30},  // enlarged, partly outside
  };
  for (const Rect& to : targets) {
    const Rect from = to.Width() == 31 || to.Height() == 19 ? whole : Rect{1, 2, 28, 18};
    Bitmap expected = start;
    StretchCopy(expected, to, start, from);  // from a separate copy
    Bitmap got = start;
    StretchCopy(got, to, got, from);
    EXPECT_EQ(got, expected) << to.left << "," << to.top << " " << to.Width() << "x" << to.Height();
  }
}

// The pixels of a mask, as the ones a 32-bit bitmap shows after copying through it.
std::vector<gui::Point> Covered(const RevealMask& mask, int w, int h) {
  std::vector<gui::Point> points;
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      if (mask.Contains(x, y)) points.push_back({x, y});
    }
  }
  return points;
}

TEST(RevealMaskTest, FillsPolygonsAsTheCanvasDoes) {
  constexpr int kW = 37;
  constexpr int kH = 29;
  const std::vector<std::vector<gui::Point>> shapes = {
      {{3, 2}, {30, 9}, {12, 26}},  // a triangle
      {{18, -4}, {22, 10}, {40, 14}, {22, 18}, {18, 33}, {14, 18}, {-3, 14}, {14, 10}},  // a star
      {{0, 0}, {37, 0}, {37, 29}, {0, 29}},  // the whole picture
      {{5, 5}, {30, 5}, {5, 24}, {30, 24}},  // crossing itself
  };
  for (const auto& shape : shapes) {
    Bitmap drawn(kW, kH);
    gui::Canvas canvas(drawn);
    canvas.pen.width = 0;
    canvas.brush.color = 0x00FFFFFF;
    canvas.Polygon(shape);
    std::vector<PointF> corners;
    for (const gui::Point p : shape) corners.push_back({double(p.x), double(p.y)});
    RevealMask mask(kW, kH);
    mask.AddPolygon(corners);
    for (int y = 0; y < kH; ++y) {
      for (int x = 0; x < kW; ++x) {
        ASSERT_EQ(mask.Contains(x, y), drawn.Pixel(x, y) != 0) << x << "," << y;
      }
    }
  }
}

TEST(RevealMaskTest, EllipsesAndRingsAreRoundAndRingsTileTheirDisc) {
  constexpr int kW = 41;
  constexpr int kH = 41;
  RevealMask disc(kW, kH);
  disc.AddEllipse({20.5, 20.5}, 12, 12);
  RevealMask rings(kW, kH);
  rings.AddRing({20.5, 20.5}, 0, 5);
  rings.AddRing({20.5, 20.5}, 5, 9);
  rings.AddRing({20.5, 20.5}, 9, 12);
  int area = 0;
  for (int y = 0; y < kH; ++y) {
    for (int x = 0; x < kW; ++x) {
      const double dx = x + 0.5 - 20.5;
      const double dy = y + 0.5 - 20.5;
      const bool inside = dx * dx + dy * dy < 144;
      area += inside;
      if (dx * dx + dy * dy == 144) continue;  // on the circle: either way
      EXPECT_EQ(disc.Contains(x, y), inside) << x << "," << y;
      EXPECT_EQ(rings.Contains(x, y), inside) << x << "," << y;
    }
  }
  EXPECT_NEAR(area, 3.14159 * 144, 20);
  RevealMask inverted = disc;
  inverted.Invert();
  EXPECT_EQ(Covered(inverted, kW, kH).size() + Covered(disc, kW, kH).size(), size_t(kW * kH));
}

TEST(RevealMaskTest, CopiesTheNewPictureExactlyWhereItIsSet) {
  // Long runs, short ones and single pixels on one row.
  constexpr int kW = 70;
  const Bitmap image = Picture(kW, 1, NewPixel);
  Bitmap screen = Picture(kW, 1, OldPixel);
  RevealMask mask(kW, 1);
  const std::set<int> set = {0,  1,  2,  5,  9,  10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20,
                             21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 40, 42, 44, 68, 69};
  for (const int x : set) mask.AddSpan(0, x, x + 1);
  mask.CopyNewInside({screen, image, kW, 1, 0, 0, 50});
  for (int x = 0; x < kW; ++x) {
    EXPECT_EQ(At(screen, x, 0), set.contains(x) ? NewPixel(x, 0) : OldPixel(x, 0)) << x;
  }
}

TEST(RandomOrderTest, IsAFixedPermutationOfItsSeed) {
  const std::vector<int> order = RandomOrder(500, 7);
  std::vector<int> sorted = order;
  std::sort(sorted.begin(), sorted.end());
  for (int i = 0; i < 500; ++i) ASSERT_EQ(sorted[size_t(i)], i);
  EXPECT_EQ(RandomOrder(500, 7), order);
  EXPECT_NE(RandomOrder(500, 8), order);
  // Shuffled, not merely turned: few numbers keep their place.
  int kept = 0;
  for (int i = 0; i < 500; ++i) kept += order[size_t(i)] == i;
  EXPECT_LT(kept, 10);
  // The compile-time shuffle gives the same order.
  constexpr auto kOrder = Shuffled<int, 500>(7);
  EXPECT_TRUE(std::equal(kOrder.begin(), kOrder.end(), order.begin()));
}

TEST(RandomOrderTest, ShowsTheShareOfPiecesAndKeepsThoseShownBefore) {
  std::vector<uint8_t> before(37);
  for (int progress = 0; progress <= 100; ++progress) {
    const std::vector<uint8_t> shown = PiecesShown(37, progress, 3);
    EXPECT_EQ(std::count(shown.begin(), shown.end(), 1), MulDiv(37, progress, 100)) << progress;
    for (size_t i = 0; i < shown.size(); ++i) EXPECT_GE(shown[i], before[i]) << progress;
    before = shown;
  }
}

}  // namespace
}  // namespace controls::transitions
