#include "xrandr_modes.h"

#include <algorithm>

namespace qg::xrandr {

namespace {

// The CRTC showing the output now; 0 when it shows nothing.
RRCrtc CrtcOf(Display* display, XRRScreenResources* res, RROutput output) {
  OutputInfo info(XRRGetOutputInfo(display, res, output));
  return info && info->connection != RR_Disconnected ? info->crtc : 0;
}

// The output the window's corner lies on: the primary one when its CRTC is at
// (0, 0), else the first output whose CRTC is.
RROutput OutputAtOrigin(Display* display, XRRScreenResources* res, const ScreenState& screen) {
  auto atOrigin = [&](RROutput output) {
    const CrtcState* c = screen.Find(CrtcOf(display, res, output));
    return c && c->mode != 0 && c->x == 0 && c->y == 0;
  };
  const RROutput primary = XRRGetOutputPrimary(display, DefaultRootWindow(display));
  if (primary != 0 && atOrigin(primary)) return primary;
  for (int i = 0; i < res->noutput; ++i)
    if (atOrigin(res->outputs[i])) return res->outputs[i];
  return 0;
}

// The size of a CRTC's area on the screen.
void CrtcSize(XRRScreenResources* res, const CrtcState& c, int* width, int* height) {
  *width = *height = 0;
  for (int i = 0; i < res->nmode; ++i) {
    if (res->modes[i].id != c.mode) continue;
    const bool turned = (c.rotation & (RR_Rotate_90 | RR_Rotate_270)) != 0;
    *width = static_cast<int>(turned ? res->modes[i].height : res->modes[i].width);
    *height = static_cast<int>(turned ? res->modes[i].width : res->modes[i].height);
  }
}

}  // namespace

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
  Window root;
  int x, y;
  unsigned width = 0, height = 0, border, depth;
  XGetGeometry(display, RootWindow(display, screen), &root, &x, &y, &width, &height, &border, &depth);
  state->width = static_cast<int>(width);
  state->height = static_cast<int>(height);
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

bool ReadShowLayout(Display* display, ShowLayout* layout) {
  *layout = ShowLayout{};
  if (!HasRandr12(display)) return false;
  Resources res = CurrentResources(display);
  if (!res) return false;
  ReadScreen(display, res.get(), &layout->before);
  layout->output = OutputAtOrigin(display, res.get(), layout->before);
  layout->crtc = layout->output ? CrtcOf(display, res.get(), layout->output) : 0;
  return layout->crtc != 0;
}

bool RestoreShowOutput(Display* display, const ShowLayout& layout) {
  const CrtcState* was = layout.before.Find(layout.crtc);
  if (!was) return true;
  // Held for the whole change, so nothing can move the layout between the
  // look and the change.
  XGrabServer(display);
  bool ok = true;
  Resources res = CurrentResources(display);
  ScreenState now;
  if (res) ReadScreen(display, res.get(), &now);
  const CrtcState* current = res ? now.Find(CrtcOf(display, res.get(), layout.output)) : nullptr;
  if (current && current->mode != 0 && !current->SameMode(*was)) {
    CrtcState wanted = *was;
    wanted.crtc = current->crtc;
    wanted.outputs = current->outputs;
    bool othersAsBefore = true;
    int width = now.width, height = now.height;
    for (const CrtcState& c : now.crtcs) {
      const CrtcState& shown = c.crtc == wanted.crtc ? wanted : c;
      const CrtcState* before = layout.before.Find(c.crtc);
      if (c.crtc != wanted.crtc && (!before || !before->SameMode(c) || before->outputs != c.outputs))
        othersAsBefore = false;
      int w, h;
      CrtcSize(res.get(), shown, &w, &h);
      if (shown.mode != 0) width = std::max(width, shown.x + w), height = std::max(height, shown.y + h);
    }
    if (othersAsBefore) width = layout.before.width, height = layout.before.height;
    // A CRTC must lie inside the screen at every step: grow, set, then shrink.
    const auto resize = [&](int w, int h) {
      if (w == now.width && h == now.height) return;
      const ScreenState& b = layout.before;
      SetScreenSize(display, w, h, b.width ? b.mmWidth * w / b.width : now.mmWidth,
                    b.height ? b.mmHeight * h / b.height : now.mmHeight);
      now.width = w, now.height = h;
    };
    resize(std::max(width, now.width), std::max(height, now.height));
    ok = SetCrtc(display, res.get(), wanted);
    if (ok) resize(width, height);
  }
  XUngrabServer(display);
  XSync(display, False);
  return ok && res;
}

}  // namespace qg::xrandr
