// Every output's picture through the compositor's screen copier
// (wlr-screencopy), each with its place on the desktop.
#pragma once

#include <vector>

#include "desktop_composer.h"
#include "wayland_desktop.h"

namespace qg::show {

// False when the compositor has no screen copier, fails an output, offers a
// buffer layout we do not read, or has not finished by the deadline.
bool CopyOutputs(WaylandDesktop& desktop, Deadline deadline, std::vector<OutputBuffer>* buffers);

}  // namespace qg::show
