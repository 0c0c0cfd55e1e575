// The library's localisable texts. Every text has an English default written where it
// is used; a translation catalogue, when one is loaded, replaces defaults it knows.
#pragma once

#include <map>
#include <string>

namespace cpuinfo {

using TextCatalogue = std::map<std::string, std::string>;

// The text to show for the English default text.
std::string Localized(const char* text);

// Loads (replaces) the translation catalogue; an empty catalogue means English.
void LoadTexts(TextCatalogue catalogue);
// Drops the catalogue; every text reads its English default again.
void ReleaseTexts();

}  // namespace cpuinfo
