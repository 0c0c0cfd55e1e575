// The machine's short identity: the node of a time-based UUID, a network adapter's
// address on most machines.
#pragma once

#include <optional>
#include <string>

#include "platform/MachineNode.h"

namespace speedtest {

// Twelve uppercase hexadecimal digits, two per node byte in memory order
// (00-1A-2B-3C-4D-5E gives 001A2B3C4D5E); empty text when there is no node.
std::string FormatMachineIdentity(const std::optional<platform::NodeBytes>& node);

// The identity of this machine, computed afresh on every call; empty when none can be made.
std::string GetMachineIdentity();

}  // namespace speedtest
