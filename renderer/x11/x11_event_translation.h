// X events of the show window as the renderer's window messages: key presses
// (Escape as its key code), the WM_DELETE_WINDOW close request, exposure,
// size changes and pointer activity.
#pragma once

#include <X11/Xlib.h>

#include "renderer_platform.h"

struct X11EventContext {
  Window window = 0;
  Atom wmProtocols = 0;
  Atom wmDeleteWindow = 0;
  int lastWidth = 0;
  int lastHeight = 0;
};

// False for events the show has no message for.
bool TranslateX11Event(XEvent& event, X11EventContext& context, RendererMessage* message);
