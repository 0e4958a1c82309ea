// The desktop picture the X11 screensaver daemon took before blanking: a
// pixmap named by the _SCREENSAVER_SCREENSHOT property (type PIXMAP, format
// 32) on the window it hands to us, of that window's monitor.
#pragma once

#include <X11/Xlib.h>

#include "desktop_picture.h"

namespace qg::show {

// False (picture emptied) when the property is missing or malformed or the
// pixmap cannot be read.
bool ReadDaemonScreenshot(Display* dpy, Window window, DesktopPicture& picture);

}  // namespace qg::show
