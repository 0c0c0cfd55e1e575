// The node field of a time-based UUID: on most machines a network adapter's address.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

namespace platform {

using NodeBytes = std::array<uint8_t, 6>;

// The six node bytes of a freshly made time-based UUID, in memory order. When the
// system makes the UUID without an adapter address (a random node), the first
// adapter's address is taken instead where one can be read; failing that the random
// node is returned, as the system produced it. Empty only when no UUID can be made.
std::optional<NodeBytes> TimeBasedUuidNode();

}  // namespace platform
