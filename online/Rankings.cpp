#include "online/Rankings.h"

namespace online {

bool FetchRankings(RankingsView& view, const PauseFunction& pause) {
  pause(kRankingsPauseMs);
  view.SetServerStatus(kServerStatusText);
  view.ShowServerConnectError();
  return false;
}

}  // namespace online
