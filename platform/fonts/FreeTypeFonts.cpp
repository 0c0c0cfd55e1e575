// The font library over fontconfig (finding files) and FreeType (rasterizing).
#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "platform/fonts/CachedFace.h"
#include "platform/fonts/CachedLibrary.h"
#include "platform/fonts/FreeTypeFonts.h"
#include "platform/fonts/GlyphRaster.h"

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

// The folder of the Windows compatibility faces: fontconfig does not scan it by default,
// but it holds faces we substitute.
constexpr const char* kCompatibilityFonts = "/usr/share/wine/fonts";

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

// How a face asked for in bold gets its weight.
enum class BoldStyle {
  kNone,       // regular asked for, or the bold file's own strokes
  kThickened,  // a bold file with regular strokes: the regular face, thickened
  kSmeared,    // no bold file: every column drawn twice, as the desktop simulates bold
};

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

struct FoundFile {
  std::string path;
  int index = 0;
  bool bold = false;   // the file's own weight is bold
  std::string family;  // as the file names itself
};

// Faces of the directly read folders that stand in for a missing family when fontconfig
// offers nothing: sans faces close to the program's own.
constexpr std::string_view kLastResorts[] = {"Tahoma", "MS Sans Serif"};

// A bold file whose strokes carry less than this much more ink than its family's regular
// face has bold metrics only. A real bold face carries about half as much again.
constexpr double kBoldInk = 1.15;

// fontconfig's configuration: the system's (FONTCONFIG_FILE honoured), or one file.
FcConfig* LoadConfig(const std::optional<std::string>& file) {
  if (!file) return FcInitLoadConfigAndFonts();
  FcConfig* config = FcConfigCreate();
  const auto* name = reinterpret_cast<const FcChar8*>(file->c_str());
  if (!FcConfigParseAndLoad(config, name, FcTrue) || !FcConfigBuildFonts(config)) {
    FcConfigDestroy(config);
    return nullptr;
  }
  return config;
}

class FreeTypeLibrary final : public CachedLibrary {
 public:
  explicit FreeTypeLibrary(FontSources sources) : sources_(std::move(sources)) {
    FT_Init_FreeType(&library_);
    config_ = LoadConfig(sources_.configFile);
    // The folders are read directly: the system configuration may reject the bitmap-only
    // faces among them ("Small Fonts").
    for (const std::string& folder : sources_.folders) {
      std::error_code error;
      std::vector<std::string> files;
      for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        if (entry.path().extension() == ".ttf") files.push_back(entry.path().string());
      }
      // In name order, so that "small_fonts.ttf" comes before its regional variants.
      std::sort(files.begin(), files.end());
      for (const std::string& file : files) AddFolderFile(file);
    }
  }
  ~FreeTypeLibrary() override {
    CloseFaces();
    FT_Done_FreeType(library_);
    if (config_) FcConfigDestroy(config_);
  }
  FreeTypeLibrary(const FreeTypeLibrary&) = delete;
  FreeTypeLibrary& operator=(const FreeTypeLibrary&) = delete;

  std::string FindFile(std::string_view family, bool bold) override {
    std::lock_guard lock(mutex_);
    return Find(family, bold).path;
  }

 private:
  std::unique_ptr<FontFace> Open(const FontRequest& request) override {
    const FoundFile file = Find(request.family, request.bold);
    const BoldStyle bold = BoldOf(request, file);
    if (bold == BoldStyle::kThickened) {
      // The bold file's advances were made for bold strokes and its outlines are the
      // regular ones: placed there, thickened letters stand unevenly apart. The regular
      // face, thickened, keeps its own even spacing.
      const FoundFile& regular = thickened_from_.at(file.path);
      return std::make_unique<FreeTypeFace>(library_, regular.path, regular.index, request, bold);
    }
    return std::make_unique<FreeTypeFace>(library_, file.path, file.index, request, bold);
  }

  void AddFolderFile(const std::string& path) {
    int count = 0;
    FcPattern* pattern =
        FcFreeTypeQuery(reinterpret_cast<const FcChar8*>(path.c_str()), 0, nullptr, &count);
    if (!pattern) return;
    FcChar8* name = nullptr;
    if (FcPatternGetString(pattern, FC_FAMILY, 0, &name) == FcResultMatch) {
      folder_faces_.push_back(
          {path, 0, IsBold(pattern), std::string(reinterpret_cast<const char*>(name))});
    }
    FcPatternDestroy(pattern);
  }

  // fontconfig gives a file's weight as an integer or, for newer files, a real number.
  static bool IsBold(const FcPattern* pattern) {
    double weight = FC_WEIGHT_REGULAR;
    FcPatternGetDouble(pattern, FC_WEIGHT, 0, &weight);
    return weight >= FC_WEIGHT_DEMIBOLD;
  }

  // The file for a family; a missing family falls back to a face that exists, and the
  // user is told once which one is missing.
  FoundFile Find(std::string_view family, bool bold) {
    const std::string installed(InstalledFamily(family));
    if (auto file = FromFolders(installed, bold)) return *file;
    std::optional<FoundFile> fallback = FromConfig(installed, bold);
    if (fallback && SameName(fallback->family, installed)) return *fallback;
    for (std::string_view resort : kLastResorts) {
      if (!fallback) fallback = FromFolders(resort, bold);
    }
    if (!fallback && !folder_faces_.empty()) {
      fallback = FromFolders(folder_faces_.front().family, bold);
    }
    if (!fallback) throw FontError("no font can be loaded: " + WhereLooked());
    if (warned_.emplace(family).second && sources_.warn) {
      const std::string named = installed == family ? "" : " (" + installed + ")";
      sources_.warn("font \"" + std::string(family) + "\"" + named + " not found; using " +
                    fallback->family + " instead");
    }
    return *fallback;
  }

  std::string WhereLooked() const {
    std::string where = config_ ? "fontconfig knows none" : "fontconfig cannot be used";
    for (const std::string& folder : sources_.folders) where += ", none in " + folder;
    return where;
  }

  // The regular face of the folders, or the bold one when asked and present.
  std::optional<FoundFile> FromFolders(std::string_view family, bool bold) const {
    const FoundFile* best = nullptr;
    for (const FoundFile& file : folder_faces_) {
      if (!SameName(file.family, family)) continue;
      if (!best || (file.bold == bold && best->bold != bold)) best = &file;
    }
    return best ? std::optional<FoundFile>(*best) : std::nullopt;
  }

  // fontconfig's best match, which may be of another family.
  std::optional<FoundFile> FromConfig(const std::string& family, bool bold) const {
    if (!config_) return std::nullopt;
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT, FC_SLANT_ROMAN);
    FcConfigSubstitute(config_, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult outcome = FcResultNoMatch;
    FcPattern* match = FcFontMatch(config_, pattern, &outcome);
    FcPatternDestroy(pattern);
    if (!match) return std::nullopt;
    std::optional<FoundFile> result;
    FcChar8* file = nullptr;
    FcChar8* name = nullptr;
    if (FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch &&
        FcPatternGetString(match, FC_FAMILY, 0, &name) == FcResultMatch) {
      result = FoundFile{reinterpret_cast<const char*>(file), 0, IsBold(match),
                         reinterpret_cast<const char*>(name)};
      FcPatternGetInteger(match, FC_INDEX, 0, &result->index);
      // The configuration may mark a regular face as bold and ask for emboldening.
      FcBool embolden = FcFalse;
      if (FcPatternGetBool(match, FC_EMBOLDEN, 0, &embolden) == FcResultMatch && embolden) {
        result->bold = false;
      }
    }
    FcPatternDestroy(match);
    return result;
  }

  BoldStyle BoldOf(const FontRequest& request, const FoundFile& file) {
    if (!request.bold) return BoldStyle::kNone;
    if (!file.bold) return BoldStyle::kSmeared;
    return StrokesAreRegular(file) ? BoldStyle::kThickened : BoldStyle::kNone;
  }

  // Some bold files have bold metrics over regular strokes (Debian's compatibility
  // Tahoma Bold): told apart by their ink beside the family's regular face.
  bool StrokesAreRegular(const FoundFile& bold) {
    const auto known = regular_strokes_.find(bold.path);
    if (known != regular_strokes_.end()) return known->second;
    std::optional<FoundFile> regular = FromFolders(bold.family, false);
    if (!regular) regular = FromConfig(bold.family, false);
    const bool thin = regular && regular->path != bold.path && !regular->bold &&
                      Ink(bold) < Ink(*regular) * kBoldInk;
    regular_strokes_.emplace(bold.path, thin);
    if (thin) thickened_from_.emplace(bold.path, *regular);
    return thin;
  }

  // The coverage of a few letters drawn from the outlines at 64 pixels.
  double Ink(const FoundFile& file) const {
    FT_Face face = nullptr;
    if (FT_New_Face(library_, file.path.c_str(), file.index, &face) != 0) return 0;
    double ink = 0;
    FT_Set_Pixel_Sizes(face, 0, 64);
    for (const char letter : std::string_view("Hlno")) {
      if (FT_Load_Char(face, FT_ULong(letter),
                       FT_LOAD_RENDER | FT_LOAD_NO_BITMAP | FT_LOAD_NO_HINTING) != 0) {
        continue;
      }
      const FT_Bitmap& bitmap = face->glyph->bitmap;
      for (unsigned y = 0; y < bitmap.rows; ++y) {
        const unsigned char* row = bitmap.buffer + ptrdiff_t(y) * bitmap.pitch;
        for (unsigned x = 0; x < bitmap.width; ++x) ink += row[x];
      }
    }
    FT_Done_Face(face);
    return ink;
  }

  FontSources sources_;
  FT_Library library_ = nullptr;
  FcConfig* config_ = nullptr;
  std::vector<FoundFile> folder_faces_;
  std::set<std::string, std::less<>> warned_;        // families already reported missing
  std::map<std::string, bool> regular_strokes_;      // bold files by path
  std::map<std::string, FoundFile> thickened_from_;  // the regular face of such a bold file
};

void WarnOnStderr(const std::string& message) {
  std::fprintf(stderr, "%s: %s\n", program_invocation_short_name, message.c_str());
}

}  // namespace

// GCC says it builds with AddressSanitizer by a macro, clang by a feature test.
#if defined(__SANITIZE_ADDRESS__)
#define TACHORA_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TACHORA_ADDRESS_SANITIZER 1
#endif
#endif

#if defined(TACHORA_ADDRESS_SANITIZER)
// fontconfig loses a few hundred bytes while parsing its configuration, and libdbus
// (which SDL loads) about a kilobyte at exit, once per process; keep the leak checker
// of sanitizer builds quiet about both.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libfontconfig.so\n"
         "leak:libdbus-1.so\n";
}
// Known and suppressed: no statistics about them on stderr at every exit.
extern "C" const char* __lsan_default_options() {
  return "print_suppressions=0";
}
#endif

std::unique_ptr<FontLibrary> CreateFreeTypeFonts(FontSources sources) {
  return std::make_unique<FreeTypeLibrary>(std::move(sources));
}

FontLibrary& FontLibrary::Instance() {
  // Deliberately never destroyed: glyph references stay valid during static teardown.
  static auto* library = new FreeTypeLibrary({std::nullopt, {kCompatibilityFonts}, WarnOnStderr});
  return *library;
}

}  // namespace platform
