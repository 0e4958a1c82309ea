#include "x11_display_mode.h"

#include <cmath>
#include <memory>

namespace {

using qg::xrandr::Resources;

struct CrtcDeleter {
  void operator()(XRRCrtcInfo* c) const { XRRFreeCrtcInfo(c); }
};
struct OutputDeleter {
  void operator()(XRROutputInfo* o) const { XRRFreeOutputInfo(o); }
};
using CrtcInfo = std::unique_ptr<XRRCrtcInfo, CrtcDeleter>;
using OutputInfo = std::unique_ptr<XRROutputInfo, OutputDeleter>;

const XRRModeInfo* FindMode(const XRRScreenResources* res, RRMode id) {
  for (int i = 0; i < res->nmode; ++i)
    if (res->modes[i].id == id) return &res->modes[i];
  return nullptr;
}

// The output the window's corner lies on: the primary one when its CRTC is at
// (0, 0), else the first output whose CRTC is.
RROutput FindOutputAtOrigin(Display* display, Window root, XRRScreenResources* res, RRCrtc* crtcOut) {
  auto crtcAtOrigin = [&](RROutput output, RRCrtc* crtc) {
    OutputInfo info(XRRGetOutputInfo(display, res, output));
    if (!info || info->crtc == 0 || info->connection == RR_Disconnected) return false;
    CrtcInfo c(XRRGetCrtcInfo(display, res, info->crtc));
    if (!c || c->mode == 0 || c->x != 0 || c->y != 0) return false;
    *crtc = info->crtc;
    return true;
  };
  const RROutput primary = XRRGetOutputPrimary(display, root);
  if (primary != 0 && crtcAtOrigin(primary, crtcOut)) return primary;
  for (int i = 0; i < res->noutput; ++i)
    if (crtcAtOrigin(res->outputs[i], crtcOut)) return res->outputs[i];
  return 0;
}

}  // namespace

double RefreshOf(const XRRModeInfo& m) {
  if (m.hTotal == 0 || m.vTotal == 0) return 0.0;
  double v = static_cast<double>(m.vTotal);
  if (m.modeFlags & RR_DoubleScan) v *= 2;
  if (m.modeFlags & RR_Interlace) v /= 2;
  return static_cast<double>(m.dotClock) / (static_cast<double>(m.hTotal) * v);
}

RRMode ClosestMode(const XRRModeInfo* screenModes, int screenModeCount, const RRMode* outputModes,
                   int outputModeCount, int width, int height, double refresh) {
  RRMode best = 0;
  double bestDistance = 0.0;
  for (int i = 0; i < outputModeCount; ++i) {
    const XRRModeInfo* m = nullptr;
    for (int j = 0; j < screenModeCount && !m; ++j)
      if (screenModes[j].id == outputModes[i]) m = &screenModes[j];
    if (!m || static_cast<int>(m->width) != width || static_cast<int>(m->height) != height) continue;
    const double distance = std::fabs(RefreshOf(*m) - refresh);
    if (best == 0 || distance < bestDistance) {
      best = m->id;
      bestDistance = distance;
    }
  }
  return best;
}

bool X11DisplayMode::ReadCurrent() {
  read_ = false;
  Display* display = display_;
  if (!display || !qg::xrandr::HasRandr12(display)) return false;
  Resources res = qg::xrandr::CurrentResources(display);
  if (!res) return false;
  RRCrtc crtc = 0;
  if (FindOutputAtOrigin(display, DefaultRootWindow(display), res.get(), &crtc) == 0) return false;
  qg::xrandr::ScreenState screen;
  qg::xrandr::ReadScreen(display, res.get(), &screen);
  const qg::xrandr::CrtcState* state = screen.Find(crtc);
  if (!state) return false;
  const XRRModeInfo* mode = FindMode(res.get(), state->mode);
  if (!mode) return false;

  saved_ = *state;
  refresh_ = RefreshOf(*mode);
  onlyActiveCrtc_ = screen.ActiveCrtcs() == 1;
  screen_ = screen;
  screen_.crtcs.clear();
  read_ = true;
  return true;
}

bool X11DisplayMode::SwitchTo(int width, int height) {
  Display* display = display_;
  if (!read_ || !display) return false;
  Resources res = qg::xrandr::CurrentResources(display);
  if (!res || saved_.outputs.empty()) return false;
  OutputInfo output(XRRGetOutputInfo(display, res.get(), saved_.outputs.front()));
  if (!output) return false;

  const RRMode best =
      ClosestMode(res->modes, res->nmode, output->modes, output->nmode, width, height, refresh_);
  if (best == 0) return false;
  if (best == saved_.mode) return true;  // already there; nothing to undo

  XGrabServer(display);
  qg::xrandr::CrtcState wanted = saved_;
  wanted.mode = best;
  const bool ok = qg::xrandr::SetCrtc(display, res.get(), wanted);
  if (ok) {
    switched_ = true;
    const bool rotated = (saved_.rotation & (RR_Rotate_90 | RR_Rotate_270)) != 0;
    const int w = rotated ? height : width, h = rotated ? width : height;
    if (onlyActiveCrtc_ && (w != screen_.width || h != screen_.height)) {
      // Keep the physical size's proportion for the new pixel size.
      const int mmW = screen_.width ? screen_.mmWidth * w / screen_.width : screen_.mmWidth;
      const int mmH = screen_.height ? screen_.mmHeight * h / screen_.height : screen_.mmHeight;
      qg::xrandr::SetScreenSize(display, w, h, mmW, mmH);
      screenResized_ = true;
    }
  }
  XUngrabServer(display);
  XSync(display, False);
  return ok;
}

void X11DisplayMode::Restore() {
  Display* display = display_;
  if (!switched_ || !display) return;
  switched_ = false;
  Resources res = qg::xrandr::CurrentResources(display);
  if (!res) return;
  XGrabServer(display);
  // Grow the screen first: a CRTC must always fit inside it.
  if (screenResized_)
    qg::xrandr::SetScreenSize(display, screen_.width, screen_.height, screen_.mmWidth, screen_.mmHeight);
  screenResized_ = false;
  qg::xrandr::SetCrtc(display, res.get(), saved_);
  XUngrabServer(display);
  XSync(display, False);
}
