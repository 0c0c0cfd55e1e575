#include "online/WebAddresses.h"

namespace online {

std::string ProductAddress(std::string_view path) {
  std::string address(kProductSite);
  address += path;
  return address;
}

std::string MakerAddress() {
  return std::string(kMakerSite);
}

std::string MakerReferralAddress() {
  return MakerAddress() + std::string(kMakerReferralQuery);
}

std::string RankingsAddress(std::string_view machineIdentity) {
  return ProductAddress(kRankingsPath) + std::string(machineIdentity);
}

std::string ClosingRankingsAddress() {
  return ProductAddress(kClosingRankingsPath);
}

}  // namespace online
