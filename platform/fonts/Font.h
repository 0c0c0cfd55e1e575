// Text rasterizing: font faces found by family name, glyphs rendered to coverage masks
// and cached. Aliased (every pixel on or off) unless anti-aliasing is asked for.
// "Arial" is served by Liberation Sans; "Tahoma" and "Small Fonts" by the metric-
// compatible faces shipped with the Windows compatibility fonts.
#pragma once

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

struct FontRequest {
  std::string family = "Arial";
  int pixelSize = 12;  // height of the em square in pixels
  bool bold = false;
  bool antialias = false;
  bool operator==(const FontRequest&) const = default;
};

// One rendered glyph. Coverage is 0..255 per pixel (only 0 and 255 when aliased),
// width * height bytes, top row first.
struct Glyph {
  int left = 0;  // from the pen position to the first column
  int top = 0;   // from the baseline up to the first row
  int width = 0;
  int height = 0;
  int advance = 0;  // pen movement in whole pixels
  std::vector<uint8_t> coverage;
};

struct FontMetrics {
  int ascent = 0;              // baseline below the top of the line box
  int descent = 0;             // below the baseline
  int lineHeight = 0;          // ascent + descent
  int underlineOffset = 0;     // top of the underline, below the baseline
  int underlineThickness = 1;  // at least one pixel
};

class FontFace {
 public:
  virtual ~FontFace() = default;
  virtual const FontMetrics& Metrics() const = 0;
  // Thread-safe; the reference stays valid for the life of the process.
  virtual const Glyph& GlyphFor(char32_t code) = 0;
  // Kerning between two characters in pixels (negative moves closer); 0 without a table.
  virtual int Kerning(char32_t left, char32_t right) = 0;
  // The font file in use (empty when no font could be found at all).
  virtual const std::string& FilePath() const = 0;
  // True when bold was asked for and the library draws it heavier itself: the face has
  // no bold of its own, or its bold file has only the regular strokes.
  virtual bool SyntheticBold() const = 0;
};

class FontError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Process-wide font access; faces are cached by request and live until the process ends.
class FontLibrary {
 public:
  static FontLibrary& Instance();
  virtual ~FontLibrary() = default;
  // A family that cannot be found falls back to a face that exists (the system's default
  // sans face, or a compatibility face), with one warning naming the missing family.
  // Throws FontError only when no font at all can be loaded.
  virtual FontFace& Face(const FontRequest& request) = 0;
  // The file serving a family (after substitution), as the face lookup would choose it.
  virtual std::string FindFile(std::string_view family, bool bold) = 0;
};

}  // namespace platform
