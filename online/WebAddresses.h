// Every web address the program opens: the two sites and the paths on them.
#pragma once

#include <string>
#include <string_view>

namespace online {

// The product's web site, which also serves the scores pages, and the maker's site.
inline constexpr std::string_view kProductSite = "https://www.tachora.net";
inline constexpr std::string_view kMakerSite = "https://www.quillonsoftware.com/";

// Paths on the product site.
inline constexpr std::string_view kHomePath = "/";
inline constexpr std::string_view kAddScorePath = "/proint/proaddscore.php";
inline constexpr std::string_view kRankingsPath = "/ranking.php?v=app&m4=";
inline constexpr std::string_view kClosingRankingsPath = "/ranking.php?ns=1";
inline constexpr std::string_view kContactRederezoPath = "/contact.php?v=rederezo";
inline constexpr std::string_view kContactNoCreditPath = "/contact.php?v=nocredit";
inline constexpr std::string_view kReviewersPath = "/reviewers.php";
inline constexpr std::string_view kMascotPath = "/bexo.php";

// The maker's home page with the query that tells it the visitor came from this program.
inline constexpr std::string_view kMakerReferralQuery = "?v=tachora";

// A path on the product site as a full address.
std::string ProductAddress(std::string_view path);

// The maker's home page, and the same with the referral query.
std::string MakerAddress();
std::string MakerReferralAddress();

// The web rankings page for a machine identity; an empty identity ends the address in "m4=".
std::string RankingsAddress(std::string_view machineIdentity);

// The page opened when the program closes without a score submitted in this run.
std::string ClosingRankingsAddress();

}  // namespace online
