#include "x11_display_mode.h"

#include <cmath>
#include <memory>

namespace {

using qg::xrandr::OutputInfo;
using qg::xrandr::Resources;

const XRRModeInfo* FindMode(const XRRScreenResources* res, RRMode id) {
  for (int i = 0; i < res->nmode; ++i)
    if (res->modes[i].id == id) return &res->modes[i];
  return nullptr;
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
  if (!display || !qg::xrandr::ReadShowLayout(display, &layout_)) return false;
  Resources res = qg::xrandr::CurrentResources(display);
  const qg::xrandr::CrtcState* state = layout_.before.Find(layout_.crtc);
  const XRRModeInfo* mode = res && state ? FindMode(res.get(), state->mode) : nullptr;
  if (!mode) return false;
  saved_ = *state;
  refresh_ = RefreshOf(*mode);
  onlyActiveCrtc_ = layout_.before.ActiveCrtcs() == 1;
  read_ = true;
  return true;
}

bool X11DisplayMode::SwitchTo(int width, int height) {
  Display* display = display_;
  if (!read_ || !display) return false;
  Resources res = qg::xrandr::CurrentResources(display);
  if (!res || saved_.outputs.empty()) return false;
  OutputInfo output(XRRGetOutputInfo(display, res.get(), layout_.output));
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
    const qg::xrandr::ScreenState& screen = layout_.before;
    if (onlyActiveCrtc_ && (w != screen.width || h != screen.height)) {
      // Keep the physical size's proportion for the new pixel size.
      const int mmW = screen.width ? screen.mmWidth * w / screen.width : screen.mmWidth;
      const int mmH = screen.height ? screen.mmHeight * h / screen.height : screen.mmHeight;
      qg::xrandr::SetScreenSize(display, w, h, mmW, mmH);
    }
  }
  XUngrabServer(display);
  XSync(display, False);
  return ok;
}

void X11DisplayMode::Restore() {
  if (!switched_ || !display_) return;
  switched_ = false;
  qg::xrandr::RestoreShowOutput(display_, layout_);
}
