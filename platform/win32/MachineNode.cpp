// Win32 implementation of the time-based UUID node: rpcrt4's UUID functions, looked up at
// run time.
#include "platform/MachineNode.h"

#include <algorithm>
#include <bit>

#include <windows.h>

#include <rpc.h>

#include "platform/OsInfo.h"

namespace platform {
namespace {

using UuidFunction = RPC_STATUS(RPC_ENTRY*)(UUID*);

// Windows before 2000 has only UuidCreate, which there is still time-based.
const char* UuidFunctionName() {
  const auto version = ReadWindowsVersion();
  return version && version->major < 5 ? "UuidCreate" : "UuidCreateSequential";
}

}  // namespace

std::optional<NodeBytes> TimeBasedUuidNode() {
  // The library stays loaded for the rest of the run.
  HMODULE rpc = ::LoadLibraryW(L"RPCRT4.DLL");
  if (rpc == nullptr) return std::nullopt;
  FARPROC address = ::GetProcAddress(rpc, UuidFunctionName());
  if (address == nullptr) return std::nullopt;
  UUID uuid{};
  // A positive warning, such as "no adapter, local only", still gives a usable node.
  if (std::bit_cast<UuidFunction>(address)(&uuid) < 0) return std::nullopt;
  NodeBytes node{};
  std::copy_n(uuid.Data4 + 2, node.size(), node.begin());
  return node;
}

}  // namespace platform
