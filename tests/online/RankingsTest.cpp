#include "online/Rankings.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace online {
namespace {

// Records the step's effects, and its pauses, in one ordered log.
class RecordingView : public RankingsView {
 public:
  std::vector<std::string> log;
  void SetServerStatus(std::string_view caption) override {
    log.push_back("status " + std::string(caption));
  }
  void ShowServerConnectError() override { log.push_back("error panel"); }
  PauseFunction Pause() {
    return
        [this](uint32_t milliseconds) { log.push_back("pause " + std::to_string(milliseconds)); };
  }
};

TEST(Rankings, PausesOneSecondThenShowsTheConnectionError) {
  RecordingView view;
  EXPECT_FALSE(FetchRankings(view, view.Pause()));
  EXPECT_EQ(view.log, (std::vector<std::string>{"pause 1000", "status unable to connect to server",
                                                "error panel"}));
}

TEST(Rankings, EveryVisitRunsTheWholeStepAgain) {
  RecordingView view;
  FetchRankings(view, view.Pause());
  FetchRankings(view, view.Pause());
  ASSERT_EQ(view.log.size(), 6u);
  EXPECT_EQ(view.log[3], "pause 1000");
  EXPECT_EQ(view.log[5], "error panel");
}

}  // namespace
}  // namespace online
