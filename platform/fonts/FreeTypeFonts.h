// The font library over fontconfig and FreeType, made from sources of one's choosing:
// FontLibrary::Instance() is one over the system's.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/fonts/Font.h"

namespace platform {

struct FontSources {
  std::optional<std::string> configFile;         // fontconfig's; the system's when absent
  std::vector<std::string> folders;              // read directly, before fontconfig
  std::function<void(const std::string&)> warn;  // told once for each missing family
};

std::unique_ptr<FontLibrary> CreateFreeTypeFonts(FontSources sources);

}  // namespace platform
