// The start-up order both entry points share: the application with its title, the main
// window (whose creation posts UM_GETSPEED), one pump of the pending messages (the clock
// measurement, before the window first shows) and the message loop until the main
// window closes.
#pragma once

#include "platform/Window.h"

namespace app {

// Runs Tachora on the given window backend until the main window closes. Throws when no
// font at all can be loaded: without one no caption could be drawn.
void RunTachora(platform::Backend& backend);

}  // namespace app
