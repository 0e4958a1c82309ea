// The show's display-mode switch with XRandR: the output at the window's
// corner (the primary one, or else the one whose CRTC sits at (0, 0)) is set
// to one of its width x height modes, the refresh rate as close as possible to
// the current one, and set back at the end, the other monitors left as they
// are then. The screen size follows the CRTC while it is the only active one,
// as xrandr does; with several active CRTCs the screen keeps its size.
#pragma once

#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>

#include "xrandr_modes.h"

#include "renderer_platform.h"

// Refresh rate of a mode in hertz (0 when its timings are unknown).
double RefreshOf(const XRRModeInfo& mode);
// Among the output's modes (ids into the screen's mode list) the one of the
// given size whose refresh rate is closest to `refresh`; 0 when none has it.
RRMode ClosestMode(const XRRModeInfo* screenModes, int screenModeCount, const RRMode* outputModes,
                   int outputModeCount, int width, int height, double refresh);

class X11DisplayMode final : public DisplayModeControl {
 public:
  // The connection the mode is read and set through; null: nothing to do.
  void Attach(Display* display) { display_ = display; }
  // Reads and remembers the current mode. False when RandR 1.2 is missing or
  // no output with a mode covers (0, 0).
  bool ReadCurrent() override;
  // Switches to a width x height mode; false when there is none or the server
  // refuses.
  bool SwitchTo(int width, int height) override;
  // Back to the remembered mode (xrandr_modes.h); nothing unless switched.
  void Restore() override;

 private:
  Display* display_ = nullptr;
  bool read_ = false;
  bool switched_ = false;
  qg::xrandr::ShowLayout layout_;  // as read, before the switch
  qg::xrandr::CrtcState saved_;     // the CRTC at the window's corner, as read
  double refresh_ = 0.0;
  bool onlyActiveCrtc_ = false;
};
