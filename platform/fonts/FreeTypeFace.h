// One face of a font file drawn by FreeType: metrics, kerning and glyphs at one pixel size,
// with the weight a bold request gets.
#pragma once

#include <ft2build.h>
#include FT_FREETYPE_H

#include <memory>
#include <string>

#include "platform/fonts/Font.h"

namespace platform {

// How a face asked for in bold gets its weight.
enum class BoldStyle {
  kNone,       // regular asked for, or the bold file's own strokes
  kThickened,  // a bold file with regular strokes: the regular face, thickened
  kSmeared,    // no bold file: every column drawn twice, as the desktop simulates bold
};

// The face at path (index within the file); an unreadable file gives a face without
// glyphs, whose FilePath is empty.
std::unique_ptr<FontFace> OpenFreeTypeFace(FT_Library library, std::string path, int index,
                                           const FontRequest& request, BoldStyle bold);

}  // namespace platform
