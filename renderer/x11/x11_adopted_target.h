// The show drawn into a window another program made and hands over (the X11
// screensaver daemon's window, or a small preview window of its settings
// dialog). The window stays theirs: nothing here maps, moves, resizes or
// focuses it, and no input is grabbed. The GL context uses the window's own
// visual, the scene follows the window's size, and the window's destruction
// ends the show.
#pragma once

#include <X11/Xlib.h>
#include <string>

#include "renderer_platform.h"
#include "x11_event_translation.h"
#include "x11_gl_context.h"

class X11AdoptedTarget final : public DrawingTarget {
 public:
  explicit X11AdoptedTarget(Window window) : window_(window) {}
  void Attach(Display* display) { display_ = display; }

  // False when the window does not exist (any more).
  bool Open(const std::string& title, int width, int height, const PixelFormatRequest& format) override;
  bool HasPixelFormat() override { return visualAdopted_; }
  void ClientSize(int* width, int* height) override;
  bool FollowsSize() override { return true; }
  void Close() override;
  bool CreateContext() override;
  void DestroyContext() override { gl_.Destroy(); }
  void PresentFrame() override;

  Window window() const { return window_; }
  X11EventContext& events() { return events_; }

 private:
  Display* display_ = nullptr;
  const Window window_;
  X11GLContext gl_;
  X11EventContext events_;
  bool visualAdopted_ = false;
  bool opened_ = false;
};

// The display mode of a show in another program's window: the daemon lays out
// its windows by the monitors' modes and takes a switch for a new monitor, so
// the mode is left alone (the show runs at the window's size).
class UnchangedDisplayMode final : public DisplayModeControl {
 public:
  bool ReadCurrent() override { return false; }
  bool SwitchTo(int, int) override { return false; }
  void Restore() override {}
};
