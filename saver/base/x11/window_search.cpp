#include "x11/window_search.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include <cstdlib>
#include <vector>

namespace qg {
namespace x11 {
namespace {

bool g_error = false;

int TrapHandler(Display*, XErrorEvent*) {
  g_error = true;
  return 0;
}

std::string Latin1ToUtf8(const unsigned char* s, unsigned long n) {
  std::string out;
  for (unsigned long i = 0; i < n; ++i) {
    unsigned char c = s[i];
    if (c < 0x80) {
      out += char(c);
    } else {
      out += char(0xC0 | (c >> 6));
      out += char(0x80 | (c & 0x3F));
    }
  }
  return out;
}

bool ReadText(Display* d, Window w, Atom property, Atom& type, std::string& text) {
  Atom actual = None;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  if (XGetWindowProperty(d, w, property, 0, 4096, False, AnyPropertyType, &actual, &format, &count, &after, &data) !=
      Success)
    return false;
  bool ok = actual != None && format == 8 && data;
  if (ok) {
    type = actual;
    text.assign(reinterpret_cast<const char*>(data), count);
  }
  if (data) XFree(data);
  return ok;
}

bool HasProperty(Display* d, Window w, Atom property) {
  Atom actual = None;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  int rc = XGetWindowProperty(d, w, property, 0, 0, False, AnyPropertyType, &actual, &format, &count, &after, &data);
  if (data) XFree(data);
  return rc == Success && actual != None;
}

std::vector<Window> Children(Display* d, Window w) {
  Window root_ret = 0, parent_ret = 0;
  Window* kids = nullptr;
  unsigned int n = 0;
  std::vector<Window> out;
  if (XQueryTree(d, w, &root_ret, &parent_ret, &kids, &n) && kids) out.assign(kids, kids + n);
  if (kids) XFree(kids);
  return out;
}

// A managed client below a frame: the first window down the tree with WM_STATE.
Window FindClientBelow(Display* d, Window frame, Atom wm_state, int depth) {
  if (depth > 4) return 0;
  for (Window c : Children(d, frame)) {
    if (HasProperty(d, c, wm_state)) return c;
    if (Window inner = FindClientBelow(d, c, wm_state, depth + 1)) return inner;
  }
  return 0;
}

}  // namespace

Display* SharedDisplay() {
  static Display* display = [] {
    XInitThreads();
    return XOpenDisplay(nullptr);
  }();
  return display;
}

ErrorTrap::ErrorTrap(Display* display) : display_(display) {
  if (display_) XSync(display_, False);
  g_error = false;
  previous_ = XSetErrorHandler(TrapHandler);
}

ErrorTrap::~ErrorTrap() {
  if (display_) XSync(display_, False);
  XSetErrorHandler(previous_);
}

bool ErrorTrap::error() {
  if (display_) XSync(display_, False);
  return g_error;
}

std::string WindowCaption(Display* d, Window w) {
  if (!d || !w) return {};
  ErrorTrap trap(d);
  Atom net_wm_name = XInternAtom(d, "_NET_WM_NAME", False);
  Atom type = None;
  std::string text;
  if (ReadText(d, w, net_wm_name, type, text)) return text;
  if (ReadText(d, w, XA_WM_NAME, type, text)) {
    if (type == XA_STRING)
      return Latin1ToUtf8(reinterpret_cast<const unsigned char*>(text.data()), text.size());
    return text;  // UTF8_STRING, and compound text whose content is ASCII, as they are
  }
  return {};
}

Window FindTopLevelByCaption(Display* d, const std::string& caption) {
  if (!d) return 0;
  ErrorTrap trap(d);
  Atom wm_state = XInternAtom(d, "WM_STATE", False);
  for (int s = 0; s < ScreenCount(d); ++s) {
    for (Window top : Children(d, RootWindow(d, s))) {
      if (WindowCaption(d, top) == caption) return top;
      if (!HasProperty(d, top, wm_state)) {
        Window client = FindClientBelow(d, top, wm_state, 0);
        if (client && WindowCaption(d, client) == caption) return client;
      }
    }
  }
  return 0;
}

Window WindowAtPoint(Display* d, int x, int y) {
  if (!d) return 0;
  ErrorTrap trap(d);
  Window root = DefaultRootWindow(d);
  Window from = root, child = 0, last = 0;
  // Step down through the mapped child containing the point at each level.
  for (int depth = 0; depth < 64; ++depth) {
    int nx = 0, ny = 0;
    if (!XTranslateCoordinates(d, root, from, x, y, &nx, &ny, &child)) return last;
    if (!child) break;
    last = child;
    from = child;
  }
  if (trap.error()) return 0;
  return last ? last : root;
}

bool WindowScreenRect(Display* d, Window w, int& left, int& top, int& right, int& bottom) {
  left = top = right = bottom = 0;
  if (!d || !w) return false;
  ErrorTrap trap(d);
  XWindowAttributes a;
  if (!XGetWindowAttributes(d, w, &a)) return false;
  int rx = 0, ry = 0;
  Window child = 0;
  if (!XTranslateCoordinates(d, w, a.root, 0, 0, &rx, &ry, &child)) return false;
  if (trap.error()) return false;
  left = rx - a.border_width;
  top = ry - a.border_width;
  right = rx + a.width + a.border_width;
  bottom = ry + a.height + a.border_width;
  return true;
}

}  // namespace x11
}  // namespace qg
