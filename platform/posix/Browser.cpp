// POSIX implementation of opening a web address: the desktop's opener, xdg-open.
#include "platform/Browser.h"

#include <spawn.h>
#include <sys/wait.h>

#include <string>
#include <thread>

extern char** environ;

namespace platform {

void OpenInBrowser(std::string_view address) {
  // Started directly, not through a shell: the address is one argument, whatever it holds.
  std::string opener = "xdg-open";
  std::string argument(address);
  char* arguments[] = {opener.data(), argument.data(), nullptr};
  pid_t child = 0;
  if (::posix_spawnp(&child, opener.c_str(), nullptr, nullptr, arguments, environ) != 0) return;
  // The caller does not wait; a detached waiter reaps the opener so no zombie is left.
  std::thread([child] { ::waitpid(child, nullptr, 0); }).detach();
}

}  // namespace platform
