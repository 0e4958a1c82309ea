// Photographing the whole desktop (every monitor, at the display's own size).
#pragma once

#include "desktop_picture.h"

namespace qg::show {

// Fills picture with the screen as it is now; false (picture emptied) when the
// display cannot be reached or read.
bool CaptureDesktop(DesktopPicture& picture);

}  // namespace qg::show
