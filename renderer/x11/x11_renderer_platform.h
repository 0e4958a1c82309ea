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
#include "x11_adopted_target.h"
#include "x11_monitor_covers.h"
#include "x11_window_target.h"

class X11RendererPlatform final : public RendererPlatform {
 public:
  // adoptedWindow: the window another program hands over to draw in; 0 for
  // the show's own full-screen window.
  explicit X11RendererPlatform(Window adoptedWindow = 0);
  ~X11RendererPlatform() override;

  bool Connect(std::string* why) override;
  void Disconnect() override;
  DisplayModeControl& DisplayMode() override {
    return hosted() ? static_cast<DisplayModeControl&>(unchangedMode_) : mode_;
  }
  void SetCursorVisible(bool visible) override;
  DrawingTarget& Target() override {
    return hosted() ? static_cast<DrawingTarget&>(adopted_) : covered_;
  }
  EventSource& Events() override { return hosted() ? adoptedEvents_ : events_; }
  void ShowErrorBox(const std::string& text) override;
  LoaderPlatform& Loader() override { return loader_; }

 private:
  bool hosted() const { return adopted_.window() != 0; }
  // Hands the connection (or its end, null) to every part.
  void Attach(Display* display);

  Display* display_ = nullptr;
  X11DisplayMode mode_;
  X11WindowTarget target_;
  X11MonitorCovers covers_;
  CoveredTarget covered_{target_, covers_};  // the show on one monitor, the others black
  X11EventSource events_{target_.events()};
  UnchangedDisplayMode unchangedMode_;
  X11AdoptedTarget adopted_;
  X11EventSource adoptedEvents_{adopted_.events()};
  PosixLoaderPlatform loader_;
  int cursorHides_ = 0;  // outstanding hides, given back on disconnect anyway
};
