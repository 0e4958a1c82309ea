// Quiverglide.dll: the full-screen show. Command-line arguments are ignored.
#include <cstdio>
#include <string>

#include "termination_signals.h"
#include "renderer_app.h"
#include "x11_renderer_platform.h"

int main() {
  qg::WatchTerminationSignals();
  X11RendererPlatform platform;
  std::string why;
  // Say why before the spine's own attempt, which only reports failure.
  if (!platform.Connect(&why)) {
    std::fprintf(stderr, "Quiverglide: the show window cannot be created: %s\n", why.c_str());
    return kExitNoWindow;
  }
  return RendererMain(platform);
}
