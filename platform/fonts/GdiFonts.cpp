// The font library over GDI, for Windows: faces come from the system's font mapper by
// family name, outline glyphs from GetGlyphOutlineW, and raster fonts ("Small Fonts"),
// which have no outlines, are drawn with TextOutW into a bitmap and read back.
#include <algorithm>
#include <mutex>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include <windows.h>

#include "platform/fonts/CachedFace.h"
#include "platform/fonts/CachedLibrary.h"
#include "platform/fonts/GlyphRaster.h"
#include "platform/win32/DibSection.h"
#include "platform/win32/Utf16.h"

namespace platform {

namespace {

HFONT CreateFace(const FontRequest& request) {
  // A negative height asks for the em square in pixels, as the requests mean it.
  return ::CreateFontW(-std::max(request.pixelSize, 1), 0, 0, 0, request.bold ? FW_BOLD : FW_NORMAL,
                       FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS,
                       request.antialias ? ANTIALIASED_QUALITY : NONANTIALIASED_QUALITY,
                       DEFAULT_PITCH | FF_DONTCARE, Utf16(request.family).c_str());
}

int CALLBACK NoteBoldStyle(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM found) {
  if (font->lfWeight >= FW_SEMIBOLD) *reinterpret_cast<bool*>(found) = true;
  return 1;
}

// Whether the family has a bold face of its own (else GDI emboldens the regular one).
bool HasBoldFace(HDC dc, const std::wstring& family) {
  LOGFONTW query{};
  query.lfCharSet = DEFAULT_CHARSET;
  family.copy(query.lfFaceName, LF_FACESIZE - 1);
  bool found = false;
  ::EnumFontFamiliesExW(dc, &query, NoteBoldStyle, reinterpret_cast<LPARAM>(&found), 0);
  return found;
}

class GdiFace final : public CachedFace {
 public:
  explicit GdiFace(const FontRequest& request) : request_(request) {
    dc_ = ::CreateCompatibleDC(nullptr);
    font_ = CreateFace(request);
    old_font_ = ::SelectObject(dc_, font_);
    // How raster glyphs are drawn into the cell: white, on what is there, from the top left.
    ::SetTextColor(dc_, RGB(255, 255, 255));
    ::SetBkMode(dc_, TRANSPARENT);
    ::SetTextAlign(dc_, TA_LEFT | TA_TOP | TA_NOUPDATECP);
    TEXTMETRICW& tm = text_metrics_;
    ::GetTextMetricsW(dc_, &tm);
    outline_ = (tm.tmPitchAndFamily & (TMPF_TRUETYPE | TMPF_VECTOR)) != 0;
    wchar_t face[LF_FACESIZE] = {};
    ::GetTextFaceW(dc_, LF_FACESIZE, face);
    face_name_ = Utf8(face);
    synthetic_bold_ = request.bold && (outline_ ? !HasBoldFace(dc_, face) : tm.tmOverhang > 0);
    ComputeMetrics(tm);
  }
  ~GdiFace() override {
    ::SelectObject(dc_, old_font_);
    if (cell_) ::DeleteObject(::SelectObject(dc_, old_cell_));
    ::DeleteObject(font_);
    ::DeleteDC(dc_);
  }
  GdiFace(const GdiFace&) = delete;
  GdiFace& operator=(const GdiFace&) = delete;

  const FontMetrics& Metrics() const override { return metrics_; }
  // GDI names no files: the face the font mapper chose stands for it.
  const std::string& FilePath() const override { return face_name_; }
  bool SyntheticBold() const override { return synthetic_bold_; }

  int Kerning(char32_t left, char32_t right) override {
    std::lock_guard lock(mutex_);
    if (!kerning_read_) ReadKerning();
    const auto found = kerning_.find(KerningKey(left, right));
    return found == kerning_.end() ? 0 : found->second;
  }

 private:
  static uint32_t KerningKey(char32_t left, char32_t right) {
    return left > 0xFFFF || right > 0xFFFF ? 0 : uint32_t(left) << 16 | uint32_t(right);
  }

  void ComputeMetrics(const TEXTMETRICW& tm) {
    metrics_.ascent = tm.tmAscent;
    metrics_.descent = tm.tmDescent;
    metrics_.lineHeight = tm.tmAscent + tm.tmDescent;
    OUTLINETEXTMETRICW otm{};
    otm.otmSize = sizeof(otm);
    if (outline_ && ::GetOutlineTextMetricsW(dc_, sizeof(otm), &otm) != 0 &&
        otm.otmsUnderscoreSize > 0) {
      // The underline's top edge, counted upwards from the baseline.
      metrics_.underlineThickness = std::max(1, int(otm.otmsUnderscoreSize));
      metrics_.underlineOffset = std::max(1, -int(otm.otmsUnderscorePosition));
    } else {
      metrics_.underlineThickness = std::max(1, std::max(request_.pixelSize, 1) / 12);
      metrics_.underlineOffset = std::max(1, metrics_.descent / 2);
    }
    metrics_.underlineOffset = std::min(
        metrics_.underlineOffset, std::max(0, metrics_.descent - metrics_.underlineThickness));
  }

  bool Exists(wchar_t character) {
    WORD index = 0;
    return ::GetGlyphIndicesW(dc_, &character, 1, &index, GGI_MARK_NONEXISTING_GLYPHS) == 1 &&
           index != 0xFFFF;
  }

  Glyph Render(char32_t code) override {
    // Characters beyond the basic plane, and missing ones, show as '?'.
    wchar_t character = code > 0xFFFF ? L'?' : wchar_t(code);
    if (outline_ && !Exists(character)) character = L'?';
    Glyph glyph;
    if (outline_ && RenderOutline(character, glyph)) return glyph;
    RenderByDrawing(character, glyph);
    return glyph;
  }

  bool RenderOutline(wchar_t character, Glyph& glyph) {
    static constexpr MAT2 kIdentity{{0, 1}, {0, 0}, {0, 0}, {0, 1}};
    const UINT format = request_.antialias ? GGO_GRAY8_BITMAP : GGO_BITMAP;
    GLYPHMETRICS gm{};
    const DWORD size = ::GetGlyphOutlineW(dc_, character, format, &gm, 0, nullptr, &kIdentity);
    if (size == GDI_ERROR) return false;
    glyph.advance = gm.gmCellIncX;
    if (size == 0) return true;  // nothing to draw, as for a space
    std::vector<uint8_t> rows(size);
    if (::GetGlyphOutlineW(dc_, character, format, &gm, size, rows.data(), &kIdentity) ==
        GDI_ERROR) {
      return false;
    }
    glyph.left = gm.gmptGlyphOrigin.x;
    glyph.top = gm.gmptGlyphOrigin.y;
    glyph.width = int(gm.gmBlackBoxX);
    glyph.height = int(gm.gmBlackBoxY);
    // Rows are padded to whole double words; grey rows have 65 levels.
    const bool mono = format == GGO_BITMAP;
    const ptrdiff_t pitch = mono ? (glyph.width + 31) / 32 * 4 : (glyph.width + 3) / 4 * 4;
    if (size < size_t(pitch) * size_t(glyph.height)) return false;
    glyph.coverage =
        CoverageFromRows(rows.data(), pitch, glyph.width, glyph.height,
                         mono ? RowFormat::Mono : RowFormat::Gray, 65, request_.antialias);
    return true;
  }

  // Draws the character white on black in a bitmap of one character cell and keeps the
  // smallest box around what was drawn.
  void RenderByDrawing(wchar_t character, Glyph& glyph) {
    const TEXTMETRICW& tm = text_metrics_;
    SIZE extent{};
    ::GetTextExtentPoint32W(dc_, &character, 1, &extent);
    glyph.advance = extent.cx;
    const int width = int(extent.cx) + tm.tmOverhang + tm.tmMaxCharWidth;
    const int height = tm.tmHeight;
    if (!EnsureCell(width, height)) return;
    std::fill_n(cell_bits_, size_t(cell_width_) * size_t(cell_height_), 0u);
    ::TextOutW(dc_, 0, 0, &character, 1);
    ::GdiFlush();
    int left = width, right = -1, top = height, bottom = -1;
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        if ((cell_bits_[size_t(y) * size_t(cell_width_) + size_t(x)] & 0xFF) < 128) continue;
        left = std::min(left, x);
        right = std::max(right, x);
        top = std::min(top, y);
        bottom = std::max(bottom, y);
      }
    }
    if (right < 0) return;
    glyph.left = left;
    glyph.top = tm.tmAscent - top;
    glyph.width = right - left + 1;
    glyph.height = bottom - top + 1;
    glyph.coverage.resize(size_t(glyph.width) * size_t(glyph.height));
    for (int y = 0; y < glyph.height; ++y) {
      for (int x = 0; x < glyph.width; ++x) {
        const uint32_t pixel = cell_bits_[size_t(top + y) * size_t(cell_width_) + size_t(left + x)];
        glyph.coverage[size_t(y) * size_t(glyph.width) + size_t(x)] =
            (pixel & 0xFF) >= 128 ? 255 : 0;
      }
    }
  }

  bool EnsureCell(int width, int height) {
    if (cell_ && width <= cell_width_ && height <= cell_height_) return true;
    if (cell_) ::DeleteObject(::SelectObject(dc_, old_cell_));
    cell_ = nullptr;
    // Grown to the largest cell asked for so far.
    width = std::max(width, cell_width_);
    height = std::max(height, cell_height_);
    void* bits = nullptr;
    cell_ = CreateTopDownDib(width, height, &bits);
    if (!cell_) return false;
    cell_bits_ = static_cast<uint32_t*>(bits);
    cell_width_ = width;
    cell_height_ = height;
    old_cell_ = ::SelectObject(dc_, cell_);
    return true;
  }

  void ReadKerning() {
    kerning_read_ = true;
    const DWORD count = ::GetKerningPairsW(dc_, 0, nullptr);
    if (count == 0) return;
    std::vector<KERNINGPAIR> pairs(count);
    const DWORD read = ::GetKerningPairsW(dc_, count, pairs.data());
    for (DWORD i = 0; i < read && i < count; ++i) {
      kerning_[KerningKey(pairs[i].wFirst, pairs[i].wSecond)] = pairs[i].iKernAmount;
    }
  }

  FontRequest request_;
  HDC dc_ = nullptr;
  HFONT font_ = nullptr;
  HGDIOBJ old_font_ = nullptr;
  TEXTMETRICW text_metrics_{};  // of the selected font, read once
  HBITMAP cell_ = nullptr;      // the raster fonts' drawing cell
  HGDIOBJ old_cell_ = nullptr;
  uint32_t* cell_bits_ = nullptr;
  int cell_width_ = 0;
  int cell_height_ = 0;
  bool outline_ = true;
  bool synthetic_bold_ = false;
  std::string face_name_;
  FontMetrics metrics_;
  bool kerning_read_ = false;
  std::unordered_map<uint32_t, int> kerning_;
};

class GdiLibrary final : public CachedLibrary {
 public:
  std::string FindFile(std::string_view family, bool bold) override {
    return Face({std::string(family), 12, bold, false}).FilePath();
  }

 private:
  std::unique_ptr<FontFace> Open(const FontRequest& request) override {
    return std::make_unique<GdiFace>(request);
  }
};

}  // namespace

FontLibrary& FontLibrary::Instance() {
  // Deliberately never destroyed: glyph references stay valid during static teardown.
  static auto* library = new GdiLibrary();
  return *library;
}

}  // namespace platform
