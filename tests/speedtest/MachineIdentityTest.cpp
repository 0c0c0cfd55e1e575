#include "speedtest/MachineIdentity.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <set>

namespace speedtest {
namespace {

TEST(MachineIdentityFormat, TwelveUppercaseDigitsInMemoryOrder) {
  EXPECT_EQ(FormatMachineIdentity(platform::NodeBytes{0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E}),
            "001A2B3C4D5E");
  EXPECT_EQ(FormatMachineIdentity(platform::NodeBytes{0xAB, 0xCD, 0xEF, 0x01, 0x02, 0xFF}),
            "ABCDEF0102FF");
}

TEST(MachineIdentityFormat, NoNodeGivesEmptyText) {
  EXPECT_EQ(FormatMachineIdentity(std::nullopt), "");
}

bool IsIdentity(const std::string& text) {
  return text.size() == 12 && std::all_of(text.begin(), text.end(), [](unsigned char c) {
           return std::isdigit(c) || (c >= 'A' && c <= 'F');
         });
}

// Hardware addresses of the adapters the system lists, as identities.
std::set<std::string> AdapterIdentities() {
  std::set<std::string> identities;
  const std::filesystem::path net = "/sys/class/net";
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(net, error)) {
    if (entry.path().filename() == "lo") continue;
    std::ifstream file(entry.path() / "address");
    std::string address;
    if (!std::getline(file, address)) continue;
    std::string identity;
    for (const char c : address) {
      if (c != ':') identity += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    if (IsIdentity(identity) && identity != "000000000000") identities.insert(identity);
  }
  return identities;
}

TEST(MachineIdentity, IsStableAcrossCalls) {
  const std::string first = GetMachineIdentity();
  EXPECT_TRUE(IsIdentity(first)) << first;
  EXPECT_EQ(GetMachineIdentity(), first);
}

TEST(MachineIdentity, IsAnAdapterAddressWhereTheMachineHasOne) {
  const std::set<std::string> adapters = AdapterIdentities();
  if (adapters.empty()) GTEST_SKIP() << "no network adapter with a hardware address";
  EXPECT_TRUE(adapters.contains(GetMachineIdentity())) << GetMachineIdentity();
}

}  // namespace
}  // namespace speedtest
