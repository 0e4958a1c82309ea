// The X11 capture on a connection of the caller's, with or without MIT-SHM
// (both paths must give the same picture; the tests compare them). Without
// MIT-SHM, or where the server cannot attach our segment, a plain XGetImage.
#pragma once

#include <X11/Xlib.h>

#include "desktop_picture.h"

namespace qg::show {

bool CaptureDesktopOn(Display* dpy, bool allowShm, DesktopPicture& picture);

}  // namespace qg::show
