// Where the pointer is on the screen, asked of the display server itself.
#pragma once

struct SDL_Window;

namespace platform {

// SDL's global mouse state is a cache that synthetic and raw-event-less pointers never
// refresh; under X11 this asks the server. Elsewhere it falls back to SDL's answer.
void GlobalPointer(SDL_Window* window, int& x, int& y);

}  // namespace platform
