// The rankings step of the online scores page. No rankings service answers the
// program, so after its pause the step always ends in the connection-error state.
#pragma once

#include <cstdint>
#include <functional>
#include <string_view>

namespace online {

inline constexpr uint32_t kRankingsPauseMs = 1000;
inline constexpr std::string_view kServerStatusText = "unable to connect to server";

// What the step changes on the page.
class RankingsView {
 public:
  virtual ~RankingsView() = default;
  virtual void SetServerStatus(std::string_view caption) = 0;  // lblServerStatus
  virtual void ShowServerConnectError() = 0;                   // pnlServerConnectError
};

using PauseFunction = std::function<void(uint32_t milliseconds)>;

// Pauses one second on the calling thread (nothing is handled meanwhile), then sets the
// status line and shows the error panel. Keeps no state; returns false.
bool FetchRankings(RankingsView& view, const PauseFunction& pause);

}  // namespace online
