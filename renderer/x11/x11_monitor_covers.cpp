#include "x11_monitor_covers.h"

#include "xrandr_modes.h"

namespace {

// The active CRTCs as rectangles, read after the mode switch so the switched
// monitor has its new size.
std::vector<MonitorRect> ActiveMonitors(Display* display) {
  std::vector<MonitorRect> monitors;
  if (!qg::xrandr::HasRandr12(display)) return monitors;
  qg::xrandr::Resources res = qg::xrandr::CurrentResources(display);
  if (!res) return monitors;
  for (int i = 0; i < res->ncrtc; ++i) {
    XRRCrtcInfo* crtc = XRRGetCrtcInfo(display, res.get(), res->crtcs[i]);
    if (!crtc) continue;
    if (crtc->mode != 0 && crtc->width > 0 && crtc->height > 0)
      monitors.push_back({crtc->x, crtc->y, static_cast<int>(crtc->width), static_cast<int>(crtc->height)});
    XRRFreeCrtcInfo(crtc);
  }
  return monitors;
}

}  // namespace

void X11MonitorCovers::CoverOtherMonitors() {
  if (!display_) return;
  const int screen = DefaultScreen(display_);
  covers_.Follow(
      ActiveMonitors(display_),
      [&](const MonitorRect& m) {
        XSetWindowAttributes attributes = {};
        attributes.background_pixel = BlackPixel(display_, screen);
        // Above the desktop without a window manager's say, and never given focus.
        attributes.override_redirect = True;
        const Window cover =
            XCreateWindow(display_, RootWindow(display_, screen), m.x, m.y, static_cast<unsigned>(m.width),
                          static_cast<unsigned>(m.height), 0, CopyFromParent, InputOutput, CopyFromParent,
                          CWBackPixel | CWOverrideRedirect, &attributes);
        if (cover) {
          XStoreName(display_, cover, kCoverCaption);
          XMapRaised(display_, cover);
        }
        return cover;
      },
      [&](Window cover) { XDestroyWindow(display_, cover); });
  XSync(display_, False);
}

void X11MonitorCovers::Uncover() {
  if (!display_ || covers_.empty()) return;
  covers_.Clear([&](Window cover) { XDestroyWindow(display_, cover); });
  XSync(display_, False);
}
