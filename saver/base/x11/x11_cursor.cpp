#include "x11/x11_cursor.h"

#include <X11/extensions/Xfixes.h>

#include "x11/window_search.h"

namespace qg {
namespace x11 {

XFixesCursorVisibility::XFixesCursorVisibility(Display* display) : display_(display) {
  int event_base = 0, error_base = 0, major = 4, minor = 0;
  // The extension must be told our version before its requests are used.
  usable_ = display_ && XFixesQueryExtension(display_, &event_base, &error_base) &&
            XFixesQueryVersion(display_, &major, &minor) && major >= 4;
}

void XFixesCursorVisibility::Hide() {
  if (!usable_) return;
  ErrorTrap trap(display_);
  XFixesHideCursor(display_, DefaultRootWindow(display_));
  XFlush(display_);
}

void XFixesCursorVisibility::Show() {
  if (!usable_) return;
  ErrorTrap trap(display_);
  XFixesShowCursor(display_, DefaultRootWindow(display_));
  XFlush(display_);
}

CursorCounter& HostCursorCounter() {
  static XFixesCursorVisibility visibility(SharedDisplay());
  static CursorCounter counter(visibility);
  return counter;
}

}  // namespace x11
}  // namespace qg
