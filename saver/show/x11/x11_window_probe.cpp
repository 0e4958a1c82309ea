#include "window_probe.h"

#include <X11/Xlib.h>

#include "x_error_trap.h"

namespace qg::show {

namespace {

// One connection kept for the life of the program: the preview asks several
// times a second, and a new connection each time would cost far more.
Display* Connection() {
  static Display* dpy = XOpenDisplay(nullptr);
  return dpy;
}

}  // namespace

bool ProbeWindow(uint64_t id, WindowSize* size) {
  // 0 is no window, and an id beyond 29 bits can never be one (X ids are 29-bit).
  if (id == 0 || id > 0x1FFFFFFFu) return false;
  Display* dpy = Connection();
  if (!dpy) return false;
  XErrorTrap trap(dpy);
  XWindowAttributes attrs;
  const Status st = XGetWindowAttributes(dpy, static_cast<Window>(id), &attrs);
  if (!st || trap.Failed()) return false;
  if (size) {
    size->width = attrs.width;
    size->height = attrs.height;
  }
  return true;
}

}  // namespace qg::show
