// Text on the canvas: glyphs from the font library, measuring and word wrapping.
#include <algorithm>

#include "gui/Canvas.h"
#include "platform/fonts/Font.h"
#include "platform/fonts/Utf8.h"

namespace gui {

namespace {

platform::FontFace& FaceFor(const Font& font) {
  return platform::FontLibrary::Instance().Face(
      {font.name, std::max(font.size, 1), font.bold, font.antialias});
}

bool IsControl(char32_t code) {
  return code < 0x20 || code == 0x7F;
}

int Measure(platform::FontFace& face, std::string_view utf8) {
  int width = 0;
  for (size_t pos = 0; pos < utf8.size();) {
    const char32_t code = platform::NextCodePoint(utf8, pos);
    if (!IsControl(code)) width += face.GlyphFor(code).advance;
  }
  return width;
}

}  // namespace

int Canvas::TextWidth(std::string_view utf8) const {
  return Measure(FaceFor(font), utf8);
}

int Canvas::TextHeight() const {
  return FaceFor(font).Metrics().lineHeight;
}

void Canvas::TextOut(Point at, std::string_view utf8) {
  DrawLine({at.x + origin_.x, at.y + origin_.y}, utf8);
}

void Canvas::DrawLine(Point origin, std::string_view utf8) {
  platform::FontFace& face = FaceFor(font);
  const platform::FontMetrics& metrics = face.Metrics();
  const Color color = SystemColor(font.color);
  const int baseline = origin.y + metrics.ascent;
  int pen_x = origin.x;
  for (size_t pos = 0; pos < utf8.size();) {
    const char32_t code = platform::NextCodePoint(utf8, pos);
    if (IsControl(code)) continue;
    const platform::Glyph& glyph = face.GlyphFor(code);
    const int left = pen_x + glyph.left;
    const int top = baseline - glyph.top;
    for (int row = 0; row < glyph.height; ++row) {
      const int y = top + row;
      if (y < clip_.top || y >= clip_.bottom) continue;
      const uint8_t* coverage = glyph.coverage.data() + size_t(row) * size_t(glyph.width);
      for (int column = 0; column < glyph.width; ++column) {
        const int alpha = coverage[column];
        const int x = left + column;
        if (alpha == 0 || !Visible(x, y)) continue;
        uint8_t* p = target_.Row(y) + ptrdiff_t(x) * target_.BytesPerPixel();
        const uint8_t channels[3] = {Blue(color), Green(color), Red(color)};
        for (int c = 0; c < 3; ++c) {
          p[c] = alpha == 255 ? channels[c]
                              : uint8_t((channels[c] * alpha + p[c] * (255 - alpha) + 127) / 255);
        }
      }
    }
    pen_x += glyph.advance;
  }
  if (font.underline && pen_x > origin.x) {
    const int y = baseline + metrics.underlineOffset;
    for (int i = 0; i < metrics.underlineThickness; ++i) FillSpan(y + i, origin.x, pen_x, color);
  }
}

std::vector<std::string> Canvas::WrapText(std::string_view utf8, int width) const {
  platform::FontFace& face = FaceFor(font);
  std::vector<std::string> lines;
  size_t start = 0;
  while (start <= utf8.size()) {
    size_t end = utf8.find('\n', start);
    if (end == std::string_view::npos) end = utf8.size();
    std::string_view paragraph = utf8.substr(start, end - start);
    if (!paragraph.empty() && paragraph.back() == '\r') paragraph.remove_suffix(1);
    // Greedy filling: words separated by spaces; the spaces at a break are dropped.
    std::string line;
    size_t pos = 0;
    bool any = false;
    while (pos < paragraph.size()) {
      const size_t wordStart = paragraph.find_first_not_of(' ', pos);
      if (wordStart == std::string_view::npos) break;
      size_t wordEnd = paragraph.find(' ', wordStart);
      if (wordEnd == std::string_view::npos) wordEnd = paragraph.size();
      const std::string_view gap = paragraph.substr(pos, wordStart - pos);
      const std::string_view word = paragraph.substr(wordStart, wordEnd - wordStart);
      std::string candidate = line;
      if (any) candidate.append(gap);
      candidate.append(word);
      if (any && Measure(face, candidate) > width) {
        lines.push_back(std::move(line));
        line.assign(word);
      } else {
        line = std::move(candidate);
      }
      any = true;
      pos = wordEnd;
    }
    lines.push_back(std::move(line));
    if (end == utf8.size()) break;
    start = end + 1;
  }
  if (utf8.empty()) lines.clear();
  return lines;
}

int Canvas::DrawWrappedText(const Rect& box, std::string_view utf8, TextAlign align, bool draw) {
  const std::vector<std::string> lines = WrapText(utf8, box.Width());
  const int lineHeight = TextHeight();
  const int height = int(lines.size()) * lineHeight;
  if (!draw) return height;
  Save();
  ClipTo(box);
  int y = box.top;
  for (const std::string& line : lines) {
    int x = box.left;
    if (align != TextAlign::Left) {
      const int slack = box.Width() - TextWidth(line);
      x += align == TextAlign::Center ? slack / 2 : slack;
    }
    TextOut({x, y}, line);
    y += lineHeight;
  }
  Restore();
  return height;
}

}  // namespace gui
