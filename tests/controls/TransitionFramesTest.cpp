// Every transition style's frames, on small pictures whose every pixel is told apart:
// the two ends, what the frames are made of, reproducibility and steady growth, then the
// styles whose names fix their geometry, checked pixel by pixel.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TransitionTestPictures.h"
#include "controls/TransitionStyles.h"

namespace controls {
namespace {

using gui::Bitmap;
using namespace testing_pictures;

bool BetweenInEveryChannel(uint32_t got, uint32_t from, uint32_t to) {
  for (int shift = 0; shift < 24; shift += 8) {
    const int g = int(got >> shift & 0xFF);
    const int a = int(from >> shift & 0xFF);
    const int b = int(to >> shift & 0xFF);
    if (g < std::min(a, b) || g > std::max(a, b)) return false;
  }
  return (got >> 24) == (from >> 24);  // the fourth byte is the old one's
}

// The picture with the fourth bytes of another.
Bitmap WithFourthByte(const Bitmap& picture, const Bitmap& from) {
  Bitmap result = picture;
  for (int y = 0; y < picture.Height(); ++y) {
    for (int x = 0; x < picture.Width(); ++x) {
      Put(result, x, y, (At(picture, x, y) & 0x00FFFFFFu) | (At(from, x, y) & 0xFF000000u));
    }
  }
  return result;
}

// A wide and a tall picture, both of odd sizes.
struct Size {
  int w;
  int h;
};
constexpr Size kSizes[] = {{41, 23}, {17, 30}};

std::string StyleName(const testing::TestParamInfo<int>& style) {
  return "Style" + std::to_string(style.param);
}

class EveryStyleTest : public testing::TestWithParam<int> {
 protected:
  int style() const { return GetParam(); }
  TransitionKind kind() const { return TransitionStyleKind(GetParam()); }
};

TEST_P(EveryStyleTest, StartsOnTheOldPictureAndEndsExactlyOnTheNewOne) {
  for (const Size size : kSizes) {
    const Bitmap old = Picture(size.w, size.h, OldPixel);
    const Bitmap image = Picture(size.w, size.h, NewPixel);
    EXPECT_EQ(Frame(style(), old, image, 0), old) << size.w << "x" << size.h;
    // Blends keep the old fourth byte, as the fade does; the colours are the new ones.
    const Bitmap end = Frame(style(), old, image, 100);
    const Bitmap expected = kind() == TransitionKind::Blend ? WithFourthByte(image, old) : image;
    EXPECT_EQ(end, expected) << size.w << "x" << size.h;
    // Half-way the frame is neither picture: the style does something of its own.
    const Bitmap half = Frame(style(), old, image, 50);
    EXPECT_NE(half, old) << size.w << "x" << size.h;
    EXPECT_NE(half, image) << size.w << "x" << size.h;
  }
}

TEST_P(EveryStyleTest, FramesAreMadeOfTheTwoPicturesAndRepeatExactly) {
  for (const Size size : kSizes) {
    const Bitmap old = Picture(size.w, size.h, OldPixel);
    const Bitmap image = Picture(size.w, size.h, NewPixel);
    for (int progress = 1; progress < 100; progress += 7) {
      const Bitmap frame = Frame(style(), old, image, progress);
      EXPECT_EQ(Frame(style(), old, image, progress), frame) << "not reproducible at " << progress;
      for (int y = 0; y < size.h; ++y) {
        for (int x = 0; x < size.w; ++x) {
          const uint32_t got = At(frame, x, y);
          bool fits = false;
          switch (kind()) {
            case TransitionKind::Reveal:
            case TransitionKind::Turning:
              fits = got == OldPixel(x, y) || got == NewPixel(x, y);
              break;
            case TransitionKind::Motion:
              fits = IsPixelOfEither(got, size.w, size.h);
              break;
            case TransitionKind::Blend:
              fits = BetweenInEveryChannel(got, OldPixel(x, y), NewPixel(x, y));
              break;
          }
          ASSERT_TRUE(fits) << "pixel " << x << "," << y << " at " << progress << " of " << size.w
                            << "x" << size.h << ": " << std::hex << got;
        }
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Styles, EveryStyleTest, testing::Range(1, kStyleCount + 1), StyleName);

// Every frame of every style, on both picture sizes and one of the page's proportions, at
// every whole progress, folded into one FNV-1a hash taken on the Linux build: a build
// whose floating point rounds otherwise (the 32-bit build's x87 unit) moves some edge by a
// pixel and fails.
TEST(EveryStyleFrames, AreTheSameOnEveryBuild) {
  uint64_t hash = 14695981039346656037ull;
  std::vector<Size> sizes(std::begin(kSizes), std::end(kSizes));
  sizes.push_back({65, 22});
  for (const Size size : sizes) {
    const Bitmap old = Picture(size.w, size.h, OldPixel);
    const Bitmap image = Picture(size.w, size.h, NewPixel);
    for (int style = 1; style <= kStyleCount; ++style) {
      for (int progress = 0; progress <= 100; ++progress) {
        const Bitmap frame = Frame(style, old, image, progress);
        for (int y = 0; y < size.h; ++y) {
          for (int x = 0; x < size.w; ++x) hash = (hash ^ At(frame, x, y)) * 1099511628211ull;
        }
      }
    }
  }
  EXPECT_EQ(hash, 2894245622695545452u);
}

// The reveals: their share of new pixels never decreases as the progress grows.
class RevealStyleTest : public EveryStyleTest {};

std::vector<int> RevealStyles() {
  std::vector<int> styles;
  for (int style = 1; style <= kStyleCount; ++style) {
    if (TransitionStyleKind(style) == TransitionKind::Reveal) styles.push_back(style);
  }
  return styles;
}

TEST_P(RevealStyleTest, NeverTakesBackWhatItShowed) {
  for (const Size size : kSizes) {
    const Bitmap old = Picture(size.w, size.h, OldPixel);
    const Bitmap image = Picture(size.w, size.h, NewPixel);
    int shown = 0;
    // Every percent on the wide picture, every third on the tall one.
    const int step = size.w > size.h ? 1 : 3;
    for (int progress = 0; progress <= 100; progress += step) {
      const int now = NewPixelsOf(Frame(style(), old, image, progress));
      ASSERT_GE(now, shown) << "at " << progress << " of " << size.w << "x" << size.h;
      shown = now;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Styles, RevealStyleTest, testing::ValuesIn(RevealStyles()), StyleName);

// No two styles draw the same frames.
TEST(StyleFramesTest, EveryStyleHasAnAnimationOfItsOwn) {
  const Bitmap old = Picture(41, 23, OldPixel);
  const Bitmap image = Picture(41, 23, NewPixel);
  std::vector<std::vector<Bitmap>> frames;
  for (int style = 1; style <= kStyleCount; ++style) {
    frames.push_back(
        {Frame(style, old, image, 25), Frame(style, old, image, 50), Frame(style, old, image, 75)});
    for (int other = 1; other < style; ++other) {
      EXPECT_NE(frames[size_t(other - 1)], frames.back()) << style << " draws as " << other;
    }
  }
}

TEST(StyleFramesTest, OnlyTheTurningShapesMayFallBackAndOnlyTheFadesBlend) {
  std::vector<int> turning;
  std::vector<int> blending;
  for (int style = 1; style <= kStyleCount; ++style) {
    if (TransitionStyleKind(style) == TransitionKind::Turning) turning.push_back(style);
    if (TransitionStyleKind(style) == TransitionKind::Blend) blending.push_back(style);
  }
  EXPECT_EQ(turning, (std::vector<int>{150, 151}));
  EXPECT_EQ(blending, (std::vector<int>{119, 172}));
}

}  // namespace
}  // namespace controls
