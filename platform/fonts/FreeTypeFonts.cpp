// The font library: fontconfig and the directly read folders find the files; the faces
// (FreeTypeFace) draw the glyphs.
#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cctype>
#include <cerrno>
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

#include "platform/fonts/CachedLibrary.h"
#include "platform/fonts/FreeTypeFace.h"
#include "platform/fonts/FreeTypeFonts.h"

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
      return OpenFreeTypeFace(library_, regular.path, regular.index, request, bold);
    }
    return OpenFreeTypeFace(library_, file.path, file.index, request, bold);
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

std::unique_ptr<FontLibrary> CreateFreeTypeFonts(FontSources sources) {
  return std::make_unique<FreeTypeLibrary>(std::move(sources));
}

FontLibrary& FontLibrary::Instance() {
  // Deliberately never destroyed: glyph references stay valid during static teardown.
  static auto* library = new FreeTypeLibrary({std::nullopt, {kCompatibilityFonts}, WarnOnStderr});
  return *library;
}

}  // namespace platform
