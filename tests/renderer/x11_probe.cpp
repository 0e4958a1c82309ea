#include "x11_probe.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/Xrandr.h>
#include <X11/extensions/scrnsaver.h>
#include <cstdlib>

bool Near(const Rgb& a, const Rgb& b, int tolerance) {
  return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance && std::abs(a.b - b.b) <= tolerance;
}

std::string ToString(const Rgb& c) {
  return "(" + std::to_string(c.r) + "," + std::to_string(c.g) + "," + std::to_string(c.b) + ")";
}

namespace {

// Windows come and go while the probe looks (the error box closes between a
// tree query and a property read): a vanished window is an empty answer,
// not a reason for Xlib to end the test.
int IgnoreXErrors(Display*, XErrorEvent*) { return 0; }

}  // namespace

X11Probe::X11Probe(const std::string& displayName) {
  XSetErrorHandler(IgnoreXErrors);
  display_ = XOpenDisplay(displayName.c_str());
}

X11Probe::~X11Probe() {
  if (display_) XCloseDisplay(display_);
}

Window X11Probe::Search(Window w, const std::string& caption) {
  char* name = nullptr;
  if (XFetchName(display_, w, &name) && name) {
    const bool match = caption == name;
    XFree(name);
    if (match) return w;
  }
  Window root, parent, *children = nullptr;
  unsigned count = 0;
  if (!XQueryTree(display_, w, &root, &parent, &children, &count)) return 0;
  Window found = 0;
  for (unsigned i = 0; i < count && !found; ++i) found = Search(children[i], caption);
  if (children) XFree(children);
  return found;
}

Window X11Probe::FindWindowByCaption(const std::string& caption) {
  XSync(display_, False);
  return Search(DefaultRootWindow(display_), caption);
}

std::string X11Probe::TextProperty(Window window, const char* property, const char* type) {
  Atom actual;
  int format;
  unsigned long count, after;
  unsigned char* data = nullptr;
  std::string text;
  if (XGetWindowProperty(display_, window, XInternAtom(display_, property, False), 0, 1024, False,
                         XInternAtom(display_, type, False), &actual, &format, &count, &after, &data) == Success &&
      data) {
    if (format == 8) text.assign(reinterpret_cast<char*>(data), count);
    XFree(data);
  }
  return text;
}

std::string X11Probe::ClassHint(Window window) {
  XClassHint hint = {};
  if (!XGetClassHint(display_, window, &hint)) return {};
  std::string text = std::string(hint.res_name ? hint.res_name : "") + "/" + (hint.res_class ? hint.res_class : "");
  if (hint.res_name) XFree(hint.res_name);
  if (hint.res_class) XFree(hint.res_class);
  return text;
}

Window X11Probe::TransientFor(Window window) {
  Window owner = 0;
  return XGetTransientForHint(display_, window, &owner) ? owner : 0;
}

bool X11Probe::Geometry(Window window, int* x, int* y, int* width, int* height) {
  XWindowAttributes a;
  if (!XGetWindowAttributes(display_, window, &a)) return false;
  Window child;
  XTranslateCoordinates(display_, window, DefaultRootWindow(display_), 0, 0, x, y, &child);
  *width = a.width;
  *height = a.height;
  return true;
}

Rgb X11Probe::Pixel(int x, int y) {
  Rgb c;
  XImage* image = XGetImage(display_, DefaultRootWindow(display_), x, y, 1, 1, AllPlanes, ZPixmap);
  if (!image) return Rgb{-1, -1, -1};
  const unsigned long p = XGetPixel(image, 0, 0);
  auto channel = [p](unsigned long mask) {
    int shift = 0;
    while (mask && !(mask & 1)) {
      mask >>= 1;
      ++shift;
    }
    const unsigned long v = (p >> shift) & mask;
    return mask ? static_cast<int>(v * 255 / mask) : 0;
  };
  c.r = channel(image->red_mask);
  c.g = channel(image->green_mask);
  c.b = channel(image->blue_mask);
  XDestroyImage(image);
  return c;
}

void X11Probe::Key(const char* keysymName) {
  const KeyCode code = XKeysymToKeycode(display_, XStringToKeysym(keysymName));
  XTestFakeKeyEvent(display_, code, True, CurrentTime);
  XTestFakeKeyEvent(display_, code, False, CurrentTime);
  XSync(display_, False);
}

void X11Probe::MoveTo(int x, int y) {
  XTestFakeMotionEvent(display_, DefaultScreen(display_), x, y, CurrentTime);
  XSync(display_, False);
}

void X11Probe::Click(int button) {
  XTestFakeButtonEvent(display_, static_cast<unsigned>(button), True, CurrentTime);
  XTestFakeButtonEvent(display_, static_cast<unsigned>(button), False, CurrentTime);
  XSync(display_, False);
}

void X11Probe::SendDeleteWindow(Window window) {
  XEvent e = {};
  e.xclient.type = ClientMessage;
  e.xclient.window = window;
  e.xclient.message_type = XInternAtom(display_, "WM_PROTOCOLS", False);
  e.xclient.format = 32;
  e.xclient.data.l[0] = static_cast<long>(XInternAtom(display_, "WM_DELETE_WINDOW", False));
  e.xclient.data.l[1] = CurrentTime;
  XSendEvent(display_, window, False, NoEventMask, &e);
  XSync(display_, False);
}

bool X11Probe::CurrentMode(int* width, int* height) {
  const Window root = DefaultRootWindow(display_);
  XRRScreenResources* res = XRRGetScreenResourcesCurrent(display_, root);
  if (!res) return false;
  bool found = false;
  for (int i = 0; i < res->ncrtc && !found; ++i) {
    XRRCrtcInfo* crtc = XRRGetCrtcInfo(display_, res, res->crtcs[i]);
    if (crtc && crtc->mode != 0 && crtc->x == 0 && crtc->y == 0) {
      *width = static_cast<int>(crtc->width);
      *height = static_cast<int>(crtc->height);
      found = true;
    }
    if (crtc) XRRFreeCrtcInfo(crtc);
  }
  XRRFreeScreenResources(res);
  return found;
}

void X11Probe::ScreenSize(int* width, int* height) {
  // Ask the server afresh; Xlib's cached size lags behind RandR changes.
  Window root;
  int x, y;
  unsigned w = 0, h = 0, border, depth;
  XGetGeometry(display_, DefaultRootWindow(display_), &root, &x, &y, &w, &h, &border, &depth);
  *width = static_cast<int>(w);
  *height = static_cast<int>(h);
}

void X11Probe::SetSaverTimeout(int seconds) {
  XSetScreenSaver(display_, seconds, 0, DontPreferBlanking, AllowExposures);
  XSync(display_, False);
}

bool X11Probe::SaverOn() {
  XScreenSaverInfo* info = XScreenSaverAllocInfo();
  bool on = false;
  if (info && XScreenSaverQueryInfo(display_, DefaultRootWindow(display_), info)) on = info->state == ScreenSaverOn;
  if (info) XFree(info);
  return on;
}
