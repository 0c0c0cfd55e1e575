// The style table, the fade's byte arithmetic and the routines of the other styles, on
// small bitmaps with known pixels.
#include "controls/TransitionStyles.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace controls {
namespace {

using gui::Bitmap;

Bitmap Solid(int w, int h, uint8_t b, uint8_t g, uint8_t r, uint8_t fourth = 0) {
  Bitmap bitmap(w, h);
  for (int y = 0; y < h; ++y) {
    uint8_t* p = bitmap.Row(y);
    for (int x = 0; x < w; ++x, p += 4) {
      p[0] = b;
      p[1] = g;
      p[2] = r;
      p[3] = fourth;
    }
  }
  return bitmap;
}

void RunStyle(int style, Bitmap& screen, const Bitmap& image, int progress) {
  const ScaledExtent e = ScaleByProgress(screen.Width(), screen.Height(), progress);
  TransitionRoutineOf(style)(screen, image, screen.Width(), screen.Height(), e.x, e.y, progress);
}

TEST(MulDivTest, RoundsToNearestWithHalvesAwayFromZero) {
  EXPECT_EQ(MulDiv(256, 8, 100), 20);  // 20.48
  EXPECT_EQ(MulDiv(256, 50, 100), 128);
  EXPECT_EQ(MulDiv(256, 48, 100), 123);  // 122.88
  EXPECT_EQ(MulDiv(5, 1, 2), 3);
  EXPECT_EQ(MulDiv(-5, 1, 2), -3);
  EXPECT_EQ(MulDiv(7, 3, -2), -11);
  EXPECT_EQ(MulDiv(1, 1, 0), -1);
  EXPECT_EQ(MulDiv(2'000'000'000, 3, 4), 1'500'000'000);  // no overflow in the product
}

TEST(MulDivTest, ScalesTheLongerSideFirst) {
  EXPECT_EQ(ScaleByProgress(650, 220, 8).x, 52);
  EXPECT_EQ(ScaleByProgress(650, 220, 8).y, 18);  // 52 * 220 / 650 = 17.6
  EXPECT_EQ(ScaleByProgress(73, 75, 50).y, 38);   // taller than wide: 37.5
  EXPECT_EQ(ScaleByProgress(73, 75, 50).x, 37);   // 38 * 73 / 75 = 36.99
  EXPECT_EQ(ScaleByProgress(10, 10, 100).x, 10);
}

TEST(StyleTableTest, NamesEveryStyleInOrder) {
  EXPECT_EQ(TransitionStyleName(0), "Custom");
  EXPECT_EQ(TransitionStyleName(1), "Expand from right");
  EXPECT_EQ(TransitionStyleName(51), "Appear and Contract to middle");
  EXPECT_EQ(TransitionStyleName(76), "Unven shred from bottom");
  EXPECT_EQ(TransitionStyleName(119), "Fade");
  EXPECT_EQ(TransitionStyleName(135), "Push and sqeeze down");
  EXPECT_EQ(TransitionStyleName(172), "Channel Mix");
  EXPECT_EQ(TransitionStyleName(173), "");
  EXPECT_EQ(TransitionStyleName(-1), "");
  for (int style = 0; style <= kStyleCount; ++style) {
    EXPECT_FALSE(TransitionStyleName(style).empty()) << style;
  }
}

TEST(StyleTableTest, FindsNamesInAnyLetterCaseAndTakesTheFirstOfTwins) {
  EXPECT_EQ(FindTransitionStyle("fade"), 119);
  EXPECT_EQ(FindTransitionStyle("FADE"), 119);
  EXPECT_EQ(FindTransitionStyle("cUSTOM"), 0);
  EXPECT_EQ(FindTransitionStyle("Channel Mix"), 172);
  // "Expand from bottom" names 18 and 33; the first wins.
  EXPECT_EQ(FindTransitionStyle("expand from bottom"), 18);
  EXPECT_EQ(FindTransitionStyle("Fade "), -1);
  EXPECT_EQ(FindTransitionStyle(""), -1);
  EXPECT_EQ(FindTransitionStyle("Wipe"), -1);
}

TEST(StyleTableTest, EveryStyleHasARoutineOfItsOwn) {
  EXPECT_EQ(TransitionRoutineOf(0), nullptr);
  EXPECT_EQ(TransitionRoutineOf(173), nullptr);
  EXPECT_EQ(TransitionRoutineOf(119), &Fade);
  for (int style = 1; style <= kStyleCount; ++style) {
    EXPECT_NE(TransitionRoutineOf(style), nullptr) << style;
    if (style != kFadeStyle) {
      EXPECT_NE(TransitionRoutineOf(style), &Fade) << style;
    }
  }
}

TEST(FadeTest, BlendsTowardTheNewImageWithTheFloorOfTheQuotient) {
  struct Case {
    int progress;
    uint8_t screen, image, expected;
  };
  constexpr Case kCases[] = {
      {50, 200, 100, 150},  // a = 128: -100 * 128 / 256 = -50
      {8, 200, 100, 192},   // a = 20: -7.8 floors to -8 (truncation would give 193)
      {8, 100, 200, 107},   // +7.8 floors to +7
      {48, 200, 100, 151},  // a = 123: -48.05 floors to -49
      {1, 0, 255, 2},       // a = 3: 2.99
      {1, 255, 0, 252},     // -2.99 floors to -3
      {99, 0, 255, 252},    // a = 253: 252.01
      {100, 37, 211, 211},  // a = 256 copies the new byte
      {0, 37, 211, 37},
  };
  for (const Case& c : kCases) {
    Bitmap screen = Solid(3, 2, c.screen, c.screen, c.screen, 0x5A);
    const Bitmap image = Solid(3, 2, c.image, c.image, c.image, 0xC3);
    Fade(screen, image, 3, 2, 0, 0, c.progress);
    for (int y = 0; y < 2; ++y) {
      for (int x = 0; x < 3; ++x) {
        const uint8_t* p = screen.Row(y) + x * 4;
        EXPECT_EQ(p[0], c.expected) << c.progress << " " << int(c.screen);
        EXPECT_EQ(p[1], c.expected);
        EXPECT_EQ(p[2], c.expected);
        EXPECT_EQ(p[3], 0x5A);  // the fourth byte is left alone
      }
    }
  }
}

TEST(FadeTest, TreatsEachChannelOnItsOwnOverTheWholeRun) {
  Bitmap screen = Solid(650, 220, 10, 200, 128);
  const Bitmap image = Solid(650, 220, 250, 100, 128);
  Fade(screen, image, 650, 220, 0, 0, 50);
  for (const auto& [x, y] : {std::pair{0, 0}, std::pair{649, 0}, std::pair{0, 219},
                             std::pair{649, 219}, std::pair{325, 110}}) {
    const uint8_t* p = screen.Row(y) + x * 4;
    EXPECT_EQ(p[0], 130);  // 10 + 120
    EXPECT_EQ(p[1], 150);  // 200 - 50
    EXPECT_EQ(p[2], 128);
  }
}

// Every byte pair and every progress, on a pixel count that is not a multiple of four so
// that the last pixels take the other path, against the formula written out.
TEST(FadeTest, MatchesTheFormulaForEveryByteAndProgress) {
  constexpr int kW = 257;
  constexpr int kH = 3;
  Bitmap image(kW, kH);
  Bitmap start(kW, kH);
  for (int y = 0; y < kH; ++y) {
    for (int x = 0; x < kW; ++x) {
      uint8_t* s = start.Row(y) + x * 4;
      uint8_t* n = image.Row(y) + x * 4;
      for (int c = 0; c < 4; ++c) {
        s[c] = uint8_t(x + 85 * c);
        n[c] = uint8_t(x * 7 + 31 * y + 40 * c);
      }
    }
  }
  for (int progress = 0; progress <= 100; ++progress) {
    const int a = MulDiv(256, progress, 100);
    Bitmap screen = start;
    Fade(screen, image, kW, kH, 0, 0, progress);
    for (int y = 0; y < kH; ++y) {
      for (int x = 0; x < kW; ++x) {
        const uint8_t* s = start.Row(y) + x * 4;
        const uint8_t* n = image.Row(y) + x * 4;
        const uint8_t* got = screen.Row(y) + x * 4;
        for (int c = 0; c < 3; ++c) {
          const int d = int(n[c]) - int(s[c]);
          const int floored = d * a >= 0 ? d * a / 256 : -((-d * a + 255) / 256);
          ASSERT_EQ(got[c], s[c] + floored) << progress << " " << x << "," << y << " " << c;
        }
        ASSERT_EQ(got[3], s[3]);
      }
    }
  }
}

TEST(FadeTest, LeavesMismatchedBitmapsAlone) {
  Bitmap screen = Solid(4, 4, 9, 9, 9);
  const Bitmap image = Solid(3, 4, 200, 200, 200);
  Fade(screen, image, 4, 4, 0, 0, 50);
  EXPECT_EQ(screen, Solid(4, 4, 9, 9, 9));
}

TEST(StyleRoutinesTest, RoutinesStayInsideOddAndTallPictures) {
  for (const auto& [w, h] : {std::pair{1, 1}, std::pair{3, 40}, std::pair{41, 2}}) {
    const Bitmap image = Solid(w, h, 1, 2, 3);
    for (int style = 1; style <= kStyleCount; ++style) {
      for (int progress : {1, 33, 50, 51, 99}) {
        Bitmap screen = Solid(w, h, 9, 9, 9);
        RunStyle(style, screen, image, progress);
        EXPECT_EQ(screen.Width(), w);
        EXPECT_EQ(screen.Height(), h);
      }
    }
  }
}

}  // namespace
}  // namespace controls
