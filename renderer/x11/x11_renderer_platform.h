// The renderer's platform on X11: Xlib window, XRandR display mode, XFixes
// cursor, the X screensaver extension, GLX, the renderer's own message box and
// the POSIX snapshot access, put together behind RendererPlatform.
#pragma once

#include <X11/Xlib.h>
#include <string>

#include "posix_loader_platform.h"
#include "renderer_platform.h"
#include "x11_display_mode.h"
#include "x11_event_translation.h"
#include "x11_covered_target.h"
#include "x11_window_target.h"

class X11RendererPlatform final : public RendererPlatform {
 public:
  X11RendererPlatform();
  ~X11RendererPlatform() override;

  bool Connect(std::string* why) override;
  void Disconnect() override;
  DisplayModeControl& DisplayMode() override { return mode_; }
  void SetCursorVisible(bool visible) override;
  DrawingTarget& Target() override { return covered_; }
  EventSource& Events() override { return events_; }
  void ShowErrorBox(const std::string& text) override;
  LoaderPlatform& Loader() override { return loader_; }

 private:
  // Hands the connection (or its end, null) to every part.
  void Attach(Display* display);

  Display* display_ = nullptr;
  X11DisplayMode mode_;
  X11WindowTarget target_;
  X11CoveredTarget covered_{target_};  // the show on one monitor, the others black
  X11EventSource events_{target_.events()};
  PosixLoaderPlatform loader_;
  int cursorHides_ = 0;  // outstanding hides, given back on disconnect anyway
};
