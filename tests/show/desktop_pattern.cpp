#include "desktop_pattern.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <cstdlib>

namespace showtest {

namespace {

const Rgb kStripes[8] = {{255, 0, 0},   {0, 200, 0},   {0, 0, 255},   {255, 255, 0},
                         {255, 0, 255}, {0, 255, 255}, {255, 128, 0}, {128, 0, 255}};

struct Screen {
  Display* dpy = nullptr;
  ~Screen() {
    if (dpy) XCloseDisplay(dpy);
  }
};

int Distance(const Rgb& a, int r, int g, int b) {
  return std::abs(a.r - r) + std::abs(a.g - g) + std::abs(a.b - b);
}

}  // namespace

Rgb PatternPixel(int x, int y, int width) {
  int stripe = x * 8 / (width > 0 ? width : 1);
  if (stripe > 7) stripe = 7;
  Rgb c = kStripes[stripe];
  // Position in the low bits: a shifted or flipped snapshot cannot match.
  c.r ^= static_cast<uint8_t>(x & 0x0F);
  c.g ^= static_cast<uint8_t>(y & 0x0F);
  c.b ^= static_cast<uint8_t>((x + y) & 0x07);
  return c;
}

bool PaintRootPattern(const std::string& display) {
  Screen s;
  s.dpy = XOpenDisplay(display.c_str());
  if (!s.dpy) return false;
  const int scr = DefaultScreen(s.dpy);
  const int w = DisplayWidth(s.dpy, scr), h = DisplayHeight(s.dpy, scr);
  Window root = RootWindow(s.dpy, scr);
  Visual* vis = DefaultVisual(s.dpy, scr);
  const int depth = DefaultDepth(s.dpy, scr);
  char* data = static_cast<char*>(std::malloc(static_cast<size_t>(w) * h * 4));
  XImage* img = XCreateImage(s.dpy, vis, static_cast<unsigned>(depth), ZPixmap, 0, data,
                             static_cast<unsigned>(w), static_cast<unsigned>(h), 32, 0);
  if (!img) {
    std::free(data);
    return false;
  }
  // Each channel scaled into its mask, so 16-bit displays get the pattern too.
  auto place = [](uint8_t v, unsigned long mask) {
    int shift = 0, bits = 0;
    while (mask && !((mask >> shift) & 1)) ++shift;
    while ((mask >> (shift + bits)) & 1) ++bits;
    return (static_cast<unsigned long>(v) >> (8 - bits)) << shift;
  };
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const Rgb c = PatternPixel(x, y, w);
      XPutPixel(img, x, y, place(c.r, vis->red_mask) | place(c.g, vis->green_mask) | place(c.b, vis->blue_mask));
    }
  }
  Pixmap pm = XCreatePixmap(s.dpy, root, static_cast<unsigned>(w), static_cast<unsigned>(h),
                            static_cast<unsigned>(depth));
  GC gc = XCreateGC(s.dpy, pm, 0, nullptr);
  XPutImage(s.dpy, pm, gc, img, 0, 0, 0, 0, static_cast<unsigned>(w), static_cast<unsigned>(h));
  XSetWindowBackgroundPixmap(s.dpy, root, pm);
  XClearWindow(s.dpy, root);
  XFreeGC(s.dpy, gc);
  XFreePixmap(s.dpy, pm);
  XDestroyImage(img);
  // The background outlives this connection only if the server keeps it.
  XSetCloseDownMode(s.dpy, RetainPermanent);
  XSync(s.dpy, False);
  return true;
}

ScreenStats ReadScreenStats(const std::string& display) {
  ScreenStats st;
  Screen s;
  s.dpy = XOpenDisplay(display.c_str());
  if (!s.dpy) return st;
  const int scr = DefaultScreen(s.dpy);
  st.width = DisplayWidth(s.dpy, scr);
  st.height = DisplayHeight(s.dpy, scr);
  XImage* img = XGetImage(s.dpy, RootWindow(s.dpy, scr), 0, 0, static_cast<unsigned>(st.width),
                          static_cast<unsigned>(st.height), AllPlanes, ZPixmap);
  if (!img) return st;
  for (int y = 0; y < st.height; y += 2) {
    for (int x = 0; x < st.width; x += 2) {
      const unsigned long p = XGetPixel(img, x, y);
      const int r = (p >> 16) & 255, g = (p >> 8) & 255, b = p & 255;
      ++st.total;
      // Lit, textured sheets may darken the colours; the hue is what counts:
      // one channel clearly above another rules out white, grey and black.
      const int hi = std::max(r, std::max(g, b)), lo = std::min(r, std::min(g, b));
      if (hi - lo < 60) continue;
      for (const Rgb& c : kStripes) {
        const int scale = std::max<int>(1, std::max<int>(c.r, std::max<int>(c.g, c.b)));
        const Rgb dim = {static_cast<uint8_t>(c.r * hi / scale), static_cast<uint8_t>(c.g * hi / scale),
                         static_cast<uint8_t>(c.b * hi / scale)};
        if (Distance(dim, r, g, b) < 90) {
          ++st.patternLike;
          break;
        }
      }
    }
  }
  XDestroyImage(img);
  return st;
}

}  // namespace showtest
