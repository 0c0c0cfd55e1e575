// transition-gallery: every picture transition style at 25, 50 and 75 % of its way from
// the world map to the promotion picture, on one labelled contact sheet, so each name
// can be checked against its frames at a glance.
//
//   build/gallery/transition-gallery [sheet.png]    (default: docs/transition-styles.png)
#include <algorithm>
#include <cstdio>
#include <string>

#include "assets/Assets.h"
#include "controls/TransitionStyles.h"
#include "gui/Canvas.h"
#include "gui/Picture.h"
#include "gui/PngWriter.h"

namespace {

constexpr int kFrameWidth = 96;
constexpr int kFrameHeight = 60;
constexpr int kProgress[] = {25, 50, 75};
constexpr int kFrameGap = 3;
constexpr int kStylesPerRow = 4;
constexpr int kStyleGap = 18;
constexpr int kLabelHeight = 26;  // two lines of the label font
constexpr int kRowGap = 12;
constexpr int kMargin = 14;
constexpr int kHeaderHeight = 44;
constexpr int kStyleWidth = 3 * kFrameWidth + 2 * kFrameGap;
constexpr gui::Color kPaper = gui::Rgb(240, 240, 236);
constexpr gui::Color kInk = gui::Rgb(24, 24, 28);
constexpr gui::Color kUnderPicture = gui::Rgb(16, 18, 24);

// A picture of the program drawn over a dark ground and scaled to a frame by averaging
// the pixels each frame pixel covers, 32 bits per pixel.
gui::Bitmap Thumbnail(assets::Asset asset) {
  gui::Picture picture;
  picture.LoadFromMemory({asset.data, asset.size});
  gui::Bitmap full(picture.Width(), picture.Height());
  gui::Canvas canvas(full);
  canvas.FillRect({0, 0, full.Width(), full.Height()}, kUnderPicture);
  picture.DrawOn(canvas, {0, 0});
  gui::Bitmap thumb(kFrameWidth, kFrameHeight);
  for (int y = 0; y < kFrameHeight; ++y) {
    const int top = y * full.Height() / kFrameHeight;
    const int bottom = std::max(top + 1, (y + 1) * full.Height() / kFrameHeight);
    for (int x = 0; x < kFrameWidth; ++x) {
      const int left = x * full.Width() / kFrameWidth;
      const int right = std::max(left + 1, (x + 1) * full.Width() / kFrameWidth);
      int sum[3] = {};
      for (int sy = top; sy < bottom; ++sy) {
        for (int sx = left; sx < right; ++sx) {
          const gui::Color c = full.Pixel(sx, sy);
          sum[0] += gui::Red(c);
          sum[1] += gui::Green(c);
          sum[2] += gui::Blue(c);
        }
      }
      const int n = (bottom - top) * (right - left);
      thumb.SetPixel(x, y, gui::Rgb(uint8_t(sum[0] / n), uint8_t(sum[1] / n), uint8_t(sum[2] / n)));
    }
  }
  return thumb;
}

// One frame of a style, composed as the control composes it.
gui::Bitmap Frame(int style, const gui::Bitmap& from, const gui::Bitmap& to, int progress) {
  gui::Bitmap screen = from;
  const controls::ScaledExtent e = controls::ScaleByProgress(kFrameWidth, kFrameHeight, progress);
  controls::TransitionRoutineOf(style)(screen, to, kFrameWidth, kFrameHeight, e.x, e.y, progress);
  return screen;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string path = argc > 1 ? argv[1] : "docs/transition-styles.png";
  const gui::Bitmap from = Thumbnail(assets::WorldMap());
  const gui::Bitmap to = Thumbnail(assets::Promo());
  constexpr int kRows = (controls::kStyleCount + kStylesPerRow - 1) / kStylesPerRow;
  constexpr int kRowHeight = kLabelHeight + kFrameHeight + kRowGap;
  gui::Bitmap sheet(2 * kMargin + kStylesPerRow * kStyleWidth + (kStylesPerRow - 1) * kStyleGap,
                    kMargin + kHeaderHeight + kRows * kRowHeight);
  gui::Canvas canvas(sheet);
  canvas.FillRect({0, 0, sheet.Width(), sheet.Height()}, kPaper);
  canvas.font = {"Arial", 16, kInk, true};
  canvas.TextOut({kMargin, kMargin}, "Picture transition styles 1 to 172");
  canvas.font = {"Arial", 11, kInk};
  canvas.TextOut({kMargin, kMargin + 20},
                 "Each style at 25 %, 50 % and 75 % of its way from the world map to the "
                 "promotion picture.");
  for (int style = 1; style <= controls::kStyleCount; ++style) {
    const int index = style - 1;
    const int left = kMargin + index % kStylesPerRow * (kStyleWidth + kStyleGap);
    const int top = kMargin + kHeaderHeight + index / kStylesPerRow * kRowHeight;
    const std::string label =
        std::to_string(style) + "  " + std::string(controls::TransitionStyleName(style));
    canvas.DrawWrappedText({left, top, left + kStyleWidth, top + kLabelHeight}, label);
    for (int i = 0; i < 3; ++i) {
      const gui::Bitmap frame = Frame(style, from, to, kProgress[i]);
      canvas.Draw({left + i * (kFrameWidth + kFrameGap), top + kLabelHeight}, frame);
    }
  }
  if (!gui::WritePng(sheet, path)) {
    std::fprintf(stderr, "transition-gallery: cannot write %s\n", path.c_str());
    return 1;
  }
  std::printf("%s: %d x %d\n", path.c_str(), sheet.Width(), sheet.Height());
  return 0;
}
