// The texts that name the program, its maker and the product the closing dialog promotes.
#pragma once

#include <string_view>

#include "generated/Version.h"

namespace ui {

inline constexpr std::string_view kApplicationTitle = "Tachora";
// The name in two colours: white, then red.
inline constexpr std::string_view kNameWhitePart = "Tacho";
inline constexpr std::string_view kNameRedPart = "ra";
inline constexpr std::string_view kVersionCaption = "version " TACHORA_VERSION_TEXT;
inline constexpr std::string_view kMakerCopyright = "Copyright \xC2\xA9 2005 Quillon Software";

// The maker's internet speed test, advertised when the program closes.
inline constexpr std::string_view kPromotedProductName = "Linkora";
inline constexpr std::string_view kPromotedProductTagline = "Internet Speed Test";
inline constexpr std::string_view kPromotedProductSite = "https://www.quillonsoftware.com/linkora/";

}  // namespace ui
