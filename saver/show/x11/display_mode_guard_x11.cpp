// XRandR: the layout before the show and the output the renderer switches
// (the same choice as the renderer's, xrandr_modes.h). Restoring puts only
// that output back, so monitors the user plugged in or out meanwhile stay as
// they are, and a renderer that put its mode back itself leaves nothing to do.
#include "xrandr_mode_guard.h"

#include "x_error_trap.h"
#include "xrandr_modes.h"

namespace qg::show {

namespace {

// A connection of its own for each look: the guard is used twice a show.
class Connection {
 public:
  Connection() : display_(XOpenDisplay(nullptr)) {}
  ~Connection() {
    if (display_) XCloseDisplay(display_);
  }
  Display* get() const { return display_; }

 private:
  Display* display_;
};

class XrandrModeGuard final : public DisplayModeGuard {
 public:
  bool Remember() override {
    Connection dpy;
    remembered_ = dpy.get() && xrandr::ReadShowLayout(dpy.get(), &layout_);
    return remembered_;
  }

  bool Changed() override {
    Connection dpy;
    xrandr::ShowLayout now;
    const xrandr::CrtcState* was = layout_.before.Find(layout_.crtc);
    if (!remembered_ || !dpy.get() || !was) return false;
    xrandr::ReadShowLayout(dpy.get(), &now);  // reads the screen whatever lies at (0, 0) now
    const xrandr::CrtcState* is = now.before.Find(layout_.crtc);
    return is && is->mode != 0 && !is->SameMode(*was);
  }

  bool RestoreIfChanged() override {
    if (!remembered_) return true;
    Connection dpy;
    if (!dpy.get()) return false;
    XErrorTrap trap(dpy.get());
    return xrandr::RestoreShowOutput(dpy.get(), layout_) && !trap.Failed();
  }

 private:
  xrandr::ShowLayout layout_;
  bool remembered_ = false;
};

}  // namespace

std::unique_ptr<DisplayModeGuard> MakeXrandrModeGuard() { return std::make_unique<XrandrModeGuard>(); }

}  // namespace qg::show
