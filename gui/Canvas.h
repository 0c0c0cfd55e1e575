// GDI-like drawing onto a Bitmap: a pen, a brush and a font; rectangles, polygons,
// ellipses, wide lines, copies and nearest-neighbour stretches, clipping and text.
// Coordinates are relative to the origin; everything is clipped to the clip rectangle.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "gui/Bitmap.h"
#include "gui/Color.h"
#include "gui/Geometry.h"

namespace gui {

struct Pen {
  Color color = 0x00000000;
  int width = 1;  // 0 draws nothing
};

struct Brush {
  Color color = 0x00FFFFFF;
  bool clear = false;  // a clear brush fills nothing
};

struct Font {
  std::string name = "Arial";  // "Arial", "Tahoma", "Small Fonts", ...
  int size = 12;               // pixel height of the em square
  Color color = 0x00000000;
  bool bold = false;
  bool underline = false;
  bool antialias = false;  // text is aliased unless a label asks otherwise
  bool operator==(const Font&) const = default;
};

enum class TextAlign { Left, Center, Right };

class Canvas {
 public:
  explicit Canvas(Bitmap& target);

  Bitmap& Target() { return target_; }
  int Width() const { return target_.Width(); }
  int Height() const { return target_.Height(); }

  Pen pen;
  Brush brush;
  Font font;

  // Origin and clip (in target pixels) with a save/restore stack, for painting children.
  void Save();
  void Restore();
  void Translate(int dx, int dy);
  void ClipTo(const Rect& r);  // intersects the clip with r (in current coordinates)
  void ExcludeClip(const Rect& r);  // the next fills skip r, until Restore
  Rect ClipRect() const;            // in current coordinates
  Point Origin() const { return origin_; }

  // Solid shapes: the brush fills, the pen outlines (drawn inside for rectangles).
  void FillRect(const Rect& r, Color color);
  void Rectangle(const Rect& r);
  void FrameRect(const Rect& r, Color color, int width = 1);
  void Ellipse(const Rect& r);
  void Polygon(std::span<const Point> points);
  void Line(Point from, Point to);  // with the pen, any width
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
  // Draws a 32-bit source blended by its fourth byte (PNG artwork with an alpha channel).
  void DrawBlended(Point at, const Bitmap& source);

  // Text with the current font; y is the top of the line box.
  void TextOut(Point at, std::string_view utf8);
  int TextWidth(std::string_view utf8) const;
  int TextHeight() const;  // the line height of the current font
  // Word-wrapped text in a box; returns the height used.
  int DrawWrappedText(const Rect& box, std::string_view utf8, TextAlign align = TextAlign::Left,
                      bool draw = true);

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
};

}  // namespace gui
