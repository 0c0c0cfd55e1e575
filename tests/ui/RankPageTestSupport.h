// The main window on the headless backend with recorders on the online scores page's
// timers: the map's top after every tmrMap tick and the shown
// continents after every tmrContinents tick.
#pragma once

#include <string>
#include <vector>

#include "UiTestSupport.h"
#include "ui/RankPage.h"

namespace ui::testing {

class RankPageHarness {
 public:
  UiHarness h;
  RankPage* page = nullptr;
  MapPanel* map = nullptr;
  std::vector<int> mapTops;                         // after each tmrMap tick
  std::vector<std::vector<widgets::Image*>> shown;  // after each tmrContinents tick
  std::vector<std::string> pauses;                  // the status line at each pause

  RankPageHarness() {
    page = &h.PageAs<RankPage>(TMainPage::kRank);
    map = &page->map;
    map->tmrMap.SetOnTimer([this](controls::THighResTimer& sender) {
      map->tmrMapTimer(sender);
      mapTops.push_back(map->pnlMap.Top());
    });
    map->tmrContinents.SetOnTimer([this](controls::THighResTimer& sender) {
      map->tmrContinentsTimer(sender);
      shown.push_back(ShownContinents());
    });
    auto sleep = page->pause;
    page->pause = [this, sleep](uint32_t ms) {
      pauses.push_back(map->lblServerStatus.Caption());
      if (onPause) onPause();
      sleep(ms);
    };
    h.Start();
  }

  // Runs from inside the rankings step's pause.
  std::function<void()> onPause;

  // Presses a button and lets the transition and everything it starts run out.
  void Go(gui::Control& button) {
    h.Click(button);
    h.FinishTransition();
  }
  void EnterRankPage() { Go(h.form->btnGetRanking); }

  std::vector<widgets::Image*> ShownContinents() const {
    std::vector<widgets::Image*> now;
    for (widgets::Image* image : map->RevealOrder()) {
      if (image->Visible()) now.push_back(image);
    }
    return now;
  }
};

}  // namespace ui::testing
