// Catches the X errors of a few requests instead of letting Xlib's default
// handler end the program: windows of other programs may vanish at any time,
// and a remote server cannot attach our shared memory.
#pragma once

#include <X11/Xlib.h>

namespace qg::show {

class XErrorTrap {
 public:
  explicit XErrorTrap(Display* dpy);
  ~XErrorTrap();  // syncs, then puts the previous handler back
  XErrorTrap(const XErrorTrap&) = delete;
  XErrorTrap& operator=(const XErrorTrap&) = delete;

  // Syncs with the server and tells whether any request since the trap was
  // set (or since the last Reset) failed.
  bool Failed();
  void Reset();

 private:
  Display* dpy_;
  XErrorHandler previous_;
};

}  // namespace qg::show
