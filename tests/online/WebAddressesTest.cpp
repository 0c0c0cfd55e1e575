#include "online/WebAddresses.h"

#include <gtest/gtest.h>

namespace online {
namespace {

TEST(WebAddresses, SitesAreSecureAndTheProductSiteHasNoTrailingSlash) {
  EXPECT_TRUE(kProductSite.starts_with("https://"));
  EXPECT_TRUE(kMakerSite.starts_with("https://"));
  EXPECT_FALSE(kProductSite.ends_with("/"));
}

TEST(WebAddresses, RankingsPageCarriesTheIdentity) {
  EXPECT_EQ(RankingsAddress("001A2B3C4D5E"),
            std::string(kProductSite) + "/ranking.php?v=app&m4=001A2B3C4D5E");
}

TEST(WebAddresses, RankingsPageWithoutIdentityEndsInTheKey) {
  EXPECT_EQ(RankingsAddress(""), std::string(kProductSite) + "/ranking.php?v=app&m4=");
}

TEST(WebAddresses, ClosingPageAndProductPaths) {
  EXPECT_EQ(ClosingRankingsAddress(), std::string(kProductSite) + "/ranking.php?ns=1");
  EXPECT_EQ(ProductAddress(kHomePath), std::string(kProductSite) + "/");
  EXPECT_EQ(ProductAddress(kContactRederezoPath),
            std::string(kProductSite) + "/contact.php?v=rederezo");
  EXPECT_EQ(ProductAddress(kMascotPath), std::string(kProductSite) + "/bexo.php");
}

TEST(WebAddresses, MakerReferralFollowsTheHomePageDirectly) {
  EXPECT_EQ(MakerReferralAddress(), MakerAddress() + "?v=tachora");
}

}  // namespace
}  // namespace online
