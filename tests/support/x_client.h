// The test's own client on its private X server: it finds windows, types,
// moves the pointer, reads the screen back and the RandR outputs, as another
// program would.
// Windows come and go while it looks, so a vanished window is an empty
// answer, not a reason for Xlib to end the test.
#pragma once

// gtest first: Xlib defines names gtest uses.
#include <gtest/gtest.h>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/Xrandr.h>

#include "process.h"

#include <chrono>
#include <string>
#include <utility>
#include <vector>

namespace qgtest {

class XClient {
 public:
  XClient() = default;
  explicit XClient(const std::string& display) { Connect(display); }
  ~XClient() { Disconnect(); }
  XClient(const XClient&) = delete;
  XClient& operator=(const XClient&) = delete;

  bool Connect(const std::string& display) {
    XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
    display_ = XOpenDisplay(display.c_str());
    return display_ != nullptr;
  }
  // Before the server stops: Xlib ends the program on a connection lost.
  void Disconnect() {
    if (display_) XCloseDisplay(display_);
    display_ = nullptr;
  }
  Display* display() const { return display_; }

  // The windows anywhere in the tree whose WM_NAME is the caption.
  std::vector<Window> WindowsCaptioned(const std::string& caption) {
    XSync(display_, False);
    std::vector<Window> found;
    Search(DefaultRootWindow(display_), caption, found);
    return found;
  }
  Window FindWindowByCaption(const std::string& caption) {  // 0 when none
    const std::vector<Window> found = WindowsCaptioned(caption);
    return found.empty() ? 0 : found.front();
  }
  Window WaitForWindow(const std::string& caption, std::chrono::milliseconds timeout) {  // 0 when none came
    Window w = 0;
    WaitUntil([&] { return (w = FindWindowByCaption(caption)) != 0; }, timeout);
    return w;
  }
  std::vector<Window> Children(Window parent) {
    Window root, up, *children = nullptr;
    unsigned count = 0;
    std::vector<Window> out;
    if (XQueryTree(display_, parent, &root, &up, &children, &count) && children) {
      out.assign(children, children + count);
      XFree(children);
    }
    return out;
  }
  std::pair<int, int> WindowSize(Window w) {  // {0, 0} when it is gone
    XWindowAttributes a;
    return XGetWindowAttributes(display_, w, &a) ? std::make_pair(a.width, a.height) : std::make_pair(0, 0);
  }
  // A plain top-level window of one colour, mapped outside any window
  // manager's say, as the screensaver daemon makes its own.
  Window MapWindow(int x, int y, int width, int height, unsigned long pixel) {
    XSetWindowAttributes attributes = {};
    attributes.background_pixel = pixel;
    attributes.override_redirect = True;
    const Window w = XCreateWindow(display_, DefaultRootWindow(display_), x, y, unsigned(width), unsigned(height), 0,
                                   CopyFromParent, InputOutput, CopyFromParent, CWBackPixel | CWOverrideRedirect,
                                   &attributes);
    XMapWindow(display_, w);
    XSync(display_, False);
    return w;
  }

  // The desktop's scale as GNOME, KDE and Xfce publish it on X11: Xft.dpi
  // among the root window's resources (96 is 100 %).
  void SetDesktopDpi(int dpi) {
    const std::string resources = "Xft.dpi:\t" + std::to_string(dpi) + "\n";
    XChangeProperty(display_, DefaultRootWindow(display_), XInternAtom(display_, "RESOURCE_MANAGER", False), XA_STRING,
                    8, PropModeReplace, reinterpret_cast<const unsigned char*>(resources.data()),
                    int(resources.size()));
    XSync(display_, False);
  }

  void Key(const char* keysymName) {
    const KeyCode code = XKeysymToKeycode(display_, XStringToKeysym(keysymName));
    XTestFakeKeyEvent(display_, code, True, CurrentTime);
    XTestFakeKeyEvent(display_, code, False, CurrentTime);
    XSync(display_, False);
  }
  void MoveTo(int x, int y) {
    XTestFakeMotionEvent(display_, DefaultScreen(display_), x, y, CurrentTime);
    XSync(display_, False);
  }
  // Whether another client holds the keyboard, as the show does once it is up
  // (it retries its own grab, so this look cannot keep it from the keyboard).
  bool KeyboardHeldByAnother() {
    const int r = XGrabKeyboard(display_, DefaultRootWindow(display_), False, GrabModeAsync, GrabModeAsync, CurrentTime);
    if (r == GrabSuccess) XUngrabKeyboard(display_, CurrentTime);
    return r == AlreadyGrabbed;
  }
  // WM_PROTOCOLS / WM_DELETE_WINDOW, as a window manager's close button sends it.
  void SendDeleteWindow(Window window) {
    XEvent e = {};
    e.xclient.type = ClientMessage;
    e.xclient.window = window;
    e.xclient.message_type = XInternAtom(display_, "WM_PROTOCOLS", False);
    e.xclient.format = 32;
    e.xclient.data.l[0] = long(XInternAtom(display_, "WM_DELETE_WINDOW", False));
    e.xclient.data.l[1] = CurrentTime;
    XSendEvent(display_, window, False, NoEventMask, &e);
    XSync(display_, False);
  }

  // Whether a CRTC shows exactly this area.
  bool HasCrtc(int x, int y, int width, int height) {
    XRRScreenResources* res = XRRGetScreenResourcesCurrent(display_, DefaultRootWindow(display_));
    bool found = false;
    for (int i = 0; res && i < res->ncrtc && !found; ++i) {
      XRRCrtcInfo* c = XRRGetCrtcInfo(display_, res, res->crtcs[i]);
      found = c && c->mode != 0 && c->x == x && c->y == y && int(c->width) == width && int(c->height) == height;
      if (c) XRRFreeCrtcInfo(c);
    }
    if (res) XRRFreeScreenResources(res);
    return found;
  }
  // Asked of the server afresh; Xlib's cached size lags behind RandR changes.
  std::pair<int, int> ScreenSize() {
    Window root;
    int x, y;
    unsigned w = 0, h = 0, border, depth;
    XGetGeometry(display_, DefaultRootWindow(display_), &root, &x, &y, &w, &h, &border, &depth);
    return {int(w), int(h)};
  }
  // Each pixel of a screen area to each(r, g, b), channels widened to 0..255
  // whatever the depth; false when the area cannot be read.
  template <typename Each>
  bool ReadScreen(int x, int y, int width, int height, Each each) {
    XImage* image =
        XGetImage(display_, DefaultRootWindow(display_), x, y, unsigned(width), unsigned(height), AllPlanes, ZPixmap);
    if (!image) return false;
    auto channel = [](unsigned long p, unsigned long mask) {
      int shift = 0;
      while (mask && !(mask & 1)) mask >>= 1, ++shift;
      return mask ? int(((p >> shift) & mask) * 255 / mask) : 0;
    };
    for (int j = 0; j < height; ++j)
      for (int i = 0; i < width; ++i) {
        const unsigned long p = XGetPixel(image, i, j);
        each(channel(p, image->red_mask), channel(p, image->green_mask), channel(p, image->blue_mask));
      }
    XDestroyImage(image);
    return true;
  }

 protected:
  Display* display_ = nullptr;

 private:
  void Search(Window w, const std::string& caption, std::vector<Window>& found) {
    char* name = nullptr;
    if (XFetchName(display_, w, &name) && name) {
      if (caption == name) found.push_back(w);
      XFree(name);
    }
    for (Window child : Children(w)) Search(child, caption, found);
  }
};

}  // namespace qgtest
