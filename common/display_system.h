// Which display system the programs show on: Wayland when $WAYLAND_DISPLAY
// names a compositor that answers, else X11, as before. Both programs ask
// the same question, so they always agree.
#pragma once

#include <string>

namespace qg {

enum class DisplaySystem { kX11, kWayland };

DisplaySystem ChooseDisplaySystem();

// The desktop session the programs' marks belong to (session_marker.h): the
// Wayland display's, or the X display's.
std::string CurrentSession();

}  // namespace qg
