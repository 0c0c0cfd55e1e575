// Draws one sheet of every primitive and the program's fonts, and writes it as
// canvas-sampler.png in the working directory for a look by eye.
#include <gtest/gtest.h>

#include <array>

#include "gui/Canvas.h"
#include "gui/ImageCodec.h"
#include "gui/PngWriter.h"

namespace gui {
namespace {

TEST(CanvasSampler, DrawsEveryPrimitiveAndFont) {
  Bitmap sheet(360, 220, Bitmap::Format::Bgr24);
  sheet.Fill(0x00302D28);
  Canvas c(sheet);
  struct Sample {
    Font font;
    const char* text;
  };
  const std::array<Sample, 5> samples{{
      {{"Arial", 12, 0x00FFFFFF}, "Arial 12: Test CPU Speed 3000 MHz"},
      {{"Tahoma", 11, 0x00F7D155, true}, "Tahoma bold 11: CPU Details"},
      {{"Tahoma", 11, 0x00FFFFFF}, "Tahoma 11: Online Scores 4 3 2 1"},
      {{"Small Fonts", 7, 0x0000FFFF}, "Small Fonts 7: connecting to server, please wait..."},
      {{"Arial", 14, 0x00FFFFFF, false, true, true}, "Arial 14 underlined, anti-aliased"},
  }};
  int y = 4;
  for (const Sample& s : samples) {
    c.font = s.font;
    c.TextOut({6, y}, s.text);
    y += c.TextHeight() + 4;
  }
  c.font = {"Small Fonts", 9, 0x00FFFFFF};
  c.DrawWrappedText({230, 4, 350, 80}, "Small Fonts 9 wrapped and centred in a box",
                    TextAlign::Center);
  c.pen = {0x000000FF, 1};
  c.brush = {0x000000FF};
  const std::array<Point, 6> segment{
      {{10, 120}, {14, 116}, {50, 116}, {54, 120}, {50, 124}, {14, 124}}};
  c.Polygon(segment);
  c.pen = {0x00FFFFFF, 2};
  c.brush = {0x00404040};
  c.Ellipse({70, 100, 110, 140});
  c.pen = {0x0000FFFF, 3};
  c.Line({130, 140}, {190, 100});
  c.pen = {0x00FFFF00, 1};
  c.brush.clear = true;
  c.Rectangle({200, 100, 260, 140});
  Bitmap ramp(16, 8);
  for (int yy = 0; yy < 8; ++yy) {
    for (int x = 0; x < 16; ++x) ramp.SetPixel(x, yy, Rgb(uint8_t(x * 16), uint8_t(yy * 32), 128));
  }
  c.StretchDraw({270, 100, 350, 140}, ramp);
  ASSERT_TRUE(WritePng(sheet, "canvas-sampler.png"));

  // Every sample line carries ink in its own colour.
  y = 4;
  for (const Sample& s : samples) {
    c.font = s.font;
    int ink = 0;
    for (int yy = y; yy < y + c.TextHeight(); ++yy) {
      for (int x = 0; x < sheet.Width(); ++x) ink += sheet.Pixel(x, yy) == s.font.color;
    }
    EXPECT_GT(ink, 20) << s.text;
    y += c.TextHeight() + 4;
  }
}

}  // namespace
}  // namespace gui
