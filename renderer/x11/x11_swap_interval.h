// Asks GLX for the swap interval of the show's window, through whichever of
// the two extensions the driver offers; nothing happens where it offers none.
#pragma once

#include <GL/glx.h>
#include <X11/Xlib.h>

// Needs the context current on the drawable. True when an extension took it.
bool ApplySwapInterval(Display* display, GLXDrawable drawable, int interval);
