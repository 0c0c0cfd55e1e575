// GDI-like drawing onto a Bitmap: a pen, a brush and a font; rectangles, polygons,
// ellipses, wide lines, copies and nearest-neighbour stretches, clipping and text.
// Coordinates are relative to the origin; everything is clipped to the clip rectangle.
// System colours (0xFF0000nn) are resolved wherever a colour is taken.
//
// Pixel rules, exact and deterministic:
// - Rect, Rectangle, FillRect, Ellipse: half-open boxes, left..right-1 by top..bottom-1.
// - Polygon fill: a pixel is filled when its centre (x + 0.5, y + 0.5) lies inside the
//   polygon whose vertices sit on pixel corners (even-odd or winding); a 1-pixel pen then
//   outlines every edge through the vertex pixels, so a pen in the brush colour covers
//   left..right inclusive as the desktop does.
// - Lines 1 pixel wide step from pixel to pixel and leave out the end pixel; wider pens
//   draw a band with round ends: every pixel whose centre lies within width/2 of the
//   segment (the pen's centre line runs through pixel centres for odd widths and along
//   pixel corners for even widths).
// - Rectangle and Ellipse outline the box with the pen as the desktop's ordinary pens do:
//   a 1-pixel outline on the box's edge pixels, a wider band centred on that outline
//   (half its width outside the box, the odd pixel of an even width on the left and top
//   side); the brush fills what lies inside the band.
// - StretchDraw maps destination pixel d of a span of dw pixels to source pixel
//   floor((d + 0.5) * sw / dw), each pixel copied whole (colour-on-colour stretching).
// - The fourth byte of 32-bit targets is kept by drawing and set by plain copies
//   (copied from 32-bit sources, zero from 24-bit ones).
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "gui/Bitmap.h"
#include "gui/Color.h"
#include "gui/Geometry.h"
#include "gui/Palette.h"

namespace gui {

struct Pen {
  Color color = palette::kBlack;
  int width = 1;  // 0 draws nothing
};

struct Brush {
  Color color = palette::kWhite;
  bool clear = false;  // a clear brush fills nothing
};

struct Font {
  std::string name = "Arial";  // "Arial", "Tahoma", "Small Fonts", ...
  int size = 12;               // pixel height of the em square
  Color color = palette::kBlack;
  bool bold = false;
  bool underline = false;
  bool antialias = false;  // text is aliased unless a label asks otherwise
  bool operator==(const Font&) const = default;
};

enum class TextAlign { Left, Center, Right };

enum class FillMode { Alternate, Winding };  // even-odd, or non-zero winding

class Canvas {
 public:
  explicit Canvas(Bitmap& target);

  Bitmap& Target() { return target_; }
  int Width() const { return target_.Width(); }
  int Height() const { return target_.Height(); }

  Pen pen;
  Brush brush;
  Font font;
  FillMode fillMode = FillMode::Alternate;

  // Origin and clip (in target pixels) with a save/restore stack, for painting children.
  void Save();
  void Restore();
  void Translate(int dx, int dy);
  void ClipTo(const Rect& r);       // intersects the clip with r (in current coordinates)
  void ExcludeClip(const Rect& r);  // the next fills skip r, until Restore
  Rect ClipRect() const;            // in current coordinates
  Point Origin() const { return origin_; }

  // Solid shapes: the brush fills, the pen outlines (drawn inside for rectangles).
  void FillRect(const Rect& r, Color color);
  void Rectangle(const Rect& r);
  void FrameRect(const Rect& r, Color color, int width = 1);
  void Ellipse(const Rect& r);
  void Polygon(std::span<const Point> points);
  void Polyline(std::span<const Point> points);  // open, with the pen
  void Line(Point from, Point to);               // with the pen, any width
  void MoveTo(Point p) { cursor_ = p; }
  void LineTo(Point p);
  void SetPixel(Point p, Color color);
  Color GetPixel(Point p) const;

  // Copies: plain, and nearest-neighbour stretch as colour-on-colour stretching does.
  void Draw(Point at, const Bitmap& source);
  void Draw(Point at, const Bitmap& source, const Rect& sourceRect);
  void StretchDraw(const Rect& dest, const Bitmap& source);
  void StretchDraw(const Rect& dest, const Bitmap& source, const Rect& sourceRect);
  // Copies leaving out every source pixel of the transparent colour.
  void DrawTransparent(Point at, const Bitmap& source, Color transparent);
  // Draws a 32-bit source blended by its fourth byte (PNG artwork with an alpha channel),
  // further scaled by opacity; a 24-bit source blends by opacity alone.
  void DrawBlended(Point at, const Bitmap& source, uint8_t opacity = 255);
  // Repeats the source over dest, starting at dest's top-left corner.
  void DrawTiled(const Rect& dest, const Bitmap& source);

  // Text with the current font, drawn transparently (only the glyphs' pixels);
  // y is the top of the line box. Control characters draw nothing.
  void TextOut(Point at, std::string_view utf8);
  int TextWidth(std::string_view utf8) const;
  int TextHeight() const;  // the line height of the current font
  // Word-wrapped text in a box, clipped to it; returns the height used (lines times the
  // line height). Lines break at spaces and at '\n'; a word wider than the box keeps a
  // line of its own. With draw false it only measures.
  int DrawWrappedText(const Rect& box, std::string_view utf8, TextAlign align = TextAlign::Left,
                      bool draw = true);
  // The lines DrawWrappedText would draw for a box width.
  std::vector<std::string> WrapText(std::string_view utf8, int width) const;

 private:
  struct State {
    Point origin;
    Rect clip;
    std::vector<Rect> excluded;
  };
  Bitmap& target_;
  Point origin_;
  Rect clip_;
  std::vector<Rect> excluded_;
  std::vector<State> stack_;
  Point cursor_;

  // Span fill in target coordinates, half-open, honouring the clip and exclusions.
  void FillSpan(int y, int x0, int x1, Color color);
  bool Visible(int x, int y) const;                    // target coordinates
  void DrawLine(Point origin, std::string_view utf8);  // text at the line box's top-left
  template <typename Visit>
  void ForVisible(int y, int x0, int x1, Visit&& visit);
  void FillPolygon(std::span<const Point> points, Color color);
  void OutlinePolygon(std::span<const Point> points, bool closed);
  void ThinLine(Point from, Point to, Color color);             // target coordinates, end excluded
  void WideLine(Point from, Point to, int width, Color color);  // target coordinates
  void CopyRows(Point at, const Bitmap& source, const Rect& sourceRect, int mode, Color transparent,
                uint8_t opacity);
  std::vector<std::pair<int, int>> spans_;  // scratch for visible spans
};

}  // namespace gui
