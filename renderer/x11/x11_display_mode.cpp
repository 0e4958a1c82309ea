#include "x11_display_mode.h"

#include <cmath>
#include <memory>

namespace {

struct ResourcesDeleter {
  void operator()(XRRScreenResources* r) const { XRRFreeScreenResources(r); }
};
struct CrtcDeleter {
  void operator()(XRRCrtcInfo* c) const { XRRFreeCrtcInfo(c); }
};
struct OutputDeleter {
  void operator()(XRROutputInfo* o) const { XRRFreeOutputInfo(o); }
};
using Resources = std::unique_ptr<XRRScreenResources, ResourcesDeleter>;
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
  if (!display) return false;
  int eventBase, errorBase, major = 0, minor = 0;
  if (!XRRQueryExtension(display, &eventBase, &errorBase) || !XRRQueryVersion(display, &major, &minor) ||
      major < 1 || (major == 1 && minor < 2))
    return false;
  const Window root = DefaultRootWindow(display);
  Resources res(XRRGetScreenResourcesCurrent(display, root));
  if (!res) return false;
  RRCrtc crtc = 0;
  if (FindOutputAtOrigin(display, root, res.get(), &crtc) == 0) return false;
  CrtcInfo info(XRRGetCrtcInfo(display, res.get(), crtc));
  if (!info) return false;
  const XRRModeInfo* mode = FindMode(res.get(), info->mode);
  if (!mode) return false;

  crtc_ = crtc;
  mode_ = info->mode;
  rotation_ = info->rotation;
  x_ = info->x;
  y_ = info->y;
  outputs_.assign(info->outputs, info->outputs + info->noutput);
  refresh_ = RefreshOf(*mode);
  int active = 0;
  for (int i = 0; i < res->ncrtc; ++i) {
    CrtcInfo c(XRRGetCrtcInfo(display, res.get(), res->crtcs[i]));
    if (c && c->mode != 0) ++active;
  }
  onlyActiveCrtc_ = active == 1;
  const int screen = DefaultScreen(display);
  screenWidth_ = DisplayWidth(display, screen);
  screenHeight_ = DisplayHeight(display, screen);
  screenMmWidth_ = DisplayWidthMM(display, screen);
  screenMmHeight_ = DisplayHeightMM(display, screen);
  read_ = true;
  return true;
}

bool X11DisplayMode::SwitchTo(int width, int height) {
  Display* display = display_;
  if (!read_ || !display) return false;
  const Window root = DefaultRootWindow(display);
  Resources res(XRRGetScreenResourcesCurrent(display, root));
  if (!res || outputs_.empty()) return false;
  OutputInfo output(XRRGetOutputInfo(display, res.get(), outputs_.front()));
  if (!output) return false;

  const RRMode best =
      ClosestMode(res->modes, res->nmode, output->modes, output->nmode, width, height, refresh_);
  if (best == 0) return false;
  if (best == mode_) return true;  // already there; nothing to undo

  XGrabServer(display);
  const Status status = XRRSetCrtcConfig(display, res.get(), crtc_, CurrentTime, x_, y_, best, rotation_,
                                         outputs_.data(), static_cast<int>(outputs_.size()));
  const bool ok = status == RRSetConfigSuccess;
  if (ok) {
    switched_ = true;
    const bool rotated = (rotation_ & (RR_Rotate_90 | RR_Rotate_270)) != 0;
    const int w = rotated ? height : width, h = rotated ? width : height;
    if (onlyActiveCrtc_ && (w != screenWidth_ || h != screenHeight_)) {
      // Keep the physical size's proportion for the new pixel size.
      const int mmW = screenWidth_ ? screenMmWidth_ * w / screenWidth_ : screenMmWidth_;
      const int mmH = screenHeight_ ? screenMmHeight_ * h / screenHeight_ : screenMmHeight_;
      XRRSetScreenSize(display, root, w, h, mmW, mmH);
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
  const Window root = DefaultRootWindow(display);
  Resources res(XRRGetScreenResourcesCurrent(display, root));
  if (!res) return;
  XGrabServer(display);
  // Grow the screen first: a CRTC must always fit inside it.
  if (screenResized_)
    XRRSetScreenSize(display, root, screenWidth_, screenHeight_, screenMmWidth_, screenMmHeight_);
  screenResized_ = false;
  XRRSetCrtcConfig(display, res.get(), crtc_, CurrentTime, x_, y_, mode_, rotation_, outputs_.data(),
                   static_cast<int>(outputs_.size()));
  XUngrabServer(display);
  XSync(display, False);
}
