// The desktop as the desktop portal photographs it, for compositors without a
// screen copier of their own for clients (GNOME, KWin): the portal's
// Screenshot, not interactive, on the session bus.
#pragma once

#include "desktop_composer.h"
#include "wayland_desktop.h"

namespace qg::show {

// The whole desktop, upright, from the picture file the portal saved; no
// pixels when there is no portal, it refuses or the file cannot be read, or
// no answer has come by the deadline. The file is removed once read when it
// is ours: the portal made it for this request, and it holds the user's
// screen.
OutputBuffer PortalScreenshot(Deadline deadline);

}  // namespace qg::show
