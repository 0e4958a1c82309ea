// XRandR: every CRTC's mode, position, rotation and outputs, and the screen
// size, as they were before the show. Restoring switches back only what
// differs, so a renderer that put things back itself leaves nothing to do.
#include "xrandr_mode_guard.h"

#include <vector>

#include "x_error_trap.h"
#include "xrandr_modes.h"

namespace qg::show {

namespace {

using xrandr::CrtcState;
using xrandr::ScreenState;

bool ReadState(Display* dpy, ScreenState& state) {
  if (!xrandr::HasRandr12(dpy)) return false;
  xrandr::Resources res = xrandr::CurrentResources(dpy);
  if (!res) return false;
  xrandr::ReadScreen(dpy, res.get(), &state);
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
    xrandr::Resources res = xrandr::CurrentResources(dpy);
    if (!res) return false;
    XErrorTrap trap(dpy);
    XGrabServer(dpy);
    // Changed CRTCs are switched off first, so the screen can take its old
    // size whether that is smaller or larger than the one left behind.
    std::vector<const CrtcState*> back;
    for (const CrtcState& was : saved_.crtcs) {
      for (const CrtcState& cur : now.crtcs) {
        if (cur.crtc != was.crtc || cur.SameMode(was)) continue;
        CrtcState off;
        off.crtc = cur.crtc;
        xrandr::SetCrtc(dpy, res.get(), off);
        back.push_back(&was);
      }
    }
    if (now.width != saved_.width || now.height != saved_.height) {
      xrandr::SetScreenSize(dpy, saved_.width, saved_.height, saved_.mmWidth, saved_.mmHeight);
    }
    for (const CrtcState* was : back) xrandr::SetCrtc(dpy, res.get(), *was);
    XUngrabServer(dpy);
    return !trap.Failed();
  }

  ScreenState saved_;
  bool remembered_ = false;
};

}  // namespace

std::unique_ptr<DisplayModeGuard> MakeXrandrModeGuard() { return std::make_unique<XrandrModeGuard>(); }

}  // namespace qg::show
