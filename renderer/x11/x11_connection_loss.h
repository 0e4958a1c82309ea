// The X server's end meeting the show at any moment: Xlib reports it at the
// next request or reply, and GLX may fault on a reply that never came. Both
// are the end of the show, not a crash of the renderer: the window, the mode
// and the cursor went with the server, so nothing is left to take down or put
// back, and the renderer ends at once (exit code 0), writing no core.
#pragma once

#include <X11/Xlib.h>

void EndWithTheConnection(Display* display);
