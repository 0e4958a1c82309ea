// Frames per second of the whole show at 1024 x 768 with a 1920 x 1080
// snapshot on Wayland, against a bare EGL loop in the same run that draws the
// same two textured quadrilaterals and nothing else on the same kind of
// surface (an overlay layer surface scaled to its output), with the same
// config, projection, state and texture (fps_rounds.h). Runs on its own
// private headless sway, so as root (sway runs as the tests' user).
// Usage: renderer_wayland_fps_bench [FRAMES] [ROUNDS]
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "bench_picture.h"
#include "fps_rounds.h"
#include "process.h"
#include "snapshot_path.h"
#include "test_sway.h"
#include "wayland_connection.h"
#include "wayland_fullscreen_surface.h"
#include "wayland_gl_context.h"
#include "wayland_renderer_platform.h"

namespace {

qgbench::Rate RunBareLoop(long frames, const std::string& snapshot) {
  WaylandConnection connection;
  if (!connection.Connect(nullptr)) return {};
  WaylandOutput* output = ShowOutput(connection.outputs());
  WaylandFullscreenSurface surface(connection, output ? output->output : nullptr, "bare loop", true, true);
  WaylandGLContext gl;
  qgbench::Rate rate;
  if (surface.Create() && surface.WaitConfigured() && gl.ChooseConfig(connection.display(), PixelFormatRequest{}) &&
      gl.Create(surface.surface(), 1024, 768)) {
    qgbench::PrepareBareScene(snapshot);
    rate = qgbench::RunBareFrames(frames, [&gl] { gl.Swap(); });
  }
  gl.Release();  // before the surface and the connection go
  return rate;
}

}  // namespace

int main(int argc, char** argv) {
  const long frames = argc > 1 ? std::atol(argv[1]) : 450;
  const int rounds = argc > 2 ? std::atoi(argv[2]) : 5;
  setenv("QG_SWAP_INTERVAL", "0", 1);
  setenv("vblank_mode", "0", 1);
  // An output of the show's own size: the compositor then copies the frames
  // without scaling them, which would otherwise bound both sides alike.
  qgtest::TestSway sway(1024, 768);  // never the caller's session
  if (!sway.ok()) {
    std::fprintf(stderr, "no private sway: %s\n", sway.error().c_str());
    return 1;
  }
  setenv("WAYLAND_DISPLAY", sway.socket().c_str(), 1);
  unsetenv("DISPLAY");
  qgtest::TempDir runtime;
  setenv("XDG_RUNTIME_DIR", runtime.path().c_str(), 1);
  if (!qg::EnsureSnapshotFolder()) return 1;
  const std::string snapshot = qg::SnapshotFilePath();
  qgbench::WriteDesktopPicture(snapshot, 1920, 1080);
  return qgbench::RunRounds(
      rounds,
      [&] {
        WaylandRendererPlatform platform;
        return qgbench::RunShow(platform, frames);
      },
      [&] { return RunBareLoop(frames, snapshot); });
}
