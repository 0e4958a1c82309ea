#include "x11_renderer_platform.h"

#include <X11/extensions/Xfixes.h>
#include <cstdio>

#include "termination_signals.h"
#include "x11_connection_loss.h"
#include "x11_message_box.h"

namespace {

// The handed-over window, whose owner may destroy it at any moment: requests
// on it that fail then are expected and not worth a line on stderr.
Window g_adoptedWindow = 0;

// A failed request (a refused RandR call, a vanished window) must not end the
// show the way Xlib's default handler does; it is noted on stderr instead.
int OnXError(Display* display, XErrorEvent* error) {
  if (g_adoptedWindow != 0 && error->resourceid == g_adoptedWindow) return 0;
  char text[256] = {};
  XGetErrorText(display, error->error_code, text, sizeof text);
  std::fprintf(stderr, "Quiverglide: X request %d.%d failed: %s\n", error->request_code, error->minor_code, text);
  return 0;
}

}  // namespace

X11RendererPlatform::X11RendererPlatform(Window adoptedWindow)
    : adopted_(adoptedWindow), loader_([this](const std::string& text) { ShowErrorBox(text); }) {
  g_adoptedWindow = adoptedWindow;
}

X11RendererPlatform::~X11RendererPlatform() { Disconnect(); }

void X11RendererPlatform::Attach(Display* display) {
  display_ = display;
  mode_.Attach(display);
  target_.Attach(display);
  covers_.Attach(display);
  adopted_.Attach(display);
  adoptedEvents_.Attach(display);
  events_.Attach(display);
}

bool X11RendererPlatform::Connect(std::string* why) {
  if (display_) return true;
  const char* name = XDisplayName(nullptr);
  Display* display = XOpenDisplay(nullptr);
  if (!display) {
    if (why) *why = std::string("cannot open X display \"") + (name ? name : "") + "\"";
    return false;
  }
  XSetErrorHandler(OnXError);
  EndWithTheConnection(display);
  Attach(display);
  return true;
}

void X11RendererPlatform::Disconnect() {
  if (!display_) return;
  covered_.Close();
  adopted_.Close();
  Display* display = display_;
  Attach(nullptr);
  XCloseDisplay(display);
}

void X11RendererPlatform::SetCursorVisible(bool visible) {
  // The daemon hides the pointer over its own window.
  if (!display_ || hosted()) return;
  int eventBase, errorBase;
  if (!XFixesQueryExtension(display_, &eventBase, &errorBase)) return;
  const Window root = DefaultRootWindow(display_);
  if (visible) {
    if (cursorHides_ == 0) return;
    XFixesShowCursor(display_, root);
    --cursorHides_;
  } else {
    XFixesHideCursor(display_, root);
    ++cursorHides_;
  }
  XFlush(display_);
}

void X11RendererPlatform::ShowErrorBox(const std::string& text) {
  // Also on stderr: a show on a headless server leaves a trace of it.
  std::fprintf(stderr, "Quiverglide: Error: %s%s", text.c_str(),
               (!text.empty() && text.back() == '\n') ? "" : "\n");
  // Under the daemon's grabs and above its window no box could be answered.
  if (!display_ || hosted()) return;
  X11ShowWindow& window = target_.window();
  const bool hadKeyboard = window.keyboardGrabbed();
  window.ReleaseKeyboard();
  const bool cursorHidden = cursorHides_ > 0;
  int eventBase, errorBase;
  const bool fixes = XFixesQueryExtension(display_, &eventBase, &errorBase);
  if (cursorHidden && fixes) XFixesShowCursor(display_, DefaultRootWindow(display_));
  ShowX11MessageBox(display_, window.window(), "Error", text, [] { return qg::TerminationRequested(); });
  if (cursorHidden && fixes) XFixesHideCursor(display_, DefaultRootWindow(display_));
  if (hadKeyboard) window.GrabKeyboard();
  XFlush(display_);
}
