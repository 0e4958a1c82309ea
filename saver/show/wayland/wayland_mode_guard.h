// The display-mode guard on a Wayland desktop.
#pragma once

#include <memory>

#include "display_mode_guard.h"

namespace qg::show {

// Guards nothing: the renderer never switches a mode there (it scales its
// picture to the output instead), so a killed renderer leaves none behind.
std::unique_ptr<DisplayModeGuard> MakeWaylandModeGuard();

}  // namespace qg::show
