#include "x11_window_target.h"

#include <X11/extensions/Xrandr.h>
#include <X11/extensions/scrnsaver.h>

bool X11WindowTarget::Open(const std::string& title, int width, int height, const PixelFormatRequest& format) {
  if (!display_) return false;
  // X fixes a window's visual when the window is made, so it is chosen first.
  visualChosen_ = gl_.ChooseVisual(display_, format) != nullptr;
  if (!window_.Create(display_, gl_.visual(), title, 0, 0, width, height)) return false;
  events_ = X11EventContext{};
  events_.window = window_.window();
  events_.wmProtocols = window_.wmProtocols();
  events_.wmDeleteWindow = window_.wmDeleteWindow();
  events_.lastWidth = width;
  events_.lastHeight = height;
  // Monitors plugged in or out while the show runs.
  int randrErrorBase;
  if (XRRQueryExtension(display_, &events_.randrEventBase, &randrErrorBase)) {
    XRRSelectInput(display_, DefaultRootWindow(display_),
                   RRScreenChangeNotifyMask | RRCrtcChangeNotifyMask | RROutputChangeNotifyMask);
  } else {
    events_.randrEventBase = -1;
  }
  window_.Map();
  window_.GrabKeyboard();
  return true;
}

void X11WindowTarget::ClientSize(int* width, int* height) {
  *width = *height = 0;
  XWindowAttributes attributes;
  if (display_ && window_.window() && XGetWindowAttributes(display_, window_.window(), &attributes)) {
    *width = attributes.width;
    *height = attributes.height;
  }
}

void X11WindowTarget::HoldOffScreenSaver(bool hold) {
  if (!display_ || hold == screenSaverHeld_) return;
  int eventBase, errorBase;
  if (!XScreenSaverQueryExtension(display_, &eventBase, &errorBase)) return;
  XScreenSaverSuspend(display_, hold ? True : False);
  // A blanked screen comes back for the show.
  if (hold) XForceScreenSaver(display_, ScreenSaverReset);
  screenSaverHeld_ = hold;
  XFlush(display_);
}

void X11WindowTarget::Close() {
  gl_.Destroy();
  window_.Destroy();
  events_.window = 0;
}

bool X11WindowTarget::CreateContext() { return display_ && gl_.Create(display_, window_.window()); }
