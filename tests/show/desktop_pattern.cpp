#include "desktop_pattern.h"

#include "x_client.h"

#include <algorithm>
#include <cstdlib>

namespace showtest {

namespace {

const Rgb kStripes[8] = {{255, 0, 0},   {0, 200, 0},   {0, 0, 255},   {255, 255, 0},
                         {255, 0, 255}, {0, 255, 255}, {255, 128, 0}, {128, 0, 255}};

}  // namespace

Rgb PatternPixel(int x, int y, int width) {
  Rgb c = kStripes[std::min(7, x * 8 / std::max(width, 1))];
  // Position in the low bits: a shifted or flipped snapshot cannot match.
  c.r ^= static_cast<uint8_t>(x & 0x0F);
  c.g ^= static_cast<uint8_t>(y & 0x0F);
  c.b ^= static_cast<uint8_t>((x + y) & 0x07);
  return c;
}

bool PaintRootPattern(Display* dpy) {
  const int scr = DefaultScreen(dpy);
  const int w = DisplayWidth(dpy, scr), h = DisplayHeight(dpy, scr);
  Window root = RootWindow(dpy, scr);
  Visual* vis = DefaultVisual(dpy, scr);
  const int depth = DefaultDepth(dpy, scr);
  char* data = static_cast<char*>(std::malloc(static_cast<size_t>(w) * h * 4));
  XImage* img = XCreateImage(dpy, vis, static_cast<unsigned>(depth), ZPixmap, 0, data, static_cast<unsigned>(w),
                             static_cast<unsigned>(h), 32, 0);
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
  Pixmap pm = XCreatePixmap(dpy, root, static_cast<unsigned>(w), static_cast<unsigned>(h), static_cast<unsigned>(depth));
  GC gc = XCreateGC(dpy, pm, 0, nullptr);
  XPutImage(dpy, pm, gc, img, 0, 0, 0, 0, static_cast<unsigned>(w), static_cast<unsigned>(h));
  XSetWindowBackgroundPixmap(dpy, root, pm);
  XClearWindow(dpy, root);
  XFreeGC(dpy, gc);
  XFreePixmap(dpy, pm);
  XDestroyImage(img);
  XSync(dpy, False);
  return true;
}

double PatternShare(qgtest::XClient& client) {
  long total = 0, like = 0;
  const auto [width, height] = client.ScreenSize();
  client.ReadScreen(0, 0, width, height, [&](int r, int g, int b) {
    ++total;
    // Lit, textured sheets may darken the colours; the hue is what counts:
    // one channel clearly above another rules out white, grey and black.
    const int hi = std::max(r, std::max(g, b)), lo = std::min(r, std::min(g, b));
    if (hi - lo < 60) return;
    for (const Rgb& c : kStripes) {
      const int scale = std::max<int>(1, std::max<int>(c.r, std::max<int>(c.g, c.b)));
      const Rgb dim = {static_cast<uint8_t>(c.r * hi / scale), static_cast<uint8_t>(c.g * hi / scale),
                       static_cast<uint8_t>(c.b * hi / scale)};
      if (std::abs(dim.r - r) + std::abs(dim.g - g) + std::abs(dim.b - b) < 90) {
        ++like;
        return;
      }
    }
  });
  return total > 0 ? double(like) / total : 0;
}

}  // namespace showtest
