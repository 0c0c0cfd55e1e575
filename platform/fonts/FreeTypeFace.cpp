#include "platform/fonts/FreeTypeFace.h"

#include FT_OUTLINE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cmath>
#include <mutex>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/fonts/CachedFace.h"
#include "platform/fonts/GlyphRaster.h"

namespace platform {

namespace {

int RoundedScale(long fontUnits, int pixelSize, int unitsPerEm) {
  if (unitsPerEm <= 0) return 0;
  return int(std::lround(double(fontUnits) * pixelSize / unitsPerEm));
}

class FreeTypeFace final : public CachedFace {
 public:
  FreeTypeFace(FT_Library library, std::string path, int index, const FontRequest& request,
               BoldStyle bold)
      : path_(std::move(path)), request_(request), bold_(bold) {
    if (path_.empty() || FT_New_Face(library, path_.c_str(), index, &face_) != 0) {
      face_ = nullptr;
      path_.clear();
    }
    SelectSize();
    ComputeMetrics();
  }
  ~FreeTypeFace() override {
    if (face_) FT_Done_Face(face_);
  }
  FreeTypeFace(const FreeTypeFace&) = delete;
  FreeTypeFace& operator=(const FreeTypeFace&) = delete;

  const FontMetrics& Metrics() const override { return metrics_; }
  const std::string& FilePath() const override { return path_; }
  bool SyntheticBold() const override { return bold_ != BoldStyle::kNone; }

  int Kerning(char32_t left, char32_t right) override {
    if (!face_ || !FT_HAS_KERNING(face_)) return 0;
    std::lock_guard lock(mutex_);
    FT_Vector delta{};
    FT_Get_Kerning(face_, FT_Get_Char_Index(face_, left), FT_Get_Char_Index(face_, right),
                   FT_KERNING_DEFAULT, &delta);
    return int((delta.x + 32) >> 6);
  }

 private:
  void SelectSize() {
    if (!face_) return;
    const int size = std::max(request_.pixelSize, 1);
    if (FT_IS_SCALABLE(face_)) {
      FT_Set_Pixel_Sizes(face_, 0, FT_UInt(size));
      return;
    }
    // A bitmap-only face: the strike nearest to the asked size.
    int best = 0;
    for (int i = 1; i < face_->num_fixed_sizes; ++i) {
      const auto distance = [&](int s) {
        return std::abs(int((face_->available_sizes[s].y_ppem + 32) >> 6) - size);
      };
      if (distance(i) < distance(best)) best = i;
    }
    if (face_->num_fixed_sizes > 0) FT_Select_Size(face_, best);
  }

  void ComputeMetrics() {
    const int size = std::max(request_.pixelSize, 1);
    if (!face_) {
      metrics_.ascent = size - size / 5;
      metrics_.descent = size / 5;
    } else if (const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face_, FT_SFNT_OS2));
               FT_IS_SCALABLE(face_) && os2 && os2->usWinAscent + os2->usWinDescent > 0) {
      // The line box the desktop uses: the Windows ascent and descent of the face.
      metrics_.ascent = RoundedScale(os2->usWinAscent, size, face_->units_per_EM);
      metrics_.descent = RoundedScale(os2->usWinDescent, size, face_->units_per_EM);
    } else {
      metrics_.ascent = int((face_->size->metrics.ascender + 32) >> 6);
      metrics_.descent = int((-face_->size->metrics.descender + 32) >> 6);
    }
    metrics_.lineHeight = metrics_.ascent + metrics_.descent;
    if (face_ && face_->units_per_EM > 0 && face_->underline_thickness > 0) {
      const int ppem = int((face_->size->metrics.y_ppem));
      metrics_.underlineThickness =
          std::max(1, RoundedScale(face_->underline_thickness, ppem, face_->units_per_EM));
      metrics_.underlineOffset =
          std::max(1, RoundedScale(-face_->underline_position, ppem, face_->units_per_EM) -
                          metrics_.underlineThickness / 2);
    } else {
      metrics_.underlineThickness = std::max(1, size / 12);
      metrics_.underlineOffset = std::max(1, metrics_.descent / 2);
    }
    metrics_.underlineOffset = std::min(
        metrics_.underlineOffset, std::max(0, metrics_.descent - metrics_.underlineThickness));
  }

  Glyph Render(char32_t code) override {
    Glyph glyph;
    if (!face_) {
      glyph.advance = std::max(request_.pixelSize, 1) / 2;
      return glyph;
    }
    // Aliased text uses the face's own 1-bit strikes where it has them; anti-aliased
    // text, and thickened text (whose strikes are as thin as its outlines), always
    // renders the outlines.
    const bool outlines = request_.antialias || bold_ == BoldStyle::kThickened;
    const FT_Int32 flags =
        (request_.antialias ? FT_LOAD_TARGET_NORMAL : FT_LOAD_TARGET_MONO | FT_LOAD_MONOCHROME) |
        (outlines ? FT_LOAD_NO_BITMAP : 0);
    if (FT_Load_Char(face_, code, flags) != 0 && FT_Load_Char(face_, '?', flags) != 0) {
      return glyph;
    }
    const FT_GlyphSlot slot = face_->glyph;
    const FT_Render_Mode mode = request_.antialias ? FT_RENDER_MODE_NORMAL : FT_RENDER_MODE_MONO;
    std::optional<Glyph> thin;
    if (bold_ == BoldStyle::kThickened && slot->format == FT_GLYPH_FORMAT_OUTLINE) {
      // The letter as the regular face draws it (from its strikes where it has them).
      const FT_Int32 regular = flags & ~FT_Int32(request_.antialias ? 0 : FT_LOAD_NO_BITMAP);
      if (FT_Load_Char(face_, code, regular) == 0) thin = RenderedMetrics(slot, mode);
      if (FT_Load_Char(face_, code, flags) != 0 && FT_Load_Char(face_, '?', flags) != 0) {
        return glyph;
      }
      // Vertical strokes one sixteenth of the em heavier: a bold stem at 11 to 16 pixels.
      // Horizontal strokes stay, so the dot of an 'i' stays clear of its stem.
      FT_Outline_EmboldenXY(&slot->outline, FT_Pos(face_->size->metrics.x_ppem) * 64 / 16, 0);
    }
    if (FT_Render_Glyph(slot, mode) != 0) return glyph;
    const FT_Bitmap& bitmap = slot->bitmap;
    glyph.left = slot->bitmap_left;
    glyph.top = slot->bitmap_top;
    glyph.width = int(bitmap.width);
    glyph.height = int(bitmap.rows);
    glyph.advance = int((slot->advance.x + 32) >> 6);
    if (bitmap.pixel_mode == FT_PIXEL_MODE_MONO || bitmap.pixel_mode == FT_PIXEL_MODE_GRAY) {
      glyph.coverage = CoverageFromRows(
          bitmap.buffer, bitmap.pitch, glyph.width, glyph.height,
          bitmap.pixel_mode == FT_PIXEL_MODE_MONO ? RowFormat::Mono : RowFormat::Gray,
          int(bitmap.num_grays), request_.antialias);
    } else {
      glyph.coverage.assign(size_t(glyph.width) * size_t(glyph.height), 0);
    }
    if (bold_ == BoldStyle::kSmeared) Smear(glyph);
    if (thin && glyph.width > 0) {
      // The thickened letter keeps the regular one's first column and advances by the
      // columns it gained: the gaps between letters stay those of the regular face.
      glyph.left = thin->left;
      glyph.advance = thin->advance + std::max(glyph.width - thin->width, 0);
    }
    return glyph;
  }

  // Where a loaded glyph's pixels would lie, and its advance, as rendered now.
  static Glyph RenderedMetrics(FT_GlyphSlot slot, FT_Render_Mode mode) {
    Glyph metrics;
    metrics.advance = int((slot->advance.x + 32) >> 6);
    if (FT_Render_Glyph(slot, mode) == 0) {
      metrics.left = slot->bitmap_left;
      metrics.width = int(slot->bitmap.width);
    }
    return metrics;
  }

  // Simulated bold as the desktop draws it: every column is also drawn one pixel to the
  // right, and the glyph advances one pixel more.
  static void Smear(Glyph& glyph) {
    ++glyph.advance;
    if (glyph.width == 0) return;
    const int width = glyph.width + 1;
    std::vector<uint8_t> bold(size_t(width) * size_t(glyph.height), 0);
    for (int y = 0; y < glyph.height; ++y) {
      const uint8_t* in = glyph.coverage.data() + size_t(y) * size_t(glyph.width);
      uint8_t* out = bold.data() + size_t(y) * size_t(width);
      for (int x = 0; x < glyph.width; ++x) {
        out[x] = std::max(out[x], in[x]);
        out[x + 1] = std::max(out[x + 1], in[x]);
      }
    }
    glyph.width = width;
    glyph.coverage = std::move(bold);
  }

  FT_Face face_ = nullptr;
  std::string path_;
  FontRequest request_;
  BoldStyle bold_;
  FontMetrics metrics_;
};

}  // namespace

std::unique_ptr<FontFace> OpenFreeTypeFace(FT_Library library, std::string path, int index,
                                           const FontRequest& request, BoldStyle bold) {
  return std::make_unique<FreeTypeFace>(library, std::move(path), index, request, bold);
}

}  // namespace platform
