#include "cpuinfo/Texts.h"

namespace cpuinfo {
namespace {

TextCatalogue& Catalogue() {
  static TextCatalogue catalogue;
  return catalogue;
}

}  // namespace

std::string Localized(const char* text) {
  const TextCatalogue& catalogue = Catalogue();
  if (!catalogue.empty()) {
    auto found = catalogue.find(text);
    if (found != catalogue.end()) return found->second;
  }
  return text;
}

void LoadTexts(TextCatalogue catalogue) {
  Catalogue() = std::move(catalogue);
}

void ReleaseTexts() {
  Catalogue().clear();
}

}  // namespace cpuinfo
