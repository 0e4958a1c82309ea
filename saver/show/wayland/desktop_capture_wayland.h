// The desktop of the Wayland compositor of $WAYLAND_DISPLAY, in logical
// pixels (desktop_composer.h): every output through the compositor's screen
// copier, else the desktop portal's photograph placed on the outputs.
#pragma once

#include "desktop_picture.h"

namespace qg::show {

// False (picture emptied) when neither way gives a picture in time: the show
// then runs with white sheets. allowScreencopy false asks the portal alone.
bool CaptureDesktopWayland(DesktopPicture& picture, bool allowScreencopy = true);

}  // namespace qg::show
