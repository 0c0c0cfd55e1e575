#include "platform/sdl/X11Errors.h"

#include <SDL.h>
#include <SDL_syswm.h>

#if defined(SDL_VIDEO_DRIVER_X11)
#include <X11/Xproto.h>
#endif

namespace platform {

#if defined(SDL_VIDEO_DRIVER_X11)
namespace {

bool installed = false;
XErrorHandler previous_handler = nullptr;

int OnXError(Display* display, XErrorEvent* error) {
  if (error->error_code == BadWindow && error->request_code == X_SendEvent) return 0;
  return previous_handler ? previous_handler(display, error) : 0;
}

}  // namespace

void IgnoreWakeupsToClosedWindows() {
  if (installed) return;
  installed = true;
  previous_handler = XSetErrorHandler(OnXError);
}
#else
void IgnoreWakeupsToClosedWindows() {}
#endif

}  // namespace platform
