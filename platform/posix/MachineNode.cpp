// POSIX implementation of the time-based UUID node: libuuid, with the adapter list as
// the source of a real address when libuuid had to make one up.
#include "platform/MachineNode.h"

#include <ifaddrs.h>
#include <net/if.h>
#include <netpacket/packet.h>
#include <uuid/uuid.h>

#include <algorithm>
#include <cstring>

namespace platform {
namespace {

constexpr size_t kNodeOffset = 10;

// The group bit of the first byte: set in a node that libuuid drew at random.
bool IsRandomNode(const NodeBytes& node) {
  return (node[0] & 0x01) != 0;
}

bool IsUsableAddress(const NodeBytes& node) {
  return !IsRandomNode(node) && std::any_of(node.begin(), node.end(), [](uint8_t b) { return b; });
}

// The first non-loopback adapter's hardware address, preferring adapters that are up.
std::optional<NodeBytes> AdapterAddress() {
  ifaddrs* list = nullptr;
  if (::getifaddrs(&list) != 0) return std::nullopt;
  std::optional<NodeBytes> first_up;
  std::optional<NodeBytes> first_any;
  for (const ifaddrs* entry = list; entry != nullptr; entry = entry->ifa_next) {
    if (entry->ifa_addr == nullptr || entry->ifa_addr->sa_family != AF_PACKET) continue;
    if ((entry->ifa_flags & IFF_LOOPBACK) != 0) continue;
    sockaddr_ll link{};
    std::memcpy(&link, entry->ifa_addr, sizeof(link));
    if (link.sll_halen != 6) continue;
    NodeBytes node{};
    std::copy_n(link.sll_addr, node.size(), node.begin());
    if (!IsUsableAddress(node)) continue;
    if (!first_any) first_any = node;
    if (!first_up && (entry->ifa_flags & IFF_UP) != 0) first_up = node;
  }
  ::freeifaddrs(list);
  return first_up ? first_up : first_any;
}

}  // namespace

std::optional<NodeBytes> TimeBasedUuidNode() {
  uuid_t uuid{};
  ::uuid_generate_time(uuid);
  NodeBytes node{};
  std::copy_n(uuid + kNodeOffset, node.size(), node.begin());
  if (!IsRandomNode(node)) return node;
  if (auto adapter = AdapterAddress()) return adapter;
  return node;
}

}  // namespace platform
