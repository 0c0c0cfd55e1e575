#include "platform/sdl/GlobalPointer.h"

#include <SDL.h>
#include <SDL_syswm.h>

namespace platform {

void GlobalPointer(SDL_Window* window, int& x, int& y) {
#if defined(SDL_VIDEO_DRIVER_X11)
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (SDL_GetWindowWMInfo(window, &info) && info.subsystem == SDL_SYSWM_X11) {
    ::Window root = 0, child = 0;
    int rootX = 0, rootY = 0, winX = 0, winY = 0;
    unsigned int mask = 0;
    if (XQueryPointer(info.info.x11.display, info.info.x11.window, &root, &child, &rootX, &rootY,
                      &winX, &winY, &mask)) {
      x = rootX;
      y = rootY;
      return;
    }
  }
#else
  (void)window;
#endif
  SDL_GetGlobalMouseState(&x, &y);
}

}  // namespace platform
