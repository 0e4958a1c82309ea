// A show on big desktops: `Quiverglide.scr /s` to the renderer's first frame
// showing the desktop, and the peak resident memory (VmHWM) of the host and
// of the renderer shortly after that frame, at 1024 x 768, 1920 x 1080,
// 3840 x 2160 and 7680 x 4320, each on its own dummy-driver Xorg. Against,
// in the same run:
//   - the floor: one bare process doing the same work in a row
//     (show_bare_big_start: XGetImage, write, GLX window and context, RGB,
//     gluBuild2DMipmaps, one textured frame and its swap);
//   - optionally the programs of another build (QG_BENCH_BEFORE_BIN, a
//     folder with Quiverglide.scr and Quiverglide.dll), run alternately.
// Memory goals are set against each program's own 1024 x 768 figure.
// Needs root. Usage: big_desktop_bench [repetitions]   (default 3; medians)
#include <X11/Xlib.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "desktop_pattern.h"
#include "peak_memory.h"
#include "show_bench_support.h"

using namespace qgbench;

namespace {

struct Size {
  int w, h;
};

// A dummy-driver screen of exactly this size, with the 1024 x 768 mode the
// renderer switches to. Slow pixel clocks keep every mode within the driver's
// limits; nothing is ever scanned out.
std::string WriteXorgConf(const std::string& folder, Size s) {
  const std::string path = folder + "/xorg-" + std::to_string(s.w) + ".conf";
  std::ofstream c(path);
  const long videoKiB = static_cast<long>(s.w) * s.h * 4 / 1024 + 32768;
  c << "Section \"Device\"\n  Identifier \"dummy\"\n  Driver \"dummy\"\n  VideoRam " << videoKiB << "\nEndSection\n";
  c << "Section \"Monitor\"\n  Identifier \"mon\"\n  HorizSync 1.0-1000.0\n  VertRefresh 1.0-200.0\n"
    << "  Option \"ReducedBlanking\" \"true\"\n";
  // 50 Hz where the clock allows, slower on the biggest screens.
  const double clock = std::min(200.0, (s.w + 160.0) * (s.h + 30.0) * 50 / 1e6);
  c << "  Modeline \"" << s.w << "x" << s.h << "\" " << clock << " " << s.w << " " << s.w + 48 << " " << s.w + 80 << " "
    << s.w + 160 << " " << s.h << " " << s.h + 3 << " " << s.h + 8 << " " << s.h + 30 << " +hsync +vsync\n";
  if (s.w != 1024)
    c << "  Modeline \"1024x768\" 65.00 1024 1048 1184 1344 768 771 777 806 -hsync -vsync\n";
  c << "EndSection\nSection \"Screen\"\n  Identifier \"screen\"\n  Device \"dummy\"\n  Monitor \"mon\"\n"
    << "  DefaultDepth 24\n  SubSection \"Display\"\n    Depth 24\n    Virtual " << s.w << " " << s.h << "\n    Modes \""
    << s.w << "x" << s.h << "\"" << (s.w != 1024 ? " \"1024x768\"" : "") << "\n  EndSubSection\nEndSection\n";
  return path;
}

// The renderer: the host's child.
pid_t ChildOf(pid_t parent) {
  for (int tries = 0; tries < 200; ++tries) {
    for (int pid = 2; pid < 4194304; ++pid) {
      std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
      if (!stat) {
        if (pid > 65536) break;
        continue;
      }
      std::string all((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
      const size_t close = all.rfind(')');
      if (close == std::string::npos) continue;
      char state;
      int ppid = 0;
      if (std::sscanf(all.c_str() + close + 1, " %c %d", &state, &ppid) == 2 && ppid == parent) return pid;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return -1;
}

struct ShowRun {
  double startMs = -1;
  long hostKiB = 0, rendererKiB = 0;
};

ShowRun RunShow(Display* dpy, const std::string& bin) {
  ShowRun run;
  const auto t0 = Clock::now();
  const pid_t host = Spawn({bin + "/Quiverglide.scr", "/s"});
  run.startMs = TimeUntil(dpy, t0, FirstDesktopFrame);
  const pid_t renderer = ChildOf(host);
  // After the first frames: the texture is built and the host has had its
  // first watch tick (500 ms), where it fills its picture.
  std::this_thread::sleep_for(std::chrono::milliseconds(800));
  run.hostKiB = PeakKiB(host);
  run.rendererKiB = renderer > 0 ? PeakKiB(renderer) : 0;
  PressEscape(dpy);
  if (!WaitExit(host, 8000)) Kill(host, SIGKILL), WaitExit(host, 2000);
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  return run;
}

// The floor, timed to the line it prints after its frame.
double RunFloor(const std::string& file) {
  int out = -1;
  const auto t0 = Clock::now();
  const pid_t pid = SpawnReading({QG_BARE_BIG_PATH, file}, &out);
  const double ms = pid > 0 ? UntilLine(out, t0) : -1;
  Kill(pid, SIGKILL);
  WaitExit(pid, 2000);
  unlink(file.c_str());
  return ms;
}

struct Side {
  std::vector<double> start, host, renderer;
};

}  // namespace

int main(int argc, char** argv) {
  const int reps = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
  if (geteuid() != 0) {
    std::fprintf(stderr, "big_desktop_bench: needs root for the dummy-driver Xorg\n");
    return 2;
  }
  const char* beforeEnv = std::getenv("QG_BENCH_BEFORE_BIN");
  const std::string after = QG_BIN_DIR_PATH, before = beforeEnv ? beforeEnv : "";
  char runtime[] = "/tmp/qg-big-bench-XXXXXX";
  if (!mkdtemp(runtime)) return 2;
  setenv("XDG_RUNTIME_DIR", runtime, 1);
  setenv("XDG_CONFIG_HOME", runtime, 1);
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  setenv("QG_SWAP_INTERVAL", "0", 1);
  setenv("vblank_mode", "0", 1);

  const std::vector<Size> sizes = {{1024, 768}, {1920, 1080}, {3840, 2160}, {7680, 4320}};
  std::map<int, Side> ours, theirs;
  std::map<int, std::vector<double>> floors;
  for (const Size s : sizes) {
    pid_t xorg = -1;
    const int display = StartXorg(WriteXorgConf(runtime, s), xorg);
    if (display < 0) {
      std::fprintf(stderr, "no Xorg at %d x %d (see /tmp/qg-show-bench-xorg.log)\n", s.w, s.h);
      continue;
    }
    const std::string name = ":" + std::to_string(display);
    setenv("DISPLAY", name.c_str(), 1);
    Display* dpy = XOpenDisplay(name.c_str());
    if (!dpy || DisplayWidth(dpy, 0) != s.w || DisplayHeight(dpy, 0) != s.h || !showtest::PaintRootPattern(dpy)) {
      std::fprintf(stderr, "the X server at %d x %d cannot be used\n", s.w, s.h);
      if (dpy) XCloseDisplay(dpy);
      Kill(xorg, SIGTERM);
      WaitExit(xorg, 5000);
      continue;
    }
    for (int r = 0; r < reps; ++r) {
      floors[s.w].push_back(RunFloor(std::string(runtime) + "/floor.bin"));
      // Alternate which build goes first.
      for (int k = 0; k < 2; ++k) {
        const bool mine = (k == 0) == (r % 2 == 0);
        if (!mine && before.empty()) continue;
        const ShowRun run = RunShow(dpy, mine ? after : before);
        Side& side = mine ? ours[s.w] : theirs[s.w];
        side.start.push_back(run.startMs);
        side.host.push_back(run.hostKiB / 1024.0);
        side.renderer.push_back(run.rendererKiB / 1024.0);
      }
      showtest::PaintRootPattern(dpy);  // the mode switch and back may have cleared it
    }
    XCloseDisplay(dpy);
    Kill(xorg, SIGTERM);
    WaitExit(xorg, 5000);
  }

  std::printf("medians of %d; start in ms, peaks in MiB; picture = width x height x 4 bytes\n", reps);
  auto report = [&](const char* label, std::map<int, Side>& sides) {
    if (sides.empty()) return;
    const double hostBase = MedianOf(sides[1024].host), rendBase = MedianOf(sides[1024].renderer);
    std::printf("\n%s\n%-12s %8s %8s %6s  %9s %7s  %9s %7s\n", label, "desktop", "start", "floor", "ratio", "host",
                "above/p", "renderer", "above/p");
    for (const Size s : sizes) {
      if (!sides.count(s.w)) continue;
      Side& side = sides[s.w];
      const double picture = double(s.w) * s.h * 4 / (1024.0 * 1024.0);
      const double start = MedianOf(side.start), floor = MedianOf(floors[s.w]);
      const double host = MedianOf(side.host), rend = MedianOf(side.renderer);
      std::printf("%5d x %-4d %8.0f %8.0f %6.2f  %9.1f %7.2f  %9.1f %7.2f\n", s.w, s.h, start, floor,
                  floor > 0 ? start / floor : 0.0, host, s.w == 1024 ? 0.0 : (host - hostBase) / picture, rend,
                  s.w == 1024 ? 0.0 : (rend - rendBase) / picture);
    }
  };
  report(("this build: " + after).c_str(), ours);
  if (!before.empty()) report(("the other build: " + before).c_str(), theirs);
  std::printf("\ngoals: start <= 1.25 x floor at 1920 x 1080 and <= 1.0 x at 7680 x 4320; host above its\n"
              "1024 x 768 figure <= 1.25 x the picture, renderer <= 2 x, at every size\n");
  std::string cleanup = std::string("rm -rf ") + runtime;
  return std::system(cleanup.c_str()) == 0 ? 0 : 1;
}
