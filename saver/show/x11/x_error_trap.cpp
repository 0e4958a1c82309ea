#include "x_error_trap.h"

namespace qg::show {

namespace {

// Xlib's handlers are process-wide and the show's requests all run on one
// thread, so one flag serves every trap.
bool g_failed = false;

int NoteError(Display*, XErrorEvent*) {
  g_failed = true;
  return 0;
}

}  // namespace

XErrorTrap::XErrorTrap(Display* dpy) : dpy_(dpy) {
  XSync(dpy_, False);  // earlier errors are not ours to catch
  g_failed = false;
  previous_ = XSetErrorHandler(NoteError);
}

XErrorTrap::~XErrorTrap() {
  XSync(dpy_, False);
  XSetErrorHandler(previous_);
}

bool XErrorTrap::Failed() {
  XSync(dpy_, False);
  return g_failed;
}

void XErrorTrap::Reset() {
  XSync(dpy_, False);
  g_failed = false;
}

}  // namespace qg::show
