// Images: plain, centred and stretched drawing, the transparent colour, auto-size and
// the link cursor.
#include <gtest/gtest.h>

#include "tests/gui/GuiTestSupport.h"
#include "widgets/Image.h"

namespace widgets::testing {
namespace {

using gui::testing::HeadlessApp;

// A 4 x 4 picture: a magenta frame around a 2 x 2 blue core (an opaque bitmap).
gui::Bitmap FramedSquare() {
  gui::Bitmap b(4, 4, gui::Bitmap::Format::Bgr24);
  b.Fill(0x00FF00FF);
  for (int y = 1; y < 3; ++y) {
    for (int x = 1; x < 3; ++x) b.SetPixel(x, y, 0x00FF0000);
  }
  return b;
}

TEST(ImagePaint, PlainCentredAndStretched) {
  HeadlessApp h;
  Image plain(&h.window);
  plain.SetBounds(10, 10, 20, 20);
  plain.Picture().Assign(FramedSquare());
  Image centred(&h.window);
  centred.SetBounds(40, 10, 20, 20);
  centred.SetCenter(true);
  centred.Picture().Assign(FramedSquare());
  Image stretched(&h.window);
  stretched.SetBounds(70, 10, 40, 40);
  stretched.SetStretch(true);
  stretched.Picture().Assign(FramedSquare());

  EXPECT_EQ(h.Pixel(10, 10), 0x00FF00FFu);
  EXPECT_EQ(h.Pixel(11, 11), 0x00FF0000u);
  EXPECT_EQ(h.Pixel(20, 20), 0x00000000u);  // beyond the picture
  EXPECT_EQ(h.Pixel(40 + 8, 10 + 8), 0x00FF00FFu);
  EXPECT_EQ(h.Pixel(40 + 9, 10 + 9), 0x00FF0000u);
  EXPECT_EQ(h.Pixel(70 + 9, 10 + 9), 0x00FF00FFu);  // each source pixel is 10 x 10 now
  EXPECT_EQ(h.Pixel(70 + 10, 10 + 10), 0x00FF0000u);
  EXPECT_EQ(h.Pixel(70 + 29, 10 + 29), 0x00FF0000u);
  EXPECT_EQ(h.Pixel(70 + 30, 10 + 30), 0x00FF00FFu);
}

TEST(ImagePaint, TransparentLeavesOutTheBottomLeftColourOrTheOneGiven) {
  HeadlessApp h;
  h.window.SetBackgroundColor(0x00302D28);
  Image logo(&h.window);
  logo.SetBounds(10, 10, 4, 4);
  logo.SetTransparent(true);
  logo.Picture().Assign(FramedSquare());
  EXPECT_EQ(logo.TransparentColor(), 0x00FF00FFu);
  EXPECT_EQ(h.Pixel(10, 10), 0x00302D28u);
  EXPECT_EQ(h.Pixel(11, 11), 0x00FF0000u);

  logo.SetTransparentColor(0x00FF0000);
  EXPECT_EQ(h.Pixel(10, 10), 0x00FF00FFu);
  EXPECT_EQ(h.Pixel(11, 11), 0x00302D28u);
}

TEST(ImagePaint, StretchedTransparentKeepsTheHoles) {
  HeadlessApp h;
  h.window.SetBackgroundColor(0x00302D28);
  Image map(&h.window);
  map.SetBounds(0, 0, 8, 8);
  map.SetStretch(true);
  map.SetTransparent(true);
  map.Picture().Assign(FramedSquare());
  EXPECT_EQ(h.Pixel(1, 1), 0x00302D28u);
  EXPECT_EQ(h.Pixel(3, 3), 0x00FF0000u);
}

TEST(ImagePaint, PicturesWithAlphaBlendAlsoWhenStretched) {
  HeadlessApp h;
  h.window.SetBackgroundColor(0x00302D28);
  gui::Bitmap glass(2, 2, gui::Bitmap::Format::Bgra32);
  glass.Fill(0x00FFFFFF);
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 2; ++x) glass.Row(y)[x * 4 + 3] = x == 0 ? 0 : 255;
  }
  Image overlay(&h.window);
  overlay.SetBounds(0, 0, 8, 8);
  overlay.SetStretch(true);
  overlay.Picture().Assign(glass);
  ASSERT_TRUE(overlay.Picture().Transparent());
  EXPECT_EQ(h.Pixel(1, 1), 0x00302D28u);
  EXPECT_EQ(h.Pixel(6, 6), 0x00FFFFFFu);
}

TEST(ImageSize, AutoSizeFollowsThePicture) {
  HeadlessApp h;
  Image medal(&h.window);
  medal.SetBounds(34, 68, 10, 10);
  medal.SetAutoSize(true);
  medal.Picture().Assign(gui::Bitmap(73, 75));
  EXPECT_EQ(medal.BoundsRect(), gui::Rect::XYWH(34, 68, 73, 75));
}

TEST(ImageLink, LinkedPicturesShowTheHand) {
  HeadlessApp h;
  Image mascot(&h.window);
  mascot.SetBounds(10, 10, 50, 50);
  mascot.SetLink(true);
  h.MoveTo(20, 20);
  EXPECT_EQ(h.CurrentCursor(), platform::Cursor::Hand);
  h.MoveTo(100, 100);
  EXPECT_EQ(h.CurrentCursor(), platform::Cursor::Arrow);
}

}  // namespace
}  // namespace widgets::testing
