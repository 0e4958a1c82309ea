// The show's GL context with GLX. X fixes a window's visual when the window
// is created, so the visual is chosen first and the window made with it.
#pragma once

#include <GL/glx.h>
#include <X11/Xlib.h>

#include "renderer_platform.h"

class X11GLContext {
 public:
  ~X11GLContext();
  // Picks the closest double-buffered RGBA visual with the requested depth
  // buffer. Null when the server offers none.
  XVisualInfo* ChooseVisual(Display* display, const PixelFormatRequest& request);
  // Takes the visual of a window made by another program, which cannot be
  // changed. Null unless it is a GL-capable RGBA visual.
  XVisualInfo* AdoptVisualOf(Display* display, Window window);
  XVisualInfo* visual() const { return visual_; }
  // Creates the context on the window and makes it current.
  bool Create(Display* display, Window window);
  void Destroy();
  void Swap();
  bool exists() const { return context_ != nullptr; }

 private:
  Display* display_ = nullptr;
  Window window_ = 0;
  XVisualInfo* visual_ = nullptr;
  GLXContext context_ = nullptr;
};
