// The font library over fontconfig (finding files) and FreeType (rasterizing).
#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <mutex>
#include <string>
#include <string_view>
#include <tuple>
#include <unordered_map>
#include <vector>

#include "platform/fonts/Font.h"

namespace platform {

namespace {

// Families the program names, and the installed families that stand in for them.
struct Substitute {
  std::string_view requested;
  std::string_view installed;
};
constexpr Substitute kSubstitutes[] = {
    // requested          installed
    {"Arial", "Liberation Sans"},         {"Helvetica", "Liberation Sans"},
    {"MS Sans Serif", "Liberation Sans"}, {"Times New Roman", "Liberation Serif"},
    {"Courier New", "Liberation Mono"},   {"Tahoma", "Tahoma"},
    {"Small Fonts", "Small Fonts"},
};

// Folders fontconfig does not scan by default but that hold faces we substitute.
constexpr const char* kExtraFontDirs[] = {"/usr/share/wine/fonts"};

bool SameName(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) ==
           std::tolower(static_cast<unsigned char>(y));
  });
}

std::string_view InstalledFamily(std::string_view family) {
  for (const Substitute& s : kSubstitutes) {
    if (SameName(s.requested, family)) return s.installed;
  }
  return family;
}

int RoundedScale(long fontUnits, int pixelSize, int unitsPerEm) {
  if (unitsPerEm <= 0) return 0;
  return int(std::lround(double(fontUnits) * pixelSize / unitsPerEm));
}

class FreeTypeFace final : public FontFace {
 public:
  FreeTypeFace(FT_Library library, std::string path, int index, const FontRequest& request,
               bool synthesizeBold)
      : path_(std::move(path)), request_(request), synthetic_bold_(synthesizeBold) {
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
  bool SyntheticBold() const override { return synthetic_bold_; }

  const Glyph& GlyphFor(char32_t code) override {
    std::lock_guard lock(mutex_);
    auto found = glyphs_.find(code);
    if (found != glyphs_.end()) return found->second;
    return glyphs_.emplace(code, Render(code)).first->second;
  }

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

  Glyph Render(char32_t code) {
    Glyph glyph;
    if (!face_) {
      glyph.advance = std::max(request_.pixelSize, 1) / 2;
      return glyph;
    }
    // Aliased text uses the face's own 1-bit strikes where it has them; anti-aliased
    // text always renders the outlines.
    const FT_Int32 flags = request_.antialias
                               ? FT_LOAD_RENDER | FT_LOAD_NO_BITMAP | FT_LOAD_TARGET_NORMAL
                               : FT_LOAD_RENDER | FT_LOAD_TARGET_MONO | FT_LOAD_MONOCHROME;
    if (FT_Load_Char(face_, code, flags) != 0 && FT_Load_Char(face_, '?', flags) != 0) {
      return glyph;
    }
    const FT_GlyphSlot slot = face_->glyph;
    const FT_Bitmap& bitmap = slot->bitmap;
    glyph.left = slot->bitmap_left;
    glyph.top = slot->bitmap_top;
    glyph.width = int(bitmap.width);
    glyph.height = int(bitmap.rows);
    glyph.advance = int((slot->advance.x + 32) >> 6);
    glyph.coverage.assign(size_t(glyph.width) * size_t(glyph.height), 0);
    for (int y = 0; y < glyph.height; ++y) {
      const unsigned char* row = bitmap.buffer + ptrdiff_t(y) * bitmap.pitch;
      uint8_t* out = glyph.coverage.data() + size_t(y) * size_t(glyph.width);
      for (int x = 0; x < glyph.width; ++x) {
        uint8_t value = 0;
        if (bitmap.pixel_mode == FT_PIXEL_MODE_MONO) {
          value = (row[x >> 3] & (0x80 >> (x & 7))) ? 255 : 0;
        } else if (bitmap.pixel_mode == FT_PIXEL_MODE_GRAY) {
          const int levels = std::max(int(bitmap.num_grays) - 1, 1);
          value = uint8_t(row[x] * 255 / levels);
          if (!request_.antialias) value = value >= 128 ? 255 : 0;
        }
        out[x] = value;
      }
    }
    if (synthetic_bold_) Embolden(glyph);
    return glyph;
  }

  // Simulated bold as the desktop draws it: every column is also drawn one pixel to the
  // right, and the glyph advances one pixel more.
  static void Embolden(Glyph& glyph) {
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
  bool synthetic_bold_;
  FontMetrics metrics_;
  std::mutex mutex_;
  std::unordered_map<char32_t, Glyph> glyphs_;
};

struct FoundFile {
  std::string path;
  int index = 0;
  bool bold = false;  // the file's own weight is bold
};

class FreeTypeLibrary final : public FontLibrary {
 public:
  FreeTypeLibrary() {
    FT_Init_FreeType(&library_);
    config_ = FcInitLoadConfigAndFonts();
    // The extra folders are read directly: the system configuration may reject the
    // bitmap-only faces among them ("Small Fonts").
    for (const char* dir : kExtraFontDirs) {
      std::error_code error;
      std::vector<std::string> files;
      for (const auto& entry : std::filesystem::directory_iterator(dir, error)) {
        if (entry.path().extension() == ".ttf") files.push_back(entry.path().string());
      }
      // In name order, so that "small_fonts.ttf" comes before its regional variants.
      std::sort(files.begin(), files.end());
      for (const std::string& file : files) AddExtraFile(file);
    }
  }
  // Lives until the process ends: faces are handed out by reference.
  ~FreeTypeLibrary() override = default;
  FreeTypeLibrary(const FreeTypeLibrary&) = delete;
  FreeTypeLibrary& operator=(const FreeTypeLibrary&) = delete;

  FontFace& Face(const FontRequest& request) override {
    std::lock_guard lock(mutex_);
    const auto key =
        std::make_tuple(request.family, request.pixelSize, request.bold, request.antialias);
    auto found = faces_.find(key);
    if (found != faces_.end()) return *found->second;
    const FoundFile file = Find(request.family, request.bold);
    auto face = std::make_unique<FreeTypeFace>(library_, file.path, file.index, request,
                                               request.bold && !file.bold);
    return *faces_.emplace(key, std::move(face)).first->second;
  }

  std::string FindFile(std::string_view family, bool bold) override {
    std::lock_guard lock(mutex_);
    return Find(family, bold).path;
  }

 private:
  struct ExtraFace {
    std::string family;
    FoundFile file;
  };

  void AddExtraFile(const std::string& path) {
    int count = 0;
    FcPattern* pattern =
        FcFreeTypeQuery(reinterpret_cast<const FcChar8*>(path.c_str()), 0, nullptr, &count);
    if (!pattern) return;
    FcChar8* name = nullptr;
    int weight = FC_WEIGHT_REGULAR;
    FcPatternGetInteger(pattern, FC_WEIGHT, 0, &weight);
    if (FcPatternGetString(pattern, FC_FAMILY, 0, &name) == FcResultMatch) {
      extra_.push_back(
          {reinterpret_cast<const char*>(name), {path, 0, weight >= FC_WEIGHT_DEMIBOLD}});
    }
    FcPatternDestroy(pattern);
  }

  FoundFile Find(std::string_view family, bool bold) {
    const std::string installed(InstalledFamily(family));
    // The extra folders first: the regular face, or the bold one when asked and present.
    const ExtraFace* extra = nullptr;
    for (const ExtraFace& face : extra_) {
      if (!SameName(face.family, installed)) continue;
      if (!extra || (face.file.bold == bold && extra->file.bold != bold)) extra = &face;
    }
    if (extra) return extra->file;
    FoundFile result;
    if (!config_) return result;
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(installed.c_str()));
    FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT, FC_SLANT_ROMAN);
    FcConfigSubstitute(config_, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult outcome = FcResultNoMatch;
    FcPattern* match = FcFontMatch(config_, pattern, &outcome);
    if (match) {
      FcChar8* file = nullptr;
      int index = 0;
      int weight = FC_WEIGHT_REGULAR;
      if (FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch) {
        result.path = reinterpret_cast<const char*>(file);
      }
      if (FcPatternGetInteger(match, FC_INDEX, 0, &index) == FcResultMatch) result.index = index;
      if (FcPatternGetInteger(match, FC_WEIGHT, 0, &weight) == FcResultMatch) {
        result.bold = weight >= FC_WEIGHT_DEMIBOLD;
      }
      // The configuration may mark a regular face as bold and ask for emboldening.
      FcBool embolden = FcFalse;
      if (FcPatternGetBool(match, FC_EMBOLDEN, 0, &embolden) == FcResultMatch && embolden) {
        result.bold = false;
      }
      FcPatternDestroy(match);
    }
    FcPatternDestroy(pattern);
    return result;
  }

  FT_Library library_ = nullptr;
  FcConfig* config_ = nullptr;
  std::vector<ExtraFace> extra_;
  std::mutex mutex_;
  std::map<std::tuple<std::string, int, bool, bool>, std::unique_ptr<FreeTypeFace>> faces_;
};

}  // namespace

// fontconfig loses a few hundred bytes while parsing its configuration, once per
// process; keep the leak checker of sanitizer builds quiet about it. Only the leak
// checker calls this hook, whichever compiler built it; other builds never do.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libfontconfig.so\n";
}

FontLibrary& FontLibrary::Instance() {
  // Deliberately never destroyed: glyph references stay valid during static teardown.
  static auto* library = new FreeTypeLibrary();
  return *library;
}

}  // namespace platform
