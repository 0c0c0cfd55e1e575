// A face that renders each glyph once: later asks get the same glyph, which lives as
// long as the face. Shared by the FreeType and the GDI font libraries.
#pragma once

#include <mutex>
#include <unordered_map>

#include "platform/fonts/Font.h"

namespace platform {

class CachedFace : public FontFace {
 public:
  const Glyph& GlyphFor(char32_t code) final {
    std::lock_guard lock(mutex_);
    auto found = glyphs_.find(code);
    if (found != glyphs_.end()) return found->second;
    return glyphs_.emplace(code, Render(code)).first->second;
  }

 protected:
  // Draws a glyph not drawn before; called with mutex_ held.
  virtual Glyph Render(char32_t code) = 0;

  // Held while the rasterizer is in use: by GlyphFor, and by the face's other calls into it.
  std::mutex mutex_;

 private:
  std::unordered_map<char32_t, Glyph> glyphs_;
};

}  // namespace platform
