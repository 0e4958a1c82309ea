#include "x_probe.h"

#include <X11/extensions/XTest.h>
#include <X11/extensions/Xrandr.h>

namespace showtest {

namespace {

int g_errors = 0;
int IgnoreError(Display*, XErrorEvent*) {
  ++g_errors;
  return 0;
}

Window Search(Display* dpy, Window w, const std::string& caption, int depth) {
  char* name = nullptr;
  if (XFetchName(dpy, w, &name) && name) {
    const bool match = caption == name;
    XFree(name);
    if (match) return w;
  }
  if (depth == 0) return 0;
  for (Window c : Children(dpy, w)) {
    if (Window found = Search(dpy, c, caption, depth - 1)) return found;
  }
  return 0;
}

}  // namespace

std::vector<Window> Children(Display* dpy, Window parent) {
  Window root_ret, parent_ret, *kids = nullptr;
  unsigned n = 0;
  std::vector<Window> out;
  XErrorHandler old = XSetErrorHandler(IgnoreError);
  if (XQueryTree(dpy, parent, &root_ret, &parent_ret, &kids, &n)) {
    out.assign(kids, kids + n);
    if (kids) XFree(kids);
  }
  XSync(dpy, False);
  XSetErrorHandler(old);
  return out;
}

Window FindByCaption(Display* dpy, const std::string& caption) {
  XErrorHandler old = XSetErrorHandler(IgnoreError);
  Window w = Search(dpy, DefaultRootWindow(dpy), caption, 2);
  XSync(dpy, False);
  XSetErrorHandler(old);
  return w;
}

std::pair<int, int> WindowSize(Display* dpy, Window w) {
  XErrorHandler old = XSetErrorHandler(IgnoreError);
  XWindowAttributes a;
  std::pair<int, int> size{0, 0};
  if (XGetWindowAttributes(dpy, w, &a)) size = {a.width, a.height};
  XSync(dpy, False);
  XSetErrorHandler(old);
  return size;
}

void PressKey(Display* dpy, unsigned long keysym) {
  const KeyCode code = XKeysymToKeycode(dpy, keysym);
  XTestFakeKeyEvent(dpy, code, True, 0);
  XTestFakeKeyEvent(dpy, code, False, 0);
  XSync(dpy, False);
}

std::pair<int, int> ActiveModeSize(Display* dpy) {
  XRRScreenResources* res = XRRGetScreenResources(dpy, DefaultRootWindow(dpy));
  std::pair<int, int> size{0, 0};
  for (int i = 0; res && i < res->ncrtc; ++i) {
    XRRCrtcInfo* c = XRRGetCrtcInfo(dpy, res, res->crtcs[i]);
    if (c && c->mode != None && size.first == 0) size = {static_cast<int>(c->width), static_cast<int>(c->height)};
    if (c) XRRFreeCrtcInfo(c);
  }
  if (res) XRRFreeScreenResources(res);
  return size;
}

}  // namespace showtest
