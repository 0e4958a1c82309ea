// The show's top-level window: class and caption as given, borderless through
// the Motif hints and full screen through _NET_WM_STATE_FULLSCREEN, so that a
// window manager manages it and can send it its close request. It takes the
// keyboard with a grab, which keeps Escape ours under any window manager.
#pragma once

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <string>

class X11ShowWindow {
 public:
  // visual may be null: the screen's default visual is used.
  bool Create(Display* display, const XVisualInfo* visual, const std::string& title, int x, int y, int width,
              int height);
  // Maps the window and waits (bounded) until it is viewable.
  void Map();
  // Focus and keyboard grab; retried briefly while another client holds it.
  bool GrabKeyboard();
  void ReleaseKeyboard();
  void Destroy();

  Window window() const { return window_; }
  Atom wmProtocols() const { return wmProtocols_; }
  Atom wmDeleteWindow() const { return wmDeleteWindow_; }
  bool keyboardGrabbed() const { return grabbed_; }

 private:
  Display* display_ = nullptr;
  Window window_ = 0;
  Colormap colormap_ = 0;
  Atom wmProtocols_ = 0;
  Atom wmDeleteWindow_ = 0;
  bool grabbed_ = false;
};
