// Waits until the window with the given caption has been redrawn a number of
// times, counting the server's damage reports on it (one per buffer swap of
// a software-rendered GL window), and prints the count and the rate.
// Usage: qg_wait_frames CAPTION FRAMES TIMEOUT_SECONDS
// Exit 0 when the frames were seen, 1 on timeout, 2 on bad use.
#include <X11/Xlib.h>
#include <X11/extensions/Xdamage.h>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <poll.h>
#include <string>
#include <thread>

namespace {

Window Find(Display* display, Window w, const std::string& caption) {
  char* name = nullptr;
  if (XFetchName(display, w, &name) && name) {
    const bool match = caption == name;
    XFree(name);
    if (match) return w;
  }
  Window root, parent, *children = nullptr;
  unsigned count = 0;
  if (!XQueryTree(display, w, &root, &parent, &children, &count)) return 0;
  Window found = 0;
  for (unsigned i = 0; i < count && !found; ++i) found = Find(display, children[i], caption);
  if (children) XFree(children);
  return found;
}

int IgnoreErrors(Display*, XErrorEvent*) { return 0; }

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: %s CAPTION FRAMES TIMEOUT_SECONDS\n", argv[0]);
    return 2;
  }
  const std::string caption = argv[1];
  const long wanted = std::atol(argv[2]);
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(std::atol(argv[3]));
  Display* display = XOpenDisplay(nullptr);
  if (!display) return 2;
  XSetErrorHandler(IgnoreErrors);
  int damageEvent, damageError;
  if (!XDamageQueryExtension(display, &damageEvent, &damageError)) {
    std::fprintf(stderr, "the X server has no DAMAGE extension\n");
    return 2;
  }
  Window window = 0;
  while (!(window = Find(display, DefaultRootWindow(display), caption))) {
    if (std::chrono::steady_clock::now() > deadline) return 1;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  const Damage damage = XDamageCreate(display, window, XDamageReportRawRectangles);
  XSync(display, False);
  const auto start = std::chrono::steady_clock::now();
  long frames = 0;
  // A swap's image may arrive as several rectangles; count each request's
  // damage once by its sequence number.
  unsigned long lastSerial = 0;
  while (frames < wanted && std::chrono::steady_clock::now() < deadline) {
    while (XPending(display)) {
      XEvent event;
      XNextEvent(display, &event);
      if (event.type == damageEvent + XDamageNotify) {
        auto* d = reinterpret_cast<XDamageNotifyEvent*>(&event);
        if (d->serial != lastSerial || frames == 0) ++frames;
        lastSerial = d->serial;
        if (!d->more) lastSerial = 0;
      }
    }
    struct pollfd p = {ConnectionNumber(display), POLLIN, 0};
    poll(&p, 1, 100);
  }
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf("%ld frames in %.2f s (%.1f per second)\n", frames, seconds, seconds > 0 ? frames / seconds : 0.0);
  XDamageDestroy(display, damage);
  XCloseDisplay(display);
  return frames >= wanted ? 0 : 1;
}
