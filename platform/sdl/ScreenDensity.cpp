#include "platform/sdl/ScreenDensity.h"

#include <SDL.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/DisplayScale.h"

#if defined(SDL_VIDEO_DRIVER_X11)
#include <X11/Xlib.h>
#endif

namespace platform {
namespace {

#if defined(SDL_VIDEO_DRIVER_X11)
// The value of Xft.dpi in the X resources, or 0.
int XftDpi() {
  const char* driver = SDL_GetCurrentVideoDriver();
  if (!driver || std::string_view(driver) != "x11") return 0;
  Display* display = XOpenDisplay(nullptr);
  if (!display) return 0;
  int dpi = 0;
  if (const char* resources = XResourceManagerString(display)) {
    constexpr std::string_view kName = "Xft.dpi:";
    const std::string_view all(resources);
    for (size_t at = 0; at < all.size();) {
      const size_t end = std::min(all.find('\n', at), all.size());
      const std::string_view line = all.substr(at, end - at);
      if (line.substr(0, kName.size()) == kName) {
        dpi = int(std::strtod(std::string(line.substr(kName.size())).c_str(), nullptr) + 0.5);
      }
      at = end + 1;
    }
  }
  XCloseDisplay(display);
  return dpi;
}
#else
int XftDpi() {
  return 0;
}
#endif

}  // namespace

int ScreenDensity() {
  if (const char* gdk = std::getenv("GDK_SCALE")) {
    const int factor = std::atoi(gdk);
    if (factor >= 1) return factor * 100;
  }
  const int dpi = XftDpi();
  return dpi > 0 ? ScaleForDpi(dpi) : 100;
}

}  // namespace platform
