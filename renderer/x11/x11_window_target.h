// The show's drawing target on X11: a window of its own (X11ShowWindow) made
// with the GLX visual chosen for it, the GLX context on it, and the X
// screensaver extension held off while it is up.
#pragma once

#include <X11/Xlib.h>
#include <string>

#include "renderer_platform.h"
#include "x11_event_translation.h"
#include "x11_gl_context.h"
#include "x11_show_window.h"

class X11WindowTarget final : public DrawingTarget {
 public:
  // The connection everything goes through; null: nothing can be opened.
  void Attach(Display* display) { display_ = display; }

  bool Open(const std::string& title, int width, int height, const PixelFormatRequest& format) override;
  bool HasPixelFormat() override { return visualChosen_; }
  void ClientSize(int* width, int* height) override;
  void HoldOffScreenSaver(bool hold) override;
  void Close() override;
  bool CreateContext() override;
  void DestroyContext() override { gl_.Destroy(); }
  void PresentFrame() override { gl_.Swap(); }

  X11ShowWindow& window() { return window_; }
  // What the event source needs to know of the window.
  X11EventContext& events() { return events_; }

 private:
  Display* display_ = nullptr;
  X11GLContext gl_;
  X11ShowWindow window_;
  X11EventContext events_;
  bool visualChosen_ = false;
  bool screenSaverHeld_ = false;
};
