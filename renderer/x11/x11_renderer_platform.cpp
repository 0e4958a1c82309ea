#include "x11_renderer_platform.h"

#include <X11/extensions/Xfixes.h>
#include <X11/extensions/scrnsaver.h>
#include <cstdio>

#include "quit_signals.h"
#include "x11_message_box.h"

namespace {

// A failed request (a refused RandR call, a vanished window) must not end the
// show the way Xlib's default handler does; it is noted on stderr instead.
int OnXError(Display* display, XErrorEvent* error) {
  char text[256] = {};
  XGetErrorText(display, error->error_code, text, sizeof text);
  std::fprintf(stderr, "Quiverglide: X request %d.%d failed: %s\n", error->request_code, error->minor_code, text);
  return 0;
}

}  // namespace

X11RendererPlatform::X11RendererPlatform()
    : loader_([this](const std::string& text) { ShowErrorBox(text); }) {}

X11RendererPlatform::~X11RendererPlatform() { CloseDisplay(); }

bool X11RendererPlatform::OpenDisplay(std::string* why) {
  if (display_) return true;
  const char* name = XDisplayName(nullptr);
  display_ = XOpenDisplay(nullptr);
  if (!display_) {
    if (why) *why = std::string("cannot open X display \"") + (name ? name : "") + "\"";
    return false;
  }
  XSetErrorHandler(OnXError);
  return true;
}

void X11RendererPlatform::CloseDisplay() {
  if (!display_) return;
  window_.Destroy();
  gl_.Destroy();
  XCloseDisplay(display_);
  display_ = nullptr;
}

bool X11RendererPlatform::ReadCurrentDisplayMode() { return display_ && mode_.Read(display_); }

bool X11RendererPlatform::ChangeDisplayMode(int width, int height) {
  return display_ && mode_.Switch(display_, width, height);
}

void X11RendererPlatform::RestoreDisplayMode() {
  if (display_) mode_.Restore(display_);
}

void X11RendererPlatform::ShowCursor(bool show) {
  if (!display_) return;
  int eventBase, errorBase;
  if (!XFixesQueryExtension(display_, &eventBase, &errorBase)) return;
  const Window root = DefaultRootWindow(display_);
  if (show) {
    if (cursorHides_ == 0) return;
    XFixesShowCursor(display_, root);
    --cursorHides_;
  } else {
    XFixesHideCursor(display_, root);
    ++cursorHides_;
  }
  XFlush(display_);
}

void X11RendererPlatform::ChoosePixelFormat(const PixelFormatRequest& request) {
  visualChosen_ = display_ && gl_.ChooseVisual(display_, request) != nullptr;
}

bool X11RendererPlatform::SetupPixelFormat() { return visualChosen_; }

bool X11RendererPlatform::CreateWindow(const std::string& title, int x, int y, int width, int height) {
  if (!display_) return false;
  if (!window_.Create(display_, gl_.visual(), title, x, y, width, height)) return false;
  events_ = X11EventContext{};
  events_.window = window_.window();
  events_.wmProtocols = window_.wmProtocols();
  events_.wmDeleteWindow = window_.wmDeleteWindow();
  events_.lastWidth = width;
  events_.lastHeight = height;
  return true;
}

void X11RendererPlatform::ShowWindow() { window_.Map(); }

void X11RendererPlatform::SetFocus() { window_.GrabKeyboard(); }

void X11RendererPlatform::GetClientSize(int* width, int* height) {
  *width = *height = 0;
  XWindowAttributes attributes;
  if (display_ && window_.window() && XGetWindowAttributes(display_, window_.window(), &attributes)) {
    *width = attributes.width;
    *height = attributes.height;
  }
}

void X11RendererPlatform::DestroyWindow() {
  window_.Destroy();
  events_.window = 0;
}

void X11RendererPlatform::ValidateWindow() {}

intptr_t X11RendererPlatform::DefaultWindowProc(const RendererMessage&) { return 0; }

bool X11RendererPlatform::CreateGLContext() { return display_ && gl_.Create(display_, window_.window()); }

void X11RendererPlatform::DestroyGLContext() { gl_.Destroy(); }

void X11RendererPlatform::SwapBuffers() { gl_.Swap(); }

void X11RendererPlatform::SuspendScreenSaver(bool suspend) {
  if (!display_ || suspend == screenSaverSuspended_) return;
  int eventBase, errorBase;
  if (!XScreenSaverQueryExtension(display_, &eventBase, &errorBase)) return;
  XScreenSaverSuspend(display_, suspend ? True : False);
  // A blanked screen comes back for the show.
  if (suspend) XForceScreenSaver(display_, ScreenSaverReset);
  screenSaverSuspended_ = suspend;
  XFlush(display_);
}

bool X11RendererPlatform::PeekEvent(RendererMessage* message) {
  if (!display_) return false;
  while (XPending(display_) > 0) {
    XEvent event;
    XNextEvent(display_, &event);
    if (TranslateX11Event(event, events_, message)) return true;
  }
  return false;
}

bool X11RendererPlatform::QuitRequested() { return QuitSignalReceived(); }

void X11RendererPlatform::ShowErrorBox(const std::string& text) {
  // Also on stderr: a show on a headless server leaves a trace of it.
  std::fprintf(stderr, "Quiverglide: Error: %s%s", text.c_str(),
               (!text.empty() && text.back() == '\n') ? "" : "\n");
  if (!display_) return;
  const bool hadKeyboard = window_.keyboardGrabbed();
  window_.ReleaseKeyboard();
  const bool cursorHidden = cursorHides_ > 0;
  int eventBase, errorBase;
  const bool fixes = XFixesQueryExtension(display_, &eventBase, &errorBase);
  if (cursorHidden && fixes) XFixesShowCursor(display_, DefaultRootWindow(display_));
  ShowX11MessageBox(display_, window_.window(), "Error", text, [] { return QuitSignalReceived(); });
  if (cursorHidden && fixes) XFixesHideCursor(display_, DefaultRootWindow(display_));
  if (hadKeyboard) window_.GrabKeyboard();
  XFlush(display_);
}
