// Frames per second of the whole show at 1024 x 768 with a 1920 x 1080
// snapshot on X11, against a bare loop in the same run that draws the same
// two textured quadrilaterals and nothing else with the same window, visual,
// projection, state and texture (fps_rounds.h). Runs under its own private
// Xvfb.
// Usage: renderer_fps_bench [FRAMES] [ROUNDS]
#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/stat.h>

#include "bench_picture.h"
#include "fps_rounds.h"
#include "process.h"
#include "test_xserver.h"
#include "x11_gl_context.h"
#include "x11_renderer_platform.h"
#include "x11_show_window.h"

namespace {

qgbench::Rate RunBareLoop(long frames, const std::string& snapshot) {
  Display* display = XOpenDisplay(nullptr);
  if (!display) return {};
  X11GLContext gl;
  PixelFormatRequest request;
  X11ShowWindow window;
  qgbench::Rate rate;
  if (gl.ChooseVisual(display, request) && window.Create(display, gl.visual(), "bare loop", 0, 0, 1024, 768)) {
    window.Map();
    gl.Create(display, window.window());
    qgbench::PrepareBareScene(snapshot);
    rate = qgbench::RunBareFrames(frames, [&gl] { gl.Swap(); });
    gl.Destroy();
    window.Destroy();
  }
  XCloseDisplay(display);
  return rate;
}

}  // namespace

int main(int argc, char** argv) {
  const long frames = argc > 1 ? std::atol(argv[1]) : 450;
  const int rounds = argc > 2 ? std::atoi(argv[2]) : 5;
  setenv("QG_SWAP_INTERVAL", "0", 1);
  setenv("vblank_mode", "0", 1);
  qgtest::TestXServer server;  // never the caller's display
  if (!server.ok()) {
    std::fprintf(stderr, "no private X server: %s\n", server.error().c_str());
    return 1;
  }
  setenv("DISPLAY", server.display().c_str(), 1);
  qgtest::TempDir runtime;
  setenv("XDG_RUNTIME_DIR", runtime.path().c_str(), 1);
  mkdir((runtime.path() + "/kestrow").c_str(), 0700);
  const std::string snapshot = runtime.path() + "/kestrow/Wobblevista.bmp";
  qgbench::WriteDesktopPicture(snapshot, 1920, 1080);
  return qgbench::RunRounds(
      rounds,
      [&] {
        X11RendererPlatform platform;
        return qgbench::RunShow(platform, frames);
      },
      [&] { return RunBareLoop(frames, snapshot); });
}
