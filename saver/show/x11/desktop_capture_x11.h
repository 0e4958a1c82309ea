// The X11 capture on a connection of the caller's, with or without MIT-SHM
// (both paths must give the same picture; the tests compare them). Without
// MIT-SHM, or where the server cannot attach our segment, a plain XGetImage.
#pragma once

#include <X11/Xlib.h>

#include "desktop_picture.h"

namespace qg::show {

// The whole root window of $DISPLAY (every monitor, at the screen's size), on
// a connection of its own; false (picture emptied) when it cannot be read.
bool CaptureDesktopX11(DesktopPicture& picture);

bool CaptureDesktopOn(Display* dpy, bool allowShm, DesktopPicture& picture);

// The picture in a drawable of the screen's default depth (a pixmap another
// program made, such as the daemon's copy of a monitor); false when it cannot
// be read.
bool CaptureDrawableOn(Display* dpy, Drawable drawable, int width, int height, DesktopPicture& picture);

}  // namespace qg::show
