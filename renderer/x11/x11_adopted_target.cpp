#include "x11_adopted_target.h"

bool X11AdoptedTarget::Open(const std::string&, int, int, const PixelFormatRequest&) {
  if (!display_ || !window_) return false;
  XWindowAttributes attributes;
  if (!XGetWindowAttributes(display_, window_, &attributes)) return false;
  visualAdopted_ = gl_.AdoptVisualOf(display_, window_) != nullptr;
  // Our own interest in the window's events; its owner's stays as it was.
  XSelectInput(display_, window_, StructureNotifyMask | ExposureMask);
  events_ = X11EventContext{};
  events_.window = window_;
  events_.lastWidth = attributes.width;
  events_.lastHeight = attributes.height;
  events_.closeOnDestroy = true;
  opened_ = true;
  XSync(display_, False);
  return true;
}

void X11AdoptedTarget::ClientSize(int* width, int* height) {
  *width = events_.lastWidth;
  *height = events_.lastHeight;
  XWindowAttributes attributes;
  if (display_ && opened_ && XGetWindowAttributes(display_, window_, &attributes)) {
    *width = attributes.width;
    *height = attributes.height;
  }
}

void X11AdoptedTarget::Close() {
  gl_.Destroy();
  if (!opened_) return;
  opened_ = false;
  events_.window = 0;
  if (!display_) return;
  // The window may already be gone; the platform's error handler stays quiet
  // about it.
  XSelectInput(display_, window_, NoEventMask);
  XSync(display_, False);
}

bool X11AdoptedTarget::CreateContext() { return display_ && opened_ && gl_.Create(display_, window_); }

void X11AdoptedTarget::PresentFrame() {
  gl_.Swap();
  // A window without a back buffer shows what was drawn once it is flushed.
  glFlush();
}
