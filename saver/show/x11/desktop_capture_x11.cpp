// The desktop from the X server: the root window's image, which covers every
// monitor of the screen. A show takes one picture, and for one picture a plain
// XGetImage whose buffer we keep is the quicker way: a MIT-SHM segment must
// first be set up page by page on both sides, which costs more than the socket
// transfer it saves (bench/show_start measures both). The MIT-SHM path stays
// for callers that take many pictures on one connection.
#include "desktop_capture_x11.h"
#include "x_error_trap.h"

#include <X11/Xlib-xcb.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>
#include <sys/ipc.h>
#include <sys/mman.h>
#include <sys/shm.h>
#include <xcb/xcb.h>

#include <cstdlib>


namespace qg::show {

namespace {

int ShiftOf(unsigned long mask) {
  int s = 0;
  while (mask && !(mask & 1)) mask >>= 1, ++s;
  return s;
}

int BitsOf(unsigned long mask) {
  mask >>= ShiftOf(mask);
  int n = 0;
  while (mask & 1) mask >>= 1, ++n;
  return n;
}

uint8_t Channel(unsigned long pixel, unsigned long mask) {
  if (!mask) return 0;
  const int bits = BitsOf(mask);
  unsigned long v = (pixel & mask) >> ShiftOf(mask);
  if (bits >= 8) return static_cast<uint8_t>(v >> (bits - 8));
  // Widen short channels (5 or 6 bits) so that full intensity stays 255.
  unsigned long out = 0;
  for (int have = 0; have < 8; have += bits) out = (out << bits) | v;
  return static_cast<uint8_t>(out >> ((8 + bits - 1) / bits * bits - 8));
}

// True when pixels of this layout already are blue, green, red, unused bytes.
bool IsBgrx(int bitsPerPixel, int byteOrder, const Visual* visual) {
  return bitsPerPixel == 32 && byteOrder == LSBFirst && visual->red_mask == 0xFF0000 &&
         visual->green_mask == 0xFF00 && visual->blue_mask == 0xFF;
}
bool IsBgrx(const XImage* img, const Visual* visual) { return IsBgrx(img->bits_per_pixel, img->byte_order, visual); }

// Other visuals (16-bit colour, big-endian servers): converted, slow but exact.
DesktopPicture Converted(XImage* img, Visual* visual) {
  DesktopPicture picture = DesktopPicture::Allocate(img->width, img->height);
  for (int y = 0; y < picture.height && !picture.empty(); ++y) {
    uint8_t* dst = picture.Row(y);
    for (int x = 0; x < picture.width; ++x, dst += 4) {
      const unsigned long p = XGetPixel(img, x, y);
      dst[0] = Channel(p, visual->blue_mask);
      dst[1] = Channel(p, visual->green_mask);
      dst[2] = Channel(p, visual->red_mask);
      dst[3] = 0;
    }
  }
  return picture;
}

bool CaptureWithShm(Display* dpy, Window root, Visual* visual, int depth, int width, int height,
                    DesktopPicture& picture) {
  int major, minor;
  Bool pixmaps;
  if (!XShmQueryVersion(dpy, &major, &minor, &pixmaps)) return false;
  XShmSegmentInfo shm{};
  XImage* img = XShmCreateImage(dpy, visual, static_cast<unsigned>(depth), ZPixmap, nullptr, &shm,
                                static_cast<unsigned>(width), static_cast<unsigned>(height));
  if (!img) return false;
  bool ok = false;
  shm.shmid = shmget(IPC_PRIVATE, static_cast<size_t>(img->bytes_per_line) * img->height, IPC_CREAT | 0600);
  if (shm.shmid >= 0) {
    shm.shmaddr = img->data = static_cast<char*>(shmat(shm.shmid, nullptr, 0));
    // Marked for removal at once: the segment goes away with its last user
    // even if this process dies in the middle.
    shmctl(shm.shmid, IPC_RMID, nullptr);
    if (shm.shmaddr != reinterpret_cast<char*>(-1)) {
#ifdef MADV_POPULATE_WRITE
      // Our page tables for the segment, made in one go: otherwise every page
      // faults in on its own when the snapshot is written, which costs several
      // times the write itself. Where the kernel cannot, pages come on demand.
      madvise(shm.shmaddr, static_cast<size_t>(img->bytes_per_line) * img->height, MADV_POPULATE_WRITE);
#endif
      shm.readOnly = False;
      {
        XErrorTrap trap(dpy);
        // A server on another machine cannot attach our segment: that shows as
        // an X error here, and the plain request is used instead.
        if (XShmAttach(dpy, &shm)) {
          ok = !trap.Failed() && XShmGetImage(dpy, root, img, 0, 0, AllPlanes);
          XShmDetach(dpy, &shm);
          ok = ok && !trap.Failed();
        }
      }
      if (ok && IsBgrx(img, visual)) {
        // The segment itself becomes the picture; detached when the last user lets go.
        picture.width = width;
        picture.height = height;
        picture.stride = static_cast<size_t>(img->bytes_per_line);
        picture.pixels.reset(reinterpret_cast<uint8_t*>(shm.shmaddr), [](uint8_t* p) { shmdt(p); });
      } else {
        if (ok) picture = Converted(img, visual);
        shmdt(shm.shmaddr);
      }
    }
  }
  img->data = nullptr;
  XDestroyImage(img);
  return ok && !picture.empty();
}

// The bits per pixel the server uses for a depth in Z format.
int BitsPerPixelOf(Display* dpy, int depth) {
  int count = 0, bits = 0;
  XPixmapFormatValues* formats = XListPixmapFormats(dpy, &count);
  for (int i = 0; i < count; ++i)
    if (formats[i].depth == depth) bits = formats[i].bits_per_pixel;
  if (formats) XFree(formats);
  return bits;
}

// XGetImage receives the reply into a buffer of the XCB layer and then copies
// it into the XImage, holding two screens at once; for the common 32-bit
// layout the reply itself becomes the picture instead.
bool CaptureReply(Display* dpy, Drawable drawable, Visual* visual, int width, int height, DesktopPicture& picture) {
  const int depth = DefaultDepth(dpy, DefaultScreen(dpy));
  if (width > 0xFFFF || height > 0xFFFF || !IsBgrx(BitsPerPixelOf(dpy, depth), ImageByteOrder(dpy), visual))
    return false;
  xcb_connection_t* c = XGetXCBConnection(dpy);
  if (!c) return false;
  const xcb_get_image_cookie_t cookie =
      xcb_get_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, static_cast<xcb_drawable_t>(drawable), 0, 0,
                    static_cast<uint16_t>(width), static_cast<uint16_t>(height), ~0u);
  xcb_generic_error_t* error = nullptr;
  xcb_get_image_reply_t* reply = xcb_get_image_reply(c, cookie, &error);
  std::free(error);
  if (!reply) return false;
  const size_t stride = static_cast<size_t>(width) * 4;
  if (reply->depth != depth || static_cast<size_t>(xcb_get_image_data_length(reply)) < stride * height) {
    std::free(reply);
    return false;
  }
  picture.width = width;
  picture.height = height;
  picture.stride = stride;
  picture.pixels = std::shared_ptr<uint8_t>(xcb_get_image_data(reply), [reply](uint8_t*) { std::free(reply); });
  return true;
}

bool CapturePlain(Display* dpy, Window root, Visual* visual, int width, int height, DesktopPicture& picture) {
  if (CaptureReply(dpy, root, visual, width, height, picture)) return true;
  XImage* img = nullptr;
  {
    XErrorTrap trap(dpy);
    img = XGetImage(dpy, root, 0, 0, static_cast<unsigned>(width), static_cast<unsigned>(height), AllPlanes, ZPixmap);
  }
  if (!img) return false;
  if (IsBgrx(img, visual)) {
    // The X library's buffer (malloc'd) is taken over instead of copied.
    picture.width = width;
    picture.height = height;
    picture.stride = static_cast<size_t>(img->bytes_per_line);
    picture.pixels.reset(reinterpret_cast<uint8_t*>(img->data), [](uint8_t* p) { XFree(p); });
    img->data = nullptr;
  } else {
    picture = Converted(img, visual);
  }
  XDestroyImage(img);
  return !picture.empty();
}

}  // namespace

bool CaptureDesktopOn(Display* dpy, bool allowShm, DesktopPicture& picture) {
  picture = DesktopPicture{};
  const int screen = DefaultScreen(dpy);
  const Window root = RootWindow(dpy, screen);
  Visual* visual = DefaultVisual(dpy, screen);
  const int depth = DefaultDepth(dpy, screen);
  // The screen's size covers every monitor.
  const int width = DisplayWidth(dpy, screen);
  const int height = DisplayHeight(dpy, screen);
  const bool ok = (allowShm && CaptureWithShm(dpy, root, visual, depth, width, height, picture)) ||
                  CapturePlain(dpy, root, visual, width, height, picture);
  if (!ok) picture = DesktopPicture{};
  return ok;
}

bool CaptureDrawableOn(Display* dpy, Drawable drawable, int width, int height, DesktopPicture& picture) {
  picture = DesktopPicture{};
  const bool ok = CapturePlain(dpy, drawable, DefaultVisual(dpy, DefaultScreen(dpy)), width, height, picture);
  if (!ok) picture = DesktopPicture{};
  return ok;
}

bool CaptureDesktopX11(DesktopPicture& picture) {
  picture = DesktopPicture{};
  Display* dpy = XOpenDisplay(nullptr);
  if (!dpy) return false;
  const bool ok = CaptureDesktopOn(dpy, false, picture);
  XCloseDisplay(dpy);
  return ok;
}

}  // namespace qg::show
