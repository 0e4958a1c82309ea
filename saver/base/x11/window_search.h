// Window look-ups on X11 that the toolkit does not offer: a top-level window
// by caption, the window under a screen point, a window's screen rectangle.
// Windows can vanish at any moment during a search; the errors that causes
// are caught, never fatal.
#pragma once

#include <X11/Xlib.h>

#include <string>

namespace qg {
namespace x11 {

// The host's own connection to the display named by $DISPLAY, opened on first
// use and kept for the program's life (the cursor hide lives on it). nullptr
// when there is no display.
Display* SharedDisplay();

// Catches X errors of this connection while alive (Xlib's default handler
// would end the process); error() tells whether one came.
class ErrorTrap {
 public:
  explicit ErrorTrap(Display* display);
  ~ErrorTrap();
  ErrorTrap(const ErrorTrap&) = delete;
  ErrorTrap& operator=(const ErrorTrap&) = delete;
  bool error();

 private:
  Display* display_;
  int (*previous_)(Display*, XErrorEvent*);
};

// The caption of a window: _NET_WM_NAME (UTF-8) when set, else WM_NAME
// (Latin-1 text converted to UTF-8). Empty when none or the window is gone.
std::string WindowCaption(Display* display, Window window);

// A top-level window, mapped or not, whose caption is exactly caption
// (UTF-8): a child of the root, or a managed client window (one carrying
// WM_STATE) inside a window manager's frame. 0 when there is none.
Window FindTopLevelByCaption(Display* display, const std::string& caption);

// The deepest mapped window at a point of the screen, 0 for none.
Window WindowAtPoint(Display* display, int x, int y);

// The window's outer rectangle on the screen in pixels; false when the
// window does not exist.
bool WindowScreenRect(Display* display, Window window, int& left, int& top, int& right, int& bottom);

}  // namespace x11
}  // namespace qg
