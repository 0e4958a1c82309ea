// Quiverglide.dll on Linux: the full-screen show on Wayland when a compositor
// answers at $WAYLAND_DISPLAY, else on X11, the same choice the host makes
// (display_system.h); the show in a window the X11 daemon hands over
// (hosted_window.h) is X11's alone. Command-line arguments are ignored.
#include <cstdio>
#include <csignal>
#include <string>
#include <sys/prctl.h>
#include <unistd.h>

#include "display_system.h"
#include "hosted_window.h"
#include "renderer_app.h"
#include "termination_signals.h"
#include "wayland_renderer_platform.h"
#include "x11_renderer_platform.h"

namespace {

int Run(RendererPlatform& platform) {
  std::string why;
  // Say why before the spine's own attempt, which only reports failure.
  if (!platform.Connect(&why)) {
    std::fprintf(stderr, "Quiverglide: the show window cannot be created: %s\n", why.c_str());
    return kExitNoWindow;
  }
  return RendererMain(platform);
}

}  // namespace

int main() {
  qg::WatchTerminationSignals();
  const unsigned long hostedWindow = qg::HostedWindowFromEnvironment();
  if (hostedWindow != 0) {
    // The daemon may kill our host outright; the show must not outlive it.
    prctl(PR_SET_PDEATHSIG, SIGTERM);
    if (getppid() == 1) return 0;  // the host is already gone
  } else if (qg::ChooseDisplaySystem() == qg::DisplaySystem::kWayland) {
    WaylandRendererPlatform platform;
    return Run(platform);
  }
  X11RendererPlatform platform(static_cast<Window>(hostedWindow));
  return Run(platform);
}
