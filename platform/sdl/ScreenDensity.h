// How dense the desktop says its screen is, as a scale in percent (100 at 96 dots per
// inch): GDK_SCALE, the whole factor a desktop asks of every program, else the X
// resource Xft.dpi that desktops set for their scaling. 100 when neither says.
#pragma once

namespace platform {

int ScreenDensity();

}  // namespace platform
