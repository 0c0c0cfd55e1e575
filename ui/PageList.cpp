#include "ui/PageList.h"

#include <array>

namespace ui {
namespace {

// Heading texts, by page number.
constexpr std::array<std::string_view, kMainPageCount> kHeadings = {
    "Welcome to Tachora",      // welcome
    "Test CPU Speed",          // test
    "Show CPU Details",        // CPU details
    "View Online CPU Scores",  // online scores
    "About Tachora",           // about
};

}  // namespace

std::string_view PageHeading(TMainPage page) {
  return kHeadings[static_cast<size_t>(page)];
}

}  // namespace ui
