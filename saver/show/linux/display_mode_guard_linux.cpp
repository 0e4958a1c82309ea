// The guard of the display system the show runs on.
#include "display_mode_guard.h"

#include "display_system.h"
#include "wayland/wayland_mode_guard.h"
#include "x11/xrandr_mode_guard.h"

namespace qg::show {

std::unique_ptr<DisplayModeGuard> MakeDisplayModeGuard() {
  if (ChooseDisplaySystem() == DisplaySystem::kWayland) return MakeWaylandModeGuard();
  return MakeXrandrModeGuard();
}

}  // namespace qg::show
