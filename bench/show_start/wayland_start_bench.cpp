// A show's start on a Wayland desktop, side by side in one run on a private
// headless sway at 1920 x 1080 (software rendering):
//   - `Quiverglide.scr /s` to the renderer's first frame showing the desktop
//     (the dark distance between the sheets and the desktop's colour, read
//     with wlr-screencopy), and the peak memory (VmHWM) of the host and the
//     renderer 800 ms after it;
//   - the floor: one bare process doing the same work in a row
//     (show_bare_wayland_start: screencopy, write, layer surface and EGL,
//     gluBuild2DMipmaps, one textured frame), timed to its frame on the
//     screen in the same way (and to the line it prints, for the record);
//   - what the Wayland libraries themselves cost in memory: the peak of a
//     bare Qt window (show_bare_qt_start) on Qt's Wayland platform against the
//     same on its X11 platform, for the host; for the renderer, the peak of a
//     bare GL program doing only what any GL program of the show's kind must
//     (show_bare_wayland_start --gl and show_bare_big_start --gl: the surface
//     or window, a context, the texture of a 1920 x 1080 picture built with
//     gluBuild2DMipmaps, a few frames and swaps) on each display system. The
//     two floors' peaks are compared too, for the record: they also copy the
//     desktop, each in its own system's way, which the renderer does not.
// Needs root (sway runs as a user of its own). Usage: wayland_start_bench [repetitions]  (default 5; medians)
#include <X11/Xlib.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "desktop_pattern.h"
#include "peak_memory.h"
#include "screencopy.h"
#include "show_bench_support.h"
#include "test_sway.h"
#include "wayland_desktop.h"

using namespace qgbench;

namespace {

// The show's first frame on the first output: much of the desktop's blue, and
// the dark band between the sheets, which the desktop has none of.
// A copy that failed (a compositor too busy for the deadline) leaves the
// connection in no known state: the next look makes a new one.
bool ShowFrame(std::unique_ptr<qg::show::WaylandDesktop>& desktop) {
  const auto deadline = Clock::now() + std::chrono::seconds(2);
  std::vector<qg::show::OutputBuffer> buffers;
  if (!desktop) desktop = std::make_unique<qg::show::WaylandDesktop>(deadline);
  if (!desktop->answered() || !qg::show::CopyOutputs(*desktop, deadline, &buffers) || buffers.empty()) {
    desktop.reset();
    return false;
  }
  const qg::show::OutputBuffer& b = buffers[0];
  long blue = 0, dark = 0;
  for (int y = 0; y < b.height; y += 4) {
    const uint8_t* row = b.pixels.get() + size_t(y) * b.stride;
    for (int x = 0; x < b.width; x += 4) {
      const uint8_t* px = row + 4 * x;  // B, G, R, X
      blue += px[0] > 2 * px[2] && px[0] > px[1] + 30;
      dark += px[0] + px[1] + px[2] < 60;
    }
  }
  const long all = long(b.width / 4) * (b.height / 4);
  return blue * 4 > all && dark * 100 > all;
}

pid_t ChildOf(pid_t parent) {
  if (parent <= 0) return -1;
  std::ifstream kids("/proc/" + std::to_string(parent) + "/task/" + std::to_string(parent) + "/children");
  long pid = -1;
  kids >> pid;
  return pid_t(pid);
}

struct Run {
  double ms = -1, hostMiB = 0, rendererMiB = 0;
};

// Time from t0 to the first frame on the screen, looked for every 5 ms over a
// connection made beforehand, so that each look is one copy of the output.
double UntilFrame(std::unique_ptr<qg::show::WaylandDesktop>& desktop, Clock::time_point t0) {
  while (Ms(t0, Clock::now()) < 20000) {
    if (ShowFrame(desktop)) return Ms(t0, Clock::now());
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return -1;
}

Run Show(const qgtest::TestSway& sway, const std::string& bin) {
  Run run;
  auto desktop = std::make_unique<qg::show::WaylandDesktop>(Clock::now() + std::chrono::seconds(5));
  const auto t0 = Clock::now();
  const pid_t host = Spawn({bin + "/Quiverglide.scr", "/s"});
  if (host <= 0) return run;
  run.ms = UntilFrame(desktop, t0);
  std::this_thread::sleep_for(std::chrono::milliseconds(800));
  run.hostMiB = PeakKiB(host) / 1024.0;
  const pid_t renderer = ChildOf(host);
  run.rendererMiB = renderer > 0 ? PeakKiB(renderer) / 1024.0 : 0;
  sway.PressKey("Escape");
  if (!WaitExit(host, 8000)) Kill(host, SIGKILL), WaitExit(host, 2000);
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  return run;
}

// The floor, timed to its frame on the screen as the show is (and to its line).
Run Floor(const std::string& file, double* lineMs) {
  Run run;
  auto desktop = std::make_unique<qg::show::WaylandDesktop>(Clock::now() + std::chrono::seconds(5));
  int out = -1;
  const auto t0 = Clock::now();
  const pid_t pid = SpawnReading({QG_BARE_WAYLAND_PATH, file}, &out);
  if (pid <= 0) return run;
  std::thread line([&] { *lineMs = UntilLine(out, t0); });
  run.ms = UntilFrame(desktop, t0);
  line.join();
  run.rendererMiB = PeakKiB(pid) / 1024.0;
  Kill(pid, SIGKILL);
  WaitExit(pid, 2000);
  unlink(file.c_str());
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  return run;
}

// Frames the bare GL programs draw: enough for the buffers a GL program keeps
// once it draws frame after frame, as the show does by the time it is read.
constexpr const char* kBareGlFrames = "30";

// A bare program held open after its line: its peak in MiB.
double BarePeak(const std::vector<std::string>& args) {
  int out = -1;
  const pid_t pid = SpawnReading(args, &out);
  if (pid <= 0) return 0;
  UntilLine(out, Clock::now());
  const double mib = PeakKiB(pid) / 1024.0;
  Kill(pid, SIGKILL);
  WaitExit(pid, 2000);
  return mib;
}

// A bare Qt window (show_bare_qt_start, held open) on a platform: its peak in MiB.
double BareQt(const std::string& platform) {
  setenv("QT_QPA_PLATFORM", platform.c_str(), 1);
  setenv("QG_BARE_QT_HOLD", "1", 1);
  const double mib = BarePeak({QG_BARE_QT_PATH});
  unsetenv("QT_QPA_PLATFORM");
  unsetenv("QG_BARE_QT_HOLD");
  return mib;
}

}  // namespace

int main(int argc, char** argv) {
  const int reps = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
  if (!qgtest::TestSway::Available()) {
    std::fprintf(stderr, "wayland_start_bench: needs root, sway, grim and wtype\n");
    return 2;
  }
  char runtime[] = "/tmp/qg-wl-bench-XXXXXX";
  if (!mkdtemp(runtime)) return 2;
  setenv("XDG_RUNTIME_DIR", runtime, 1);
  setenv("XDG_CONFIG_HOME", runtime, 1);
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  setenv("vblank_mode", "0", 1);
  const std::string bin = QG_BIN_DIR_PATH;

  std::vector<double> show, floor, floorLine, host, renderer, floorMiB, qtWayland, qtX11, glWayland, glX11;
  {
    qgtest::TestSway sway(1920, 1080, "#3060c0", "output * bg #3060c0 solid_color");
    if (!sway.ok()) {
      std::fprintf(stderr, "no sway: %s\n", sway.error().c_str());
      return 2;
    }
    setenv("WAYLAND_DISPLAY", sway.socket().c_str(), 1);
    unsetenv("DISPLAY");
    for (int r = 0; r < reps; ++r) {
      // Alternate which goes first.
      for (int k = 0; k < 2; ++k) {
        if ((k == 0) == (r % 2 == 0)) {
          double line = -1;
          const Run f = Floor(std::string(runtime) + "/floor.bin", &line);
          floor.push_back(f.ms), floorMiB.push_back(f.rendererMiB), floorLine.push_back(line);
        } else {
          const Run s = Show(sway, bin);
          show.push_back(s.ms), host.push_back(s.hostMiB), renderer.push_back(s.rendererMiB);
        }
      }
      qtWayland.push_back(BareQt("wayland"));
      glWayland.push_back(BarePeak({QG_BARE_WAYLAND_PATH, "--gl", kBareGlFrames}));
    }
    unsetenv("WAYLAND_DISPLAY");
  }
  // The same on X11, in the same run: a dummy-driver Xorg of 1920 x 1080 with
  // the 1024 x 768 mode the renderer switches to, the desktop a known pattern.
  std::vector<double> xHost, xRenderer, xFloorMiB;
  pid_t xorg = -1;
  const int display = StartXorg(QG_BENCH_XORG_CONF, xorg);
  Display* dpy = display >= 0 ? XOpenDisplay((":" + std::to_string(display)).c_str()) : nullptr;
  if (dpy && showtest::PaintRootPattern(dpy)) {
    setenv("DISPLAY", (":" + std::to_string(display)).c_str(), 1);
    for (int r = 0; r < reps; ++r) {
      qtX11.push_back(BareQt("xcb"));
      glX11.push_back(BarePeak({QG_BARE_BIG_PATH, "--gl", kBareGlFrames}));
      xFloorMiB.push_back(BarePeak({QG_BARE_BIG_PATH, std::string(runtime) + "/floor.bin"}));
      const auto t0 = Clock::now();
      const pid_t host = Spawn({bin + "/Quiverglide.scr", "/s"});
      TimeUntil(dpy, t0, FirstDesktopFrame);
      std::this_thread::sleep_for(std::chrono::milliseconds(800));
      xHost.push_back(PeakKiB(host) / 1024.0);
      xRenderer.push_back(ChildOf(host) > 0 ? PeakKiB(ChildOf(host)) / 1024.0 : 0);
      PressEscape(dpy);
      if (!WaitExit(host, 8000)) Kill(host, SIGKILL), WaitExit(host, 2000);
      showtest::PaintRootPattern(dpy);
    }
  }
  if (dpy) XCloseDisplay(dpy);
  if (xorg > 0) Kill(xorg, SIGTERM), WaitExit(xorg, 5000);

  std::printf("medians of %d, headless sway 1920 x 1080, software rendering\n", reps);
  std::printf("start to the first frame: show %.0f ms, floor %.0f ms, ratio %.2f (goal <= 1.25)\n", MedianOf(show),
              MedianOf(floor), MedianOf(floor) > 0 ? MedianOf(show) / MedianOf(floor) : 0.0);
  std::printf("the floor to its own line (no screen read): %.0f ms\n", MedianOf(floorLine));
  std::printf("peak memory (MiB): host %.1f, renderer %.1f, floor %.1f\n", MedianOf(host), MedianOf(renderer),
              MedianOf(floorMiB));
  std::printf("on X11 (MiB): host %.1f, renderer %.1f, floor %.1f\n", MedianOf(xHost), MedianOf(xRenderer),
              MedianOf(xFloorMiB));
  const double hostAbove = MedianOf(host) - MedianOf(xHost), qtAbove = MedianOf(qtWayland) - MedianOf(qtX11);
  const double rendererAbove = MedianOf(renderer) - MedianOf(xRenderer), glAbove = MedianOf(glWayland) - MedianOf(glX11);
  std::printf("Wayland above X11 (MiB): host %+.1f, renderer %+.1f\n", hostAbove, rendererAbove);
  std::printf("the libraries' own: a bare Qt window %.1f on Wayland against %.1f on X11 (%+.1f); a bare GL program\n"
              "(%s frames) %.1f against %.1f (%+.1f); the bare floors, each copying the desktop its own way, %+.1f\n",
              MedianOf(qtWayland), MedianOf(qtX11), qtAbove, kBareGlFrames, MedianOf(glWayland), MedianOf(glX11), glAbove,
              MedianOf(floorMiB) - MedianOf(xFloorMiB));
  std::printf("beyond the libraries' own (MiB): host %+.1f, renderer %+.1f\n", hostAbove - qtAbove,
              rendererAbove - glAbove);
  const auto at = [](const std::vector<double>& v, size_t i) { return i < v.size() ? v[i] : -1.0; };
  for (size_t i = 0; i < show.size(); ++i)
    std::printf("  run %zu: show %.0f ms, floor %.0f ms; renderer %.1f MiB (X11 %.1f), bare GL %.1f (X11 %.1f)\n", i + 1,
                show[i], at(floor, i), at(renderer, i), at(xRenderer, i), at(glWayland, i), at(glX11, i));
  std::string cleanup = std::string("rm -rf ") + runtime;
  return std::system(cleanup.c_str()) == 0 ? 0 : 1;
}
