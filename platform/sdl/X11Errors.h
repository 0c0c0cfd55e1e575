// X errors that are harmless races with windows being closed.
#pragma once

namespace platform {

// SDL wakes a waiting event loop by sending an event to one of its windows over a second
// connection; when that window has just been destroyed, the server answers BadWindow and
// Xlib's default handler ends the process with status 1. Such errors, and only they, are
// ignored; every other error goes to the handler installed before. Only under X11.
void IgnoreWakeupsToClosedWindows();

}  // namespace platform
