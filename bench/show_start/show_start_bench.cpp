// How long a show takes to start: from `Quiverglide.scr /s` to the renderer's
// first frame showing the desktop, at 1920 x 1080, split into its stages and
// each stage set against its floor measured in the same run:
//   capture           vs a bare XGetImage of the root window
//   save              vs a bare write() of the same bytes
//   renderer start    vs a bare GLX program's start to its first frame
//   decode + texture  vs a bare gluBuild2DMipmaps of the same picture
// Needs root (a dummy-driver Xorg offering 1920x1080 and 1024x768).
// Usage: show_start_bench [repetitions]   (default 5; medians are reported)
#include <GL/gl.h>
#include <GL/glu.h>
#include <GL/glx.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/Xrandr.h>
#include <X11/keysym.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <functional>
#include <iterator>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

#include "bitmap_decoder.h"
#include "desktop_capture.h"
#include "desktop_pattern.h"
#include "x11/desktop_capture_x11.h"
#include "snapshot_path.h"
#include "snapshot_writer.h"
#include "show_bench_support.h"

namespace {

// Medians by default; QG_BENCH_MIN=1 reports the best run of each instead,
// which a busy machine disturbs less.
double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  if (v.empty()) return 0;
  const char* best = std::getenv("QG_BENCH_MIN");
  return best && best[0] == '1' ? v.front() : v[v.size() / 2];
}

using namespace qgbench;

// The screen size as the server has it now (a fresh connection sees it anew).
std::pair<int, int> ScreenSizeNow() {
  Display* fresh = XOpenDisplay(nullptr);
  if (!fresh) return {0, 0};
  std::pair<int, int> size{DisplayWidth(fresh, 0), DisplayHeight(fresh, 0)};
  XCloseDisplay(fresh);
  return size;
}

// What the renderer's display-mode switch costs by itself: the first active
// CRTC to 1024 x 768 (screen size following) and back. Not one of the floors;
// printed to explain the renderer's start. -1 when it cannot be done.
double ModeSwitchMs(Display* dpy) {
  Window root = DefaultRootWindow(dpy);
  XRRScreenResources* res = XRRGetScreenResources(dpy, root);
  if (!res) return -1;
  double ms = -1;
  for (int i = 0; i < res->ncrtc && ms < 0; ++i) {
    XRRCrtcInfo* c = XRRGetCrtcInfo(dpy, res, res->crtcs[i]);
    if (!c || c->mode == None) {
      if (c) XRRFreeCrtcInfo(c);
      continue;
    }
    for (int m = 0; m < res->nmode; ++m) {
      if (res->modes[m].width != 1024 || res->modes[m].height != 768) continue;
      const int sw = DisplayWidth(dpy, 0), sh = DisplayHeight(dpy, 0);
      const int mw = DisplayWidthMM(dpy, 0), mh = DisplayHeightMM(dpy, 0);
      const auto t0 = Clock::now();
      XRRSetCrtcConfig(dpy, res, res->crtcs[i], CurrentTime, 0, 0, res->modes[m].id, c->rotation, c->outputs,
                       c->noutput);
      XRRSetScreenSize(dpy, root, 1024, 768, mw * 1024 / sw, mh * 768 / sh);
      XSync(dpy, False);
      ms = Ms(t0, Clock::now());
      XRRSetScreenSize(dpy, root, sw, sh, mw, mh);
      XRRSetCrtcConfig(dpy, res, res->crtcs[i], CurrentTime, c->x, c->y, c->mode, c->rotation, c->outputs,
                       c->noutput);
      XSync(dpy, False);
      break;
    }
    XRRFreeCrtcInfo(c);
  }
  XRRFreeScreenResources(res);
  return ms;
}

// A GL context for the texture floor, on an unmapped window.
struct GlContext {
  Window window = 0;
  GLXContext ctx = nullptr;
  bool Make(Display* dpy) {
    int attrs[] = {GLX_RGBA, GLX_DOUBLEBUFFER, GLX_DEPTH_SIZE, 16, None};
    XVisualInfo* vi = glXChooseVisual(dpy, DefaultScreen(dpy), attrs);
    if (!vi) return false;
    XSetWindowAttributes wa{};
    wa.colormap = XCreateColormap(dpy, DefaultRootWindow(dpy), vi->visual, AllocNone);
    window = XCreateWindow(dpy, DefaultRootWindow(dpy), 0, 0, 64, 64, 0, vi->depth, InputOutput, vi->visual,
                           CWColormap, &wa);
    ctx = glXCreateContext(dpy, vi, nullptr, True);
    return ctx && glXMakeCurrent(dpy, window, ctx);
  }
};

double BuildTexture(const ImageData& image) {
  GLuint name = 0;
  glGenTextures(1, &name);
  glBindTexture(GL_TEXTURE_2D, name);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  const auto t0 = Clock::now();
  gluBuild2DMipmaps(GL_TEXTURE_2D, 3, image.width, image.height, GL_RGB, GL_UNSIGNED_BYTE, image.pixels.data());
  glFinish();
  const double ms = Ms(t0, Clock::now());
  glDeleteTextures(1, &name);
  return ms;
}

// The mode switch and back may have cleared the root window's picture.
void PaintRootPatternAgain(Display* dpy) { showtest::PaintRootPattern(dpy); }

}  // namespace

int main(int argc, char** argv) {
  const int reps = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
  if (geteuid() != 0) {
    std::fprintf(stderr, "show_start_bench: needs root for the dummy-driver Xorg\n");
    return 2;
  }
  pid_t xorg = -1;
  const int display = StartXorg(QG_BENCH_XORG_CONF, xorg);
  if (display < 0) {
    std::fprintf(stderr, "show_start_bench: Xorg did not start (see /tmp/qg-show-bench-xorg.log)\n");
    return 2;
  }
  const std::string dispName = ":" + std::to_string(display);
  char runtime[] = "/tmp/qg-show-bench-XXXXXX";
  mkdtemp(runtime);
  setenv("DISPLAY", dispName.c_str(), 1);
  setenv("XDG_RUNTIME_DIR", runtime, 1);
  setenv("XDG_CONFIG_HOME", runtime, 1);
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  Display* dpy = XOpenDisplay(dispName.c_str());
  if (!dpy || !showtest::PaintRootPattern(dpy)) {
    std::fprintf(stderr, "show_start_bench: cannot use the X server\n");
    return 2;
  }
  const int W = DisplayWidth(dpy, 0), H = DisplayHeight(dpy, 0);
  const char* best = std::getenv("QG_BENCH_MIN");
  std::printf("screen %d x %d, %d repetitions, %s in ms\n", W, H, reps,
              best && best[0] == '1' ? "best runs" : "medians");
  qg::EnsureSnapshotFolder();
  const std::string snap = qg::SnapshotFilePath();
  const std::string bin = QG_BIN_DIR_PATH;
  GlContext gl;
  if (!gl.Make(dpy)) {
    std::fprintf(stderr, "show_start_bench: no GLX context\n");
    return 2;
  }

  std::vector<double> fGet, fWrite, fGlx, fMip, capture, save, decode, texture, renderer, whole, modeSwitch, captureShm, qtStart;
  for (int r = 0; r < reps; ++r) {
    // Floors.
    auto t0 = Clock::now();
    XImage* img = XGetImage(dpy, DefaultRootWindow(dpy), 0, 0, W, H, AllPlanes, ZPixmap);
    fGet.push_back(Ms(t0, Clock::now()));
    const size_t bytes = 54 + static_cast<size_t>(W) * H * 4;
    std::vector<char> same(bytes, 1);
    std::memcpy(same.data() + 54, img->data, bytes - 54);
    XDestroyImage(img);
    const std::string bare = std::string(runtime) + "/bare.bin";
    t0 = Clock::now();
    int fd = open(bare.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    for (size_t off = 0; off < bytes;) off += static_cast<size_t>(write(fd, same.data() + off, bytes - off));
    close(fd);
    fWrite.push_back(Ms(t0, Clock::now()));
    unlink(bare.c_str());

    t0 = Clock::now();
    pid_t g = Spawn({QG_BARE_GLX_PATH});
    fGlx.push_back(TimeUntil(dpy, t0, Magenta));
    Kill(g, SIGKILL);
    WaitExit(g, 2000);

    modeSwitch.push_back(ModeSwitchMs(dpy));
#ifdef QG_BARE_QT_PATH
    t0 = Clock::now();
    pid_t q = Spawn({QG_BARE_QT_PATH});
    if (WaitExit(q, 10000)) qtStart.push_back(Ms(t0, Clock::now()));
#endif
    PaintRootPatternAgain(dpy);

    // Our stages, in process.
    qg::show::DesktopPicture pic;
    t0 = Clock::now();
    qg::show::CaptureDesktop(pic);
    capture.push_back(Ms(t0, Clock::now()));
    {
      // The other way, for the record: MIT-SHM on a fresh connection.
      qg::show::DesktopPicture viaShm;
      t0 = Clock::now();
      Display* own = XOpenDisplay(nullptr);
      qg::show::CaptureDesktopOn(own, true, viaShm);
      XCloseDisplay(own);
      captureShm.push_back(Ms(t0, Clock::now()));
    }
    // As a show finds it: the last show removed its snapshot.
    unlink(snap.c_str());
    t0 = Clock::now();
    qg::show::WriteSnapshotFile(pic, snap);
    save.push_back(Ms(t0, Clock::now()));
    std::ifstream in(snap, std::ios::binary);
    std::vector<uint8_t> file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    t0 = Clock::now();
    DecodeResult decoded = DecodeBitmap(file.data(), file.size());
    decode.push_back(Ms(t0, Clock::now()));
    texture.push_back(BuildTexture(decoded.image));
    // The floor: the same build on the same picture, nothing else.
    fMip.push_back(BuildTexture(decoded.image));

    // The renderer alone, on the snapshot just written.
    t0 = Clock::now();
    pid_t rp = Spawn({bin + "/Quiverglide.dll"});
    renderer.push_back(TimeUntil(dpy, t0, FirstDesktopFrame));
    PressEscape(dpy);
    if (!WaitExit(rp, 5000)) Kill(rp, SIGKILL), WaitExit(rp, 2000);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));

    // The whole show start.
    if (access((bin + "/Quiverglide.scr").c_str(), X_OK) != 0) continue;
    t0 = Clock::now();
    pid_t sp = Spawn({bin + "/Quiverglide.scr", "/s"});
    whole.push_back(TimeUntil(dpy, t0, FirstDesktopFrame));
    PressEscape(dpy);
    if (!WaitExit(sp, 5000)) Kill(sp, SIGKILL), WaitExit(sp, 2000);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    const auto mode = ScreenSizeNow();
    if (mode.first != W || mode.second != H) std::fprintf(stderr, "warning: screen left at %dx%d\n", mode.first, mode.second);
  }

  const double mCap = Median(capture), mSave = Median(save), mDec = Median(decode), mTex = Median(texture);
  const double mRend = Median(renderer), mWhole = Median(whole);
  const double rendStart = mRend - mDec - mTex;
  const double hostRest = mWhole - mRend - mCap - mSave;
  const double floors = Median(fGet) + Median(fWrite) + Median(fGlx) + Median(fMip);
  std::printf("%-34s %9s %9s %7s\n", "stage", "ours", "floor", "ratio");
  auto row = [](const char* name, double ours, double floor) {
    std::printf("%-34s %9.1f %9.1f %7.2f\n", name, ours, floor, floor > 0 ? ours / floor : 0.0);
  };
  row("capture (vs bare XGetImage)", mCap, Median(fGet));
  std::printf("  the same capture through MIT-SHM: %.1f\n", Median(captureShm));
  row("save (vs bare write)", mSave, Median(fWrite));
  row("renderer start (vs bare GLX start)", rendStart, Median(fGlx));
  row("decode + texture (vs bare mipmaps)", mDec + mTex, Median(fMip));
  std::printf("  decode %.1f, texture build %.1f\n", mDec, mTex);
  std::printf("renderer alone to first desktop frame: %.1f\n", mRend);
  std::printf("  of which a bare switch to 1024 x 768 would be: %.1f\n", Median(modeSwitch));
  std::printf("host start-up and the rest (derived): %.1f\n", hostRest);
  if (!qtStart.empty()) std::printf("  of which a bare Qt program's start to its first window would be: %.1f\n", Median(qtStart));
  row("WHOLE START (vs sum of floors)", mWhole, floors);
  std::printf("goal: whole start under 1.5 x sum of floors: %s\n", mWhole < 1.5 * floors ? "met" : "NOT met");

  XCloseDisplay(dpy);
  Kill(xorg, SIGTERM);
  WaitExit(xorg, 5000);
  std::string cleanup = std::string("rm -rf ") + runtime;
  return std::system(cleanup.c_str()) == 0 ? 0 : 1;
}
