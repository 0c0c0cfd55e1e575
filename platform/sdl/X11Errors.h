// X errors that are harmless races with windows being closed.
#pragma once

namespace platform {

// SDL wakes a waiting event loop by sending an event to one of its windows over a second
// connection; when that window has just been destroyed, the server answers BadWindow and
// Xlib's default handler ends the process with status 1. Such errors, and only they, are
// ignored; every other error goes to the handler installed before.
//
// To be called before SDL_Init: SDL keeps the handler it finds and puts it back at
// SDL_Quit, whose closing of the display reads the errors still queued. A handler
// installed after SDL_Init would be gone by then, and such an error would end the program
// with status 1 on its way out. Harmless when SDL then picks another video driver.
void IgnoreWakeupsToClosedWindows();

}  // namespace platform
