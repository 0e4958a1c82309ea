// Frames per second of the whole show (spine, message pump, clock, scene,
// swap) at 1024 x 768 with a 1920 x 1080 snapshot, against a bare loop in the
// same run that draws the same two textured quadrilaterals and nothing else.
// Each round times the first FRAMES frames (450: the view has not begun to
// drift), from the first presented frame to the last, by the wall clock and
// by the process's CPU time. Runs under its own private Xvfb; rounds
// alternate so that drift in the machine's load hits both, and the median of
// their ratios is the result. The swap interval is 0 (QG_SWAP_INTERVAL, and
// vblank_mode for Mesa), so the uncapped rate is measured.
// Usage: renderer_fps_bench [FRAMES] [ROUNDS]
#include <GL/gl.h>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <vector>

#include "bench_picture.h"
#include "process.h"
#include "renderer_app.h"
#include "scene.h"
#include "snapshot_loader.h"
#include "test_xserver.h"
#include "x11_gl_context.h"
#include "x11_renderer_platform.h"
#include "x11_show_window.h"

using Clock = std::chrono::steady_clock;


// CPU seconds of this process, all threads (the software rasteriser's
// included): frames per CPU second are far steadier than per wall second on
// a machine others share.
double CpuSeconds() {
  timespec t;
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return t.tv_sec + t.tv_nsec * 1e-9;
}

struct Rate {
  double perSecond = 0.0;     // frames per wall-clock second
  double perCpuSecond = 0.0;  // frames per CPU second of the process
};

Rate RateOf(long frames, Clock::time_point first, Clock::time_point last, double cpuFirst, double cpuLast) {
  Rate r;
  const double s = std::chrono::duration<double>(last - first).count();
  if (frames > 1 && s > 0) r.perSecond = (frames - 1) / s;
  if (frames > 1 && cpuLast > cpuFirst) r.perCpuSecond = (frames - 1) / (cpuLast - cpuFirst);
  return r;
}

namespace {

// The show on the real X11 platform, ended by a close request once the round
// is over; frames are counted where they are presented.
class TimedPlatform final : public RendererPlatform, public DrawingTarget, public EventSource {
 public:
  explicit TimedPlatform(long frames) : wanted_(frames) {}
  bool Connect(std::string* why) override { return x_.Connect(why); }
  void Disconnect() override { x_.Disconnect(); }
  DisplayModeControl& DisplayMode() override { return x_.DisplayMode(); }
  void SetCursorVisible(bool visible) override { x_.SetCursorVisible(visible); }
  DrawingTarget& Target() override { return *this; }
  EventSource& Events() override { return *this; }
  void ShowErrorBox(const std::string& text) override { x_.ShowErrorBox(text); }
  LoaderPlatform& Loader() override { return x_.Loader(); }

  // The real target, with the frames timed.
  bool Open(const std::string& t, int w, int h, const PixelFormatRequest& r) override {
    return x_.Target().Open(t, w, h, r);
  }
  bool HasPixelFormat() override { return x_.Target().HasPixelFormat(); }
  void ClientSize(int* w, int* h) override { x_.Target().ClientSize(w, h); }
  void MarkPainted() override { x_.Target().MarkPainted(); }
  void HoldOffScreenSaver(bool hold) override { x_.Target().HoldOffScreenSaver(hold); }
  void Close() override { x_.Target().Close(); }
  bool CreateContext() override { return x_.Target().CreateContext(); }
  void DestroyContext() override { x_.Target().DestroyContext(); }
  void PresentFrame() override {
    x_.Target().PresentFrame();
    if (frames_ >= wanted_) return;
    const auto now = Clock::now();
    const double cpu = CpuSeconds();
    if (frames_++ == 0) {
      first_ = now;
      cpuFirst_ = cpu;
    }
    last_ = now;
    cpuLast_ = cpu;
  }

  // The real events, and the close once the round is over.
  bool Next(RendererMessage* m) override {
    if (frames_ >= wanted_ && !closed_) {
      closed_ = true;
      *m = RendererMessage{kMsgClose, 0, 0};
      return true;
    }
    return x_.Events().Next(m);
  }
  intptr_t DefaultHandling(const RendererMessage& m) override { return x_.Events().DefaultHandling(m); }

  Rate Measured() const { return RateOf(frames_, first_, last_, cpuFirst_, cpuLast_); }

 private:
  X11RendererPlatform x_;
  long wanted_;
  long frames_ = 0;
  bool closed_ = false;
  Clock::time_point first_, last_;
  double cpuFirst_ = 0.0, cpuLast_ = 0.0;
};

Rate RunShow(long wanted) {
  ResetSceneState();
  TimedPlatform platform(wanted);
  if (RendererMain(platform) != 0) return Rate{};
  return platform.Measured();
}

// The reference: the same window, visual, projection, fixed state and
// texture, and a loop of clear, two textured quadrilaterals, swap.
Rate RunBareLoop(long wanted, const std::string& snapshot) {
  Display* display = XOpenDisplay(nullptr);
  if (!display) return Rate{};
  X11GLContext gl;
  PixelFormatRequest request;
  X11ShowWindow window;
  if (!gl.ChooseVisual(display, request) || !window.Create(display, gl.visual(), "bare loop", 0, 0, 1024, 768)) {
    XCloseDisplay(display);
    return Rate{};
  }
  window.Map();
  gl.Create(display, window.window());
  ResizeScene(1024, 768);
  PosixLoaderPlatform loader([](const std::string&) {});
  LoadTexturesFrom(loader, snapshot);
  SetSceneGlState();
  glDisable(GL_BLEND);
  glColor4f(1, 1, 1, 1);

  long frames = 0;
  float offset = 0.0f;
  Clock::time_point first, last;
  double cpuFirst = 0.0, cpuLast = 0.0;
  for (;;) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    glBindTexture(GL_TEXTURE_2D, SceneTextures[0]);
    offset += 0.001f;
    glBegin(GL_QUADS);
    glTexCoord2f(0, 3 + offset); glVertex3f(-300, -15.5f, -300);
    glTexCoord2f(3, 3 + offset); glVertex3f(300, -15.5f, -300);
    glTexCoord2f(3, offset);     glVertex3f(300, -15.5f, 500);
    glTexCoord2f(0, offset);     glVertex3f(-300, -15.5f, 500);
    glEnd();
    glBegin(GL_QUADS);
    glTexCoord2f(0, 3 + offset); glVertex3f(-300, -10.5f, -300);
    glTexCoord2f(3, 3 + offset); glVertex3f(300, -10.5f, -300);
    glTexCoord2f(3, offset);     glVertex3f(300, 80.5f, 500);
    glTexCoord2f(0, offset);     glVertex3f(-300, 80.5f, 500);
    glEnd();
    gl.Swap();
    const auto now = Clock::now();
    const double cpu = CpuSeconds();
    if (frames++ == 0) {
      first = now;
      cpuFirst = cpu;
    }
    last = now;
    cpuLast = cpu;
    if (frames >= wanted) break;
  }
  glDeleteTextures(1, &SceneTextures[0]);
  SceneTextures[0] = 0;
  gl.Destroy();
  window.Destroy();
  XCloseDisplay(display);
  return RateOf(frames, first, last, cpuFirst, cpuLast);
}

}  // namespace

int main(int argc, char** argv) {
  const long frames = argc > 1 ? std::atol(argv[1]) : 450;
  const int rounds = argc > 2 ? std::atoi(argv[2]) : 5;
  // Both sides draw uncapped: the show's own request and Mesa's default.
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

  std::printf("round  show fps  bare fps  ratio   show f/cpu-s  bare f/cpu-s  ratio\n");
  std::vector<double> ratios, cpuRatios;
  double showSum = 0, bareSum = 0, showCpuSum = 0, bareCpuSum = 0;
  for (int r = 0; r < rounds; ++r) {
    // Alternate which goes first, so neither always meets the same load.
    Rate bare, show;
    if (r % 2 == 0) {
      bare = RunBareLoop(frames, snapshot);
      show = RunShow(frames);
    } else {
      show = RunShow(frames);
      bare = RunBareLoop(frames, snapshot);
    }
    const double ratio = bare.perSecond > 0 ? show.perSecond / bare.perSecond : 0.0;
    const double cpuRatio = bare.perCpuSecond > 0 ? show.perCpuSecond / bare.perCpuSecond : 0.0;
    ratios.push_back(ratio);
    cpuRatios.push_back(cpuRatio);
    showSum += show.perSecond;
    bareSum += bare.perSecond;
    showCpuSum += show.perCpuSecond;
    bareCpuSum += bare.perCpuSecond;
    std::printf("%5d  %8.1f  %8.1f  %5.3f   %12.1f  %12.1f  %5.3f\n", r + 1, show.perSecond, bare.perSecond, ratio,
                show.perCpuSecond, bare.perCpuSecond, cpuRatio);
    std::fflush(stdout);
  }
  auto median = [](std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0.0 : v[v.size() / 2];
  };
  std::printf("mean   %8.1f  %8.1f  %5.3f   %12.1f  %12.1f  %5.3f\n", showSum / rounds, bareSum / rounds,
              bareSum > 0 ? showSum / bareSum : 0.0, showCpuSum / rounds, bareCpuSum / rounds,
              bareCpuSum > 0 ? showCpuSum / bareCpuSum : 0.0);
  std::printf("median ratio: %.3f per wall second, %.3f per CPU second  (goal: >= 0.95)\n", median(ratios),
              median(cpuRatios));
  return 0;
}
