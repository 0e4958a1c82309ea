// X events of the show window as the renderer's window messages: key presses
// (Escape as its key code), the WM_DELETE_WINDOW close request, exposure,
// size changes and pointer activity, and the screen's RandR changes as a
// display change; and the source of the show's messages.
#pragma once

#include <X11/Xlib.h>

#include "renderer_platform.h"

struct X11EventContext {
  Window window = 0;
  Atom wmProtocols = 0;
  Atom wmDeleteWindow = 0;
  int lastWidth = 0;
  int lastHeight = 0;
  // A window of another program may be destroyed under the show: that ends it.
  bool closeOnDestroy = false;
  // The RandR extension's first event number, where the show follows the
  // monitors; -1: their changes are not watched.
  int randrEventBase = -1;
};

// False for events the show has no message for.
bool TranslateX11Event(XEvent& event, X11EventContext& context, RendererMessage* message);

// The show's messages on X11: the window's events as they come, then, once,
// a quit when a termination signal has arrived.
class X11EventSource final : public EventSource {
 public:
  explicit X11EventSource(X11EventContext& context) : context_(context) {}
  // The connection the events are read from; null: none wait.
  void Attach(Display* display) { display_ = display; }
  bool Next(RendererMessage* message) override;

 private:
  Display* display_ = nullptr;
  X11EventContext& context_;
  bool quitGiven_ = false;
};
