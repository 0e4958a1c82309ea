// The display-mode guard on X11, over XRandR.
#pragma once

#include <memory>

#include "display_mode_guard.h"

namespace qg::show {

std::unique_ptr<DisplayModeGuard> MakeXrandrModeGuard();

}  // namespace qg::show
