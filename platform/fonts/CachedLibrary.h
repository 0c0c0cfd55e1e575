// A font library that opens each face once: later requests for the same family, size,
// weight and smoothing get the same face, which lives as long as the library. Shared by
// the FreeType and the GDI font libraries.
#pragma once

#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <tuple>

#include "platform/fonts/Font.h"

namespace platform {

class CachedLibrary : public FontLibrary {
 public:
  FontFace& Face(const FontRequest& request) final {
    std::lock_guard lock(mutex_);
    const auto key =
        std::make_tuple(request.family, request.pixelSize, request.bold, request.antialias);
    auto found = faces_.find(key);
    if (found != faces_.end()) return *found->second;
    return *faces_.emplace(key, Open(request)).first->second;
  }

 protected:
  // Opens a face not asked for before; called with mutex_ held.
  virtual std::unique_ptr<FontFace> Open(const FontRequest& request) = 0;
  // Closes every face, for a library that must outlive them.
  void CloseFaces() { faces_.clear(); }

  // Held while the faces or the library's own lookups are in use.
  std::mutex mutex_;

 private:
  std::map<std::tuple<std::string, int, bool, bool>, std::unique_ptr<FontFace>> faces_;
};

}  // namespace platform
