#include "xrandr_modes.h"

namespace qg::xrandr {

const CrtcState* ScreenState::Find(RRCrtc crtc) const {
  for (const CrtcState& c : crtcs)
    if (c.crtc == crtc) return &c;
  return nullptr;
}

int ScreenState::ActiveCrtcs() const {
  int active = 0;
  for (const CrtcState& c : crtcs)
    if (c.mode != 0) ++active;
  return active;
}

bool HasRandr12(Display* display) {
  int eventBase, errorBase, major = 0, minor = 0;
  return XRRQueryExtension(display, &eventBase, &errorBase) && XRRQueryVersion(display, &major, &minor) &&
         (major > 1 || (major == 1 && minor >= 2));
}

Resources CurrentResources(Display* display) {
  return Resources(XRRGetScreenResourcesCurrent(display, DefaultRootWindow(display)));
}

void ReadScreen(Display* display, XRRScreenResources* resources, ScreenState* state) {
  *state = ScreenState{};
  const int screen = DefaultScreen(display);
  state->width = DisplayWidth(display, screen);
  state->height = DisplayHeight(display, screen);
  state->mmWidth = DisplayWidthMM(display, screen);
  state->mmHeight = DisplayHeightMM(display, screen);
  for (int i = 0; i < resources->ncrtc; ++i) {
    XRRCrtcInfo* info = XRRGetCrtcInfo(display, resources, resources->crtcs[i]);
    if (!info) continue;
    CrtcState c;
    c.crtc = resources->crtcs[i];
    c.mode = info->mode;
    c.x = info->x;
    c.y = info->y;
    c.rotation = info->rotation;
    c.outputs.assign(info->outputs, info->outputs + info->noutput);
    state->crtcs.push_back(std::move(c));
    XRRFreeCrtcInfo(info);
  }
}

bool SetCrtc(Display* display, XRRScreenResources* resources, const CrtcState& state) {
  // Xlib's prototype takes the outputs as a plain pointer; it only reads them.
  RROutput* outputs = state.outputs.empty() ? nullptr : const_cast<RROutput*>(state.outputs.data());
  return XRRSetCrtcConfig(display, resources, state.crtc, CurrentTime, state.x, state.y, state.mode,
                          state.rotation, outputs, static_cast<int>(state.outputs.size())) == RRSetConfigSuccess;
}

void SetScreenSize(Display* display, int width, int height, int mmWidth, int mmHeight) {
  XRRSetScreenSize(display, DefaultRootWindow(display), width, height, mmWidth, mmHeight);
}

}  // namespace qg::xrandr
