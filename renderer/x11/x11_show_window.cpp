#include "x11_show_window.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <chrono>
#include <poll.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

// _MOTIF_WM_HINTS: flags, functions, decorations, input mode, status.
constexpr long kMotifHintsDecorations = 1L << 1;

Bool IsMapNotifyFor(Display*, XEvent* event, XPointer arg) {
  return event->type == MapNotify && event->xmap.window == *reinterpret_cast<Window*>(arg);
}

}  // namespace

bool X11ShowWindow::Create(Display* display, const XVisualInfo* visual, const std::string& title, int x, int y,
                           int width, int height) {
  display_ = display;
  const int screen = DefaultScreen(display);
  const Window root = RootWindow(display, screen);
  Visual* v = visual ? visual->visual : DefaultVisual(display, screen);
  const int depth = visual ? visual->depth : DefaultDepth(display, screen);

  XSetWindowAttributes attributes = {};
  colormap_ = XCreateColormap(display, root, v, AllocNone);
  attributes.colormap = colormap_;
  attributes.background_pixel = BlackPixel(display, screen);
  attributes.border_pixel = 0;
  attributes.event_mask = ExposureMask | StructureNotifyMask | KeyPressMask | KeyReleaseMask | ButtonPressMask |
                          ButtonReleaseMask | PointerMotionMask | FocusChangeMask;
  window_ = XCreateWindow(display, root, x, y, static_cast<unsigned>(width), static_cast<unsigned>(height), 0, depth,
                          InputOutput, v, CWColormap | CWBackPixel | CWBorderPixel | CWEventMask, &attributes);
  if (window_ == 0) return false;

  // Every atom in one round trip rather than one each.
  enum { kUtf8, kWmName, kMotif, kFullscreen, kWmState, kWmPid, kWmProtocols, kWmDelete, kAtomCount };
  char* names[kAtomCount] = {const_cast<char*>("UTF8_STRING"),      const_cast<char*>("_NET_WM_NAME"),
                             const_cast<char*>("_MOTIF_WM_HINTS"),  const_cast<char*>("_NET_WM_STATE_FULLSCREEN"),
                             const_cast<char*>("_NET_WM_STATE"),    const_cast<char*>("_NET_WM_PID"),
                             const_cast<char*>("WM_PROTOCOLS"),     const_cast<char*>("WM_DELETE_WINDOW")};
  Atom atoms[kAtomCount] = {};
  XInternAtoms(display, names, kAtomCount, False, atoms);

  // Caption and class: what other programs find the show by.
  XStoreName(display, window_, title.c_str());
  const Atom utf8 = atoms[kUtf8];
  XChangeProperty(display, window_, atoms[kWmName], utf8, 8, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(title.data()), static_cast<int>(title.size()));
  XClassHint classHint;
  std::vector<char> name(title.begin(), title.end());
  name.push_back('\0');
  classHint.res_name = name.data();
  classHint.res_class = name.data();
  XSetClassHint(display, window_, &classHint);

  XSizeHints sizeHints = {};
  sizeHints.flags = USPosition | USSize | PPosition | PSize;
  sizeHints.x = x;
  sizeHints.y = y;
  sizeHints.width = width;
  sizeHints.height = height;
  XSetWMNormalHints(display, window_, &sizeHints);
  XWMHints wmHints = {};
  wmHints.flags = InputHint | StateHint;
  wmHints.input = True;
  wmHints.initial_state = NormalState;
  XSetWMHints(display, window_, &wmHints);

  const long motif[5] = {kMotifHintsDecorations, 0, 0, 0, 0};
  const Atom motifAtom = atoms[kMotif];
  XChangeProperty(display, window_, motifAtom, motifAtom, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(motif), 5);
  const Atom fullscreen = atoms[kFullscreen];
  XChangeProperty(display, window_, atoms[kWmState], XA_ATOM, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(&fullscreen), 1);
  const long pid = static_cast<long>(getpid());
  XChangeProperty(display, window_, atoms[kWmPid], XA_CARDINAL, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(&pid), 1);

  wmProtocols_ = atoms[kWmProtocols];
  wmDeleteWindow_ = atoms[kWmDelete];
  XSetWMProtocols(display, window_, &wmDeleteWindow_, 1);
  return true;
}

void X11ShowWindow::Map() {
  if (!window_) return;
  XMapRaised(display_, window_);
  XFlush(display_);
  // Other events stay queued for the message loop; only MapNotify is taken.
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(3);
  // Waiting on the connection wakes the moment the server answers; a fixed
  // sleep would add up to its whole length to every show's start.
  XEvent event;
  struct pollfd connection = {ConnectionNumber(display_), POLLIN, 0};
  while (!XCheckIfEvent(display_, &event, IsMapNotifyFor, reinterpret_cast<XPointer>(&window_))) {
    if (std::chrono::steady_clock::now() > deadline) break;
    poll(&connection, 1, 5);
  }
}

bool X11ShowWindow::GrabKeyboard() {
  if (!window_) return false;
  XSetInputFocus(display_, window_, RevertToParent, CurrentTime);
  // Another client may still hold the keyboard for a moment (a menu, the
  // program that started us); a screensaver must get it.
  for (int attempt = 0; attempt < 100; ++attempt) {
    if (XGrabKeyboard(display_, window_, True, GrabModeAsync, GrabModeAsync, CurrentTime) == GrabSuccess) {
      grabbed_ = true;
      return true;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return false;
}

void X11ShowWindow::ReleaseKeyboard() {
  if (!grabbed_) return;
  XUngrabKeyboard(display_, CurrentTime);
  grabbed_ = false;
}

void X11ShowWindow::Destroy() {
  if (!window_) return;
  ReleaseKeyboard();
  XDestroyWindow(display_, window_);
  window_ = 0;
  if (colormap_) XFreeColormap(display_, colormap_);
  colormap_ = 0;
  XSync(display_, False);
}
