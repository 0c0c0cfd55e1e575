// The main window's pages and their heading texts.
#pragma once

#include <cstdint>
#include <string_view>

namespace ui {

// CurrentPage: the page shown, or the page being switched to while a transition runs.
enum class TMainPage : uint8_t {
  kWelcome = 0,
  kTestCPU = 1,
  kCPUDetails = 2,
  kRank = 3,
  kAbout = 4
};

inline constexpr int kMainPageCount = 5;

// The heading bar's text for a page.
std::string_view PageHeading(TMainPage page);

}  // namespace ui
