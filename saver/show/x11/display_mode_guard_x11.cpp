// XRandR: every CRTC's mode, position, rotation and outputs, and the screen
// size, as they were before the show. Restoring switches back only what
// differs, so a renderer that put things back itself leaves nothing to do.
#include "display_mode_guard.h"

#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>

#include <vector>

#include "x_error_trap.h"

namespace qg::show {

namespace {

struct CrtcState {
  RRCrtc crtc = 0;
  RRMode mode = 0;
  int x = 0, y = 0;
  Rotation rotation = RR_Rotate_0;
  std::vector<RROutput> outputs;

  bool SameMode(const CrtcState& o) const {
    return mode == o.mode && x == o.x && y == o.y && rotation == o.rotation;
  }
};

struct ScreenState {
  int width = 0, height = 0, mmWidth = 0, mmHeight = 0;
  std::vector<CrtcState> crtcs;
};

bool ReadState(Display* dpy, ScreenState& state) {
  int ev, err;
  if (!XRRQueryExtension(dpy, &ev, &err)) return false;
  int major = 0, minor = 0;
  if (!XRRQueryVersion(dpy, &major, &minor) || major < 1 || (major == 1 && minor < 2)) return false;
  const int screen = DefaultScreen(dpy);
  Window root = RootWindow(dpy, screen);
  XRRScreenResources* res = XRRGetScreenResourcesCurrent(dpy, root);
  if (!res) return false;
  state = ScreenState{};
  state.width = DisplayWidth(dpy, screen);
  state.height = DisplayHeight(dpy, screen);
  state.mmWidth = DisplayWidthMM(dpy, screen);
  state.mmHeight = DisplayHeightMM(dpy, screen);
  for (int i = 0; i < res->ncrtc; ++i) {
    XRRCrtcInfo* info = XRRGetCrtcInfo(dpy, res, res->crtcs[i]);
    if (!info) continue;
    CrtcState c;
    c.crtc = res->crtcs[i];
    c.mode = info->mode;
    c.x = info->x;
    c.y = info->y;
    c.rotation = info->rotation;
    c.outputs.assign(info->outputs, info->outputs + info->noutput);
    state.crtcs.push_back(std::move(c));
    XRRFreeCrtcInfo(info);
  }
  XRRFreeScreenResources(res);
  return true;
}

bool Differs(const ScreenState& a, const ScreenState& b) {
  if (a.width != b.width || a.height != b.height) return true;
  for (const CrtcState& was : a.crtcs) {
    for (const CrtcState& now : b.crtcs) {
      if (now.crtc == was.crtc && !now.SameMode(was)) return true;
    }
  }
  return false;
}

class XrandrModeGuard final : public DisplayModeGuard {
 public:
  bool Remember() override {
    Display* dpy = XOpenDisplay(nullptr);
    if (!dpy) return false;
    remembered_ = ReadState(dpy, saved_);
    XCloseDisplay(dpy);
    return remembered_;
  }

  bool Changed() override {
    if (!remembered_) return false;
    Display* dpy = XOpenDisplay(nullptr);
    if (!dpy) return false;
    ScreenState now;
    const bool changed = ReadState(dpy, now) && Differs(saved_, now);
    XCloseDisplay(dpy);
    return changed;
  }

  bool RestoreIfChanged() override {
    if (!remembered_) return true;
    Display* dpy = XOpenDisplay(nullptr);
    if (!dpy) return false;
    ScreenState now;
    bool ok = ReadState(dpy, now);
    if (ok && Differs(saved_, now)) ok = Restore(dpy, now);
    XCloseDisplay(dpy);
    return ok;
  }

 private:
  bool Restore(Display* dpy, const ScreenState& now) {
    const int screen = DefaultScreen(dpy);
    Window root = RootWindow(dpy, screen);
    XRRScreenResources* res = XRRGetScreenResourcesCurrent(dpy, root);
    if (!res) return false;
    XErrorTrap trap(dpy);
    XGrabServer(dpy);
    // Changed CRTCs are switched off first, so the screen can take its old
    // size whether that is smaller or larger than the one left behind.
    std::vector<const CrtcState*> back;
    for (const CrtcState& was : saved_.crtcs) {
      for (const CrtcState& cur : now.crtcs) {
        if (cur.crtc != was.crtc || cur.SameMode(was)) continue;
        XRRSetCrtcConfig(dpy, res, cur.crtc, CurrentTime, 0, 0, None, RR_Rotate_0, nullptr, 0);
        back.push_back(&was);
      }
    }
    if (now.width != saved_.width || now.height != saved_.height) {
      XRRSetScreenSize(dpy, root, saved_.width, saved_.height, saved_.mmWidth, saved_.mmHeight);
    }
    for (const CrtcState* was : back) {
      XRRSetCrtcConfig(dpy, res, was->crtc, CurrentTime, was->x, was->y, was->mode, was->rotation,
                       const_cast<RROutput*>(was->outputs.data()), static_cast<int>(was->outputs.size()));
    }
    XUngrabServer(dpy);
    const bool failed = trap.Failed();
    XRRFreeScreenResources(res);
    return !failed;
  }

  ScreenState saved_;
  bool remembered_ = false;
};

}  // namespace

std::unique_ptr<DisplayModeGuard> MakeDisplayModeGuard() { return std::make_unique<XrandrModeGuard>(); }

}  // namespace qg::show
