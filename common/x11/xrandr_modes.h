// Reading and setting display modes with XRandR 1.2, for both programs: the
// renderer's switch to the show's size and back, and the host's guard that
// puts back what a killed renderer left behind. Both switch and put back one
// output only, the show's; monitors may come and go meanwhile.
#pragma once

#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>
#include <memory>
#include <vector>

namespace qg::xrandr {

struct ResourcesDeleter {
  void operator()(XRRScreenResources* r) const { XRRFreeScreenResources(r); }
};
using Resources = std::unique_ptr<XRRScreenResources, ResourcesDeleter>;
struct OutputInfoDeleter {
  void operator()(XRROutputInfo* o) const { XRRFreeOutputInfo(o); }
};
using OutputInfo = std::unique_ptr<XRROutputInfo, OutputInfoDeleter>;

// One CRTC as it is set: its mode (None: off), position, rotation and outputs.
struct CrtcState {
  RRCrtc crtc = 0;
  RRMode mode = 0;
  int x = 0, y = 0;
  Rotation rotation = RR_Rotate_0;
  std::vector<RROutput> outputs;

  bool SameMode(const CrtcState& o) const {
    return mode == o.mode && x == o.x && y == o.y && rotation == o.rotation;
  }
};

// The screen's size, in pixels and millimetres, and every CRTC.
struct ScreenState {
  int width = 0, height = 0, mmWidth = 0, mmHeight = 0;
  std::vector<CrtcState> crtcs;

  // The CRTC's state; null when the screen has no such CRTC.
  const CrtcState* Find(RRCrtc crtc) const;
  // CRTCs with a mode set.
  int ActiveCrtcs() const;
};

// The layout before the show and the output the show switches: the one at
// (0, 0), the primary one when it is there.
struct ShowLayout {
  ScreenState before;
  RROutput output = 0;
  RRCrtc crtc = 0;  // the output's CRTC before the show
};

// True when the server speaks RandR 1.2 or later.
bool HasRandr12(Display* display);
// The default screen's current resources (no probing of the outputs).
Resources CurrentResources(Display* display);
// Reads the default screen's size (asked of the server, not Xlib's copy) and
// its CRTCs.
void ReadScreen(Display* display, XRRScreenResources* resources, ScreenState* state);
// Reads the layout; false without RandR 1.2 or without an output at (0, 0).
bool ReadShowLayout(Display* display, ShowLayout* layout);
// Puts the show's output back as it was before the show and leaves every
// other CRTC as it is now (monitors plugged in or out, moved). The screen
// takes its old size while the others are as they were, else it grows to
// hold them all. Nothing when the output is off now (let go by the user) or
// already as it was. False when the server refuses.
bool RestoreShowOutput(Display* display, const ShowLayout& layout);
// Sets the CRTC as `state` says; true when the server accepts.
bool SetCrtc(Display* display, XRRScreenResources* resources, const CrtcState& state);
// Sets the default screen's size.
void SetScreenSize(Display* display, int width, int height, int mmWidth, int mmHeight);

}  // namespace qg::xrandr
