#include <iostream>

#include "platform/ConsoleStream.h"

namespace platform {

// Terminals here take UTF-8 as it is.
std::ostream& StandardOutput() {
  return std::cout;
}

std::ostream& StandardError() {
  return std::cerr;
}

}  // namespace platform
