// Quiverglide.dll: the full-screen show, or the show in a window the host
// names in the environment (hosted_window.h). Command-line arguments are
// ignored.
#include <cstdio>
#include <csignal>
#include <string>
#include <sys/prctl.h>
#include <unistd.h>

#include "hosted_window.h"
#include "termination_signals.h"
#include "renderer_app.h"
#include "x11_renderer_platform.h"

int main() {
  qg::WatchTerminationSignals();
  // A write to a server that has gone is an error Xlib reports, not a
  // signal that kills the show before it can end cleanly.
  std::signal(SIGPIPE, SIG_IGN);
  const unsigned long hostedWindow = qg::HostedWindowFromEnvironment();
  if (hostedWindow != 0) {
    // The daemon may kill our host outright; the show must not outlive it.
    prctl(PR_SET_PDEATHSIG, SIGTERM);
    if (getppid() == 1) return 0;  // the host is already gone
  }
  X11RendererPlatform platform(static_cast<Window>(hostedWindow));
  std::string why;
  // Say why before the spine's own attempt, which only reports failure.
  if (!platform.Connect(&why)) {
    std::fprintf(stderr, "Quiverglide: the show window cannot be created: %s\n", why.c_str());
    return kExitNoWindow;
  }
  return RendererMain(platform);
}
