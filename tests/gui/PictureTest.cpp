// The picture container: loading, copying on assignment and change notification.
#include <gtest/gtest.h>

#include "gui/Canvas.h"
#include "gui/Picture.h"
#include "gui/PngWriter.h"

namespace gui {
namespace {

std::vector<uint8_t> PngOf(int w, int h, Color c) {
  Bitmap b(w, h);
  b.Fill(c);
  return EncodePng(b);
}

TEST(Picture, LoadingNotifiesAndReportsTheImage) {
  Picture picture;
  int changes = 0;
  picture.Subscribe([&] { ++changes; });
  EXPECT_TRUE(picture.Empty());
  ASSERT_TRUE(picture.LoadFromMemory(PngOf(5, 3, 0x00123456)));
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(picture.Width(), 5);
  EXPECT_EQ(picture.Height(), 3);
  EXPECT_EQ(picture.SourceFormat(), ImageFormat::Png);
  EXPECT_FALSE(picture.Transparent());
  EXPECT_EQ(picture.Image().Pixel(4, 2), 0x00123456u);
}

TEST(Picture, AFailedLoadKeepsTheImageAndStaysQuiet) {
  Picture picture;
  ASSERT_TRUE(picture.LoadFromMemory(PngOf(2, 2, 0x00FF0000)));
  int changes = 0;
  picture.Subscribe([&] { ++changes; });
  const std::vector<uint8_t> junk{'n', 'o', 'p', 'e'};
  EXPECT_FALSE(picture.LoadFromMemory(junk));
  EXPECT_EQ(changes, 0);
  EXPECT_EQ(picture.Width(), 2);
}

TEST(Picture, AssignmentCopiesTheImageAndNotifiesOnlyTheTarget) {
  Picture source;
  ASSERT_TRUE(source.LoadFromMemory(PngOf(4, 4, 0x000000FF)));
  Picture target;
  int sourceChanges = 0;
  int targetChanges = 0;
  source.Subscribe([&] { ++sourceChanges; });
  target.Subscribe([&] { ++targetChanges; });
  target = source;
  EXPECT_EQ(targetChanges, 1);
  EXPECT_EQ(sourceChanges, 0);
  EXPECT_EQ(target.Image(), source.Image());
  // A copy, not a share: changing the source leaves the target as it was.
  source.EditImage().Fill(0x0000FF00);
  source.Changed();
  EXPECT_EQ(target.Image().Pixel(0, 0), 0x000000FFu);
  EXPECT_EQ(targetChanges, 1);
  // Listeners stay with their picture.
  Picture copy(target);
  copy.Clear();
  EXPECT_EQ(targetChanges, 1);
}

TEST(Picture, UnsubscribedListenersAreNotCalled) {
  Picture picture;
  int a = 0;
  int b = 0;
  const int tokenA = picture.Subscribe([&] { ++a; });
  int tokenB = 0;
  tokenB = picture.Subscribe([&] {
    ++b;
    picture.Unsubscribe(tokenB);  // leaving from inside the notification is allowed
  });
  picture.Clear();
  picture.Unsubscribe(tokenA);
  picture.Clear();
  EXPECT_EQ(a, 1);
  EXPECT_EQ(b, 1);
}

TEST(Picture, SetSizeCropsOrExtends) {
  Picture picture;
  ASSERT_TRUE(picture.LoadFromMemory(PngOf(3, 2, 0x00FFFFFF)));
  picture.SetSize(5, 2);
  EXPECT_EQ(picture.Width(), 5);
  EXPECT_EQ(picture.Image().Pixel(2, 1), 0x00FFFFFFu);
  EXPECT_EQ(picture.Image().Pixel(4, 1), 0x00000000u);
  EXPECT_EQ(picture.Image().Alpha(4, 1), 255);
  picture.SetSize(1, 1);
  EXPECT_EQ(picture.Image().Pixel(0, 0), 0x00FFFFFFu);
}

TEST(Picture, TransparentPicturesDrawBlended) {
  Bitmap art(2, 1);
  art.Fill(0x00000000);
  art.Row(0)[3] = 255;
  art.Row(0)[7] = 0;
  Picture picture;
  picture.Assign(art);
  EXPECT_TRUE(picture.Transparent());
  Bitmap screen(2, 1);
  screen.Fill(0x00FFFFFF);
  Canvas canvas(screen);
  picture.DrawOn(canvas, {0, 0});
  EXPECT_EQ(screen.Pixel(0, 0), 0x00000000u);
  EXPECT_EQ(screen.Pixel(1, 0), 0x00FFFFFFu);
  // A 24-bit bitmap is opaque.
  picture.Assign(Bitmap(2, 1, Bitmap::Format::Bgr24));
  EXPECT_FALSE(picture.Transparent());
  EXPECT_EQ(picture.Image().Alpha(1, 0), 255);
}

}  // namespace
}  // namespace gui
