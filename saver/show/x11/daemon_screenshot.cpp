#include "daemon_screenshot.h"

#include <X11/Xatom.h>

#include "desktop_capture_x11.h"
#include "x_error_trap.h"

namespace qg::show {

bool ReadDaemonScreenshot(Display* dpy, Window window, DesktopPicture& picture) {
  picture = DesktopPicture{};
  const Atom property = XInternAtom(dpy, "_SCREENSAVER_SCREENSHOT", False);
  XErrorTrap trap(dpy);
  Atom type = None;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  const int status =
      XGetWindowProperty(dpy, window, property, 0, 1, False, XA_PIXMAP, &type, &format, &count, &after, &data);
  Pixmap pixmap = None;
  if (status == Success && type == XA_PIXMAP && format == 32 && count == 1 && data)
    pixmap = static_cast<Pixmap>(*reinterpret_cast<unsigned long*>(data));
  if (data) XFree(data);
  if (pixmap == None || trap.Failed()) return false;

  Window root;
  int x, y;
  unsigned width = 0, height = 0, border = 0, depth = 0;
  if (!XGetGeometry(dpy, pixmap, &root, &x, &y, &width, &height, &border, &depth) || trap.Failed()) return false;
  if (static_cast<int>(depth) != DefaultDepth(dpy, DefaultScreen(dpy)) || width == 0 || height == 0) return false;
  return CaptureDrawableOn(dpy, pixmap, static_cast<int>(width), static_cast<int>(height), picture) &&
         !trap.Failed();
}

}  // namespace qg::show
