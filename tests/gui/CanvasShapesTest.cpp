// Pixel rules of the canvas's shapes: rectangles, polygons, ellipses and lines.
#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "gui/Canvas.h"
#include "gui/Palette.h"

namespace gui {
namespace {

using gui::palette::kBlue;
using gui::palette::kRed;
using gui::palette::kWhite;

class CanvasShapes : public ::testing::Test {
 protected:
  CanvasShapes() : bitmap(40, 30), canvas(bitmap) { bitmap.Fill(kWhite); }

  int Count(Color c) const {
    int n = 0;
    for (int y = 0; y < bitmap.Height(); ++y) {
      for (int x = 0; x < bitmap.Width(); ++x) n += bitmap.Pixel(x, y) == c;
    }
    return n;
  }
  // The bounding box of every pixel of colour c.
  Rect Bounds(Color c) const {
    Rect r;
    for (int y = 0; y < bitmap.Height(); ++y) {
      for (int x = 0; x < bitmap.Width(); ++x) {
        if (bitmap.Pixel(x, y) == c) r = r.Union({x, y, x + 1, y + 1});
      }
    }
    return r;
  }

  Bitmap bitmap;
  Canvas canvas;
};

TEST_F(CanvasShapes, FillRectCoversTheHalfOpenBox) {
  canvas.FillRect({2, 3, 7, 5}, kRed);
  EXPECT_EQ(Bounds(kRed), (Rect{2, 3, 7, 5}));
  EXPECT_EQ(Count(kRed), 10);
}

TEST_F(CanvasShapes, SystemColoursAreResolved) {
  canvas.FillRect({0, 0, 1, 1}, 0xFF00000A);
  EXPECT_EQ(bitmap.Pixel(0, 0), 0x00B4B4B4u);
}

TEST_F(CanvasShapes, RectangleOutlinesOnTheBoxEdgeWithAThinPen) {
  canvas.pen = {kRed, 1};
  canvas.brush = {kBlue};
  canvas.Rectangle({5, 5, 15, 12});
  EXPECT_EQ(Bounds(kRed), (Rect{5, 5, 15, 12}));
  EXPECT_EQ(Bounds(kBlue), (Rect{6, 6, 14, 11}));
}

TEST_F(CanvasShapes, AWidePenIsCentredOnTheRectanglesOutline) {
  canvas.pen = {kRed, 3};
  canvas.brush = {kBlue};
  canvas.Rectangle({5, 5, 15, 12});
  // One pixel outside the box, the edge pixels, one pixel inside.
  EXPECT_EQ(Bounds(kRed), (Rect{4, 4, 16, 13}));
  EXPECT_EQ(Bounds(kBlue), (Rect{7, 7, 13, 10}));
  bitmap.Fill(kWhite);
  canvas.pen.width = 2;  // even: the odd pixel goes to the left and top
  canvas.Rectangle({5, 5, 15, 12});
  EXPECT_EQ(Bounds(kRed), (Rect{4, 4, 15, 12}));
  EXPECT_EQ(Bounds(kBlue), (Rect{6, 6, 13, 10}));
  EXPECT_EQ(Count(kBlue), 7 * 4);
}

TEST_F(CanvasShapes, RectangleWithClearBrushLeavesTheInside) {
  canvas.pen = {kRed, 1};
  canvas.brush.clear = true;
  canvas.Rectangle({1, 1, 5, 5});
  EXPECT_EQ(bitmap.Pixel(2, 2), kWhite);
  EXPECT_EQ(Count(kRed), 12);
}

TEST_F(CanvasShapes, PolygonFillsPixelsWhoseCentreIsInside) {
  canvas.pen.width = 0;
  canvas.brush = {kRed};
  // A right triangle with legs of 8: row y holds the pixels with x + 0.5 < 8 - (y + 0.5).
  const std::array<Point, 3> triangle{{{0, 0}, {8, 0}, {0, 8}}};
  canvas.Polygon(triangle);
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 10; ++x) {
      EXPECT_EQ(bitmap.Pixel(x, y) == kRed, x + y < 7) << x << "," << y;
    }
  }
  EXPECT_EQ(Count(kRed), 28);
}

TEST_F(CanvasShapes, PolygonWithPenInBrushColourCoversItsVertices) {
  canvas.pen = {kRed, 1};
  canvas.brush = {kRed};
  const std::array<Point, 4> square{{{2, 2}, {6, 2}, {6, 6}, {2, 6}}};
  canvas.Polygon(square);
  EXPECT_EQ(Bounds(kRed), (Rect{2, 2, 7, 7}));
  EXPECT_EQ(Count(kRed), 25);
}

TEST_F(CanvasShapes, SixPointSegmentIsSymmetric) {
  canvas.pen.width = 0;
  canvas.brush = {kRed};
  // A horizontal bevelled segment as the segment displays draw them.
  const std::array<Point, 6> hexagon{{{2, 6}, {4, 4}, {18, 4}, {20, 6}, {18, 8}, {4, 8}}};
  canvas.Polygon(hexagon);
  // Rows 4 and 7 run from 3 to 17, rows 5 and 6 from 2 to 18: a centre exactly on a
  // left edge is inside, on a right edge outside.
  EXPECT_EQ(Bounds(kRed), (Rect{2, 4, 19, 8}));
  for (int y = 4; y < 8; ++y) {
    for (int x = 0; x < 22; ++x) EXPECT_EQ(bitmap.Pixel(x, y), bitmap.Pixel(x, 11 - y));
  }
  EXPECT_EQ(bitmap.Pixel(2, 4), kWhite);
  EXPECT_EQ(bitmap.Pixel(3, 4), kRed);
  EXPECT_EQ(bitmap.Pixel(2, 5), kRed);
  EXPECT_EQ(bitmap.Pixel(19, 5), kWhite);
  EXPECT_EQ(Count(kRed), 15 + 17 + 17 + 15);
}

TEST_F(CanvasShapes, FillModeDecidesOverlaps) {
  canvas.pen.width = 0;
  canvas.brush = {kRed};
  // Two overlapping squares traced in the same direction as one polygon.
  const std::array<Point, 10> twice{
      {{0, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}, {4, 4}, {14, 4}, {14, 14}, {4, 14}, {4, 4}}};
  canvas.Polygon(twice);
  EXPECT_EQ(bitmap.Pixel(6, 6), kWhite);
  bitmap.Fill(kWhite);
  canvas.fillMode = FillMode::Winding;
  canvas.Polygon(twice);
  EXPECT_EQ(bitmap.Pixel(6, 6), kRed);
  EXPECT_EQ(bitmap.Pixel(2, 2), kRed);
  EXPECT_EQ(bitmap.Pixel(12, 12), kRed);
}

TEST_F(CanvasShapes, EllipseIsBoundedAndSymmetric) {
  canvas.pen = {kRed, 1};
  canvas.brush = {kBlue};
  const Rect box{3, 2, 20, 13};
  canvas.Ellipse(box);
  EXPECT_EQ(Bounds(kRed), box);
  for (int y = box.top; y < box.bottom; ++y) {
    for (int x = box.left; x < box.right; ++x) {
      const Color c = bitmap.Pixel(x, y);
      EXPECT_EQ(c, bitmap.Pixel(box.left + box.right - 1 - x, y)) << x << "," << y;
      EXPECT_EQ(c, bitmap.Pixel(x, box.top + box.bottom - 1 - y)) << x << "," << y;
    }
  }
  EXPECT_EQ(bitmap.Pixel(box.left, box.top), kWhite);  // corners stay outside
  EXPECT_EQ(bitmap.Pixel(11, 7), kBlue);               // the middle is filled
  EXPECT_EQ(bitmap.Pixel(box.left, 7), kRed);          // the outline touches the box
}

TEST_F(CanvasShapes, EllipseOutlineIsClosed) {
  canvas.pen = {kRed, 1};
  canvas.brush.clear = true;
  canvas.Ellipse({0, 0, 30, 20});
  // A flood from the centre through non-red pixels, stepping to the four neighbours,
  // must not leak out of the outline to the corners.
  std::vector<Point> todo{{15, 10}};
  std::vector<bool> seen(size_t(bitmap.Width() * bitmap.Height()));
  while (!todo.empty()) {
    const Point p = todo.back();
    todo.pop_back();
    if (p.x < 0 || p.y < 0 || p.x >= bitmap.Width() || p.y >= bitmap.Height()) continue;
    const size_t i = size_t(p.y * bitmap.Width() + p.x);
    if (seen[i] || bitmap.Pixel(p.x, p.y) == kRed) continue;
    seen[i] = true;
    todo.insert(todo.end(), {{p.x + 1, p.y}, {p.x - 1, p.y}, {p.x, p.y + 1}, {p.x, p.y - 1}});
  }
  EXPECT_FALSE(seen[0]);
  EXPECT_FALSE(seen[size_t(19 * bitmap.Width() + 29)]);
  EXPECT_TRUE(seen[size_t(10 * bitmap.Width() + 15)]);
  EXPECT_EQ(bitmap.Pixel(15, 0), kRed);
  EXPECT_EQ(bitmap.Pixel(15, 19), kRed);
}

TEST_F(CanvasShapes, CircleHubHasFourfoldSymmetry) {
  canvas.pen = {kRed, 3};
  canvas.brush = {kBlue};
  canvas.Ellipse({4, 4, 21, 21});
  for (int y = 0; y < 25; ++y) {
    for (int x = 0; x < 25; ++x) {
      EXPECT_EQ(bitmap.Pixel(x, y), bitmap.Pixel(y, x));
      EXPECT_EQ(bitmap.Pixel(x, y), bitmap.Pixel(24 - x, y));
    }
  }
  EXPECT_EQ(bitmap.Pixel(2, 12), kWhite);
  EXPECT_EQ(bitmap.Pixel(3, 12), kRed);
  EXPECT_EQ(bitmap.Pixel(5, 12), kRed);
  EXPECT_EQ(bitmap.Pixel(6, 12), kBlue);
}

TEST_F(CanvasShapes, AWidePenIsCentredOnTheEllipsesOutline) {
  // The hub of a needle: a pen wider than the hub's radius still leaves its centre in the
  // brush colour, as the desktop's ordinary pens do.
  canvas.pen = {kRed, 10};
  canvas.brush = {kBlue};
  canvas.Ellipse({10, 10, 26, 26});
  EXPECT_EQ(Bounds(kRed), (Rect{5, 5, 30, 30}));
  EXPECT_EQ(bitmap.Pixel(17, 17), kBlue);
  EXPECT_EQ(bitmap.Pixel(14, 17), kRed);
  EXPECT_EQ(bitmap.Pixel(5, 17), kRed);
  EXPECT_EQ(bitmap.Pixel(4, 17), kWhite);
}

TEST_F(CanvasShapes, ThinLineLeavesOutItsEnd) {
  canvas.pen = {kRed, 1};
  canvas.Line({2, 3}, {10, 3});
  EXPECT_EQ(Bounds(kRed), (Rect{2, 3, 10, 4}));
  bitmap.Fill(kWhite);
  canvas.Line({0, 0}, {5, 5});
  EXPECT_EQ(Count(kRed), 5);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(bitmap.Pixel(i, i), kRed);
}

TEST_F(CanvasShapes, MoveToLineToContinuesFromTheLastPoint) {
  canvas.pen = {kRed, 1};
  canvas.MoveTo({1, 1});
  canvas.LineTo({5, 1});
  canvas.LineTo({5, 5});
  EXPECT_EQ(bitmap.Pixel(4, 1), kRed);
  EXPECT_EQ(bitmap.Pixel(5, 1), kRed);
  EXPECT_EQ(bitmap.Pixel(5, 4), kRed);
  EXPECT_EQ(bitmap.Pixel(5, 5), kWhite);
}

TEST_F(CanvasShapes, WideLinesHaveTheirWidthAndRoundEnds) {
  canvas.pen = {kRed, 3};
  canvas.Line({10, 10}, {30, 10});
  // Odd width: centred on row 10, three rows; the ends are round and reach 1.5 pixels.
  EXPECT_EQ(Bounds(kRed), (Rect{9, 9, 32, 12}));
  bitmap.Fill(kWhite);
  canvas.pen.width = 4;
  canvas.Line({10, 10}, {10, 25});
  const Rect r = Bounds(kRed);
  EXPECT_EQ(r.Width(), 4);
  EXPECT_EQ(r.left, 8);
  for (int y = 12; y < 24; ++y) EXPECT_EQ(bitmap.Pixel(7, y), kWhite);
  for (int y = 12; y < 24; ++y) EXPECT_EQ(bitmap.Pixel(11, y), kRed);
}

TEST_F(CanvasShapes, DiagonalWideLineIsSymmetricAboutItsMiddle) {
  canvas.pen = {kRed, 5};
  canvas.Line({5, 5}, {25, 20});
  for (int y = 0; y < 30; ++y) {
    for (int x = 0; x < 31; ++x) {
      EXPECT_EQ(bitmap.Pixel(x, y) == kRed, bitmap.Pixel(30 - x, 25 - y) == kRed) << x << "," << y;
    }
  }
  EXPECT_EQ(bitmap.Pixel(15, 12), kRed);
  EXPECT_EQ(bitmap.Pixel(15, 17), kWhite);
}

TEST_F(CanvasShapes, ZeroWidthPenDrawsNothing) {
  canvas.pen = {kRed, 0};
  canvas.Line({0, 0}, {10, 10});
  canvas.brush.clear = true;
  canvas.Ellipse({0, 0, 10, 10});
  EXPECT_EQ(Count(kRed), 0);
}

}  // namespace
}  // namespace gui
