#include "wayland_window_target.h"

#include "display_system.h"
#include "idle-inhibit-unstable-v1-client-protocol.h"
#include "wayland_connection.h"

WaylandWindowTarget::WaylandWindowTarget(WaylandConnection& connection, const WaylandDisplayMode& mode,
                                         WaylandEventSource& events)
    : connection_(connection), mode_(mode), events_(events), pacer_(connection, [this] { return events_.Waiting(); }) {}

bool WaylandWindowTarget::Open(const std::string& title, int width, int height, const PixelFormatRequest& format) {
  if (!connection_.display() || surface_) return false;
  WaylandOutput* output = ShowOutput(connection_.outputs());
  outputName_ = output ? output->globalName : 0;
  // No config is the pixel-format failure, which the spine takes from here.
  gl_.ChooseConfig(connection_.display(), format);
  // With no output known, the compositor chooses.
  surface_ = std::make_unique<WaylandFullscreenSurface>(connection_, output ? output->output : nullptr, title, true,
                                                        mode_.scaled());
  surface_->onClosed = [this] { events_.Post(RendererMessage{kMsgClose, 0, 0}); };
  if (!surface_->Create()) {
    Close();
    return false;
  }
  marker_.Claim(qg::CurrentSession(), title);
  if (!surface_->WaitConfigured()) {
    Close();
    return false;
  }
  width_ = width, height_ = height;
  return true;
}

void WaylandWindowTarget::ClientSize(int* width, int* height) {
  *width = width_;
  *height = height_;
}

void WaylandWindowTarget::HoldOffScreenSaver(bool hold) {
  zwp_idle_inhibit_manager_v1* manager = connection_.idleInhibitor();
  if (hold && !idleInhibitor_ && surface_ && manager) {
    idleInhibitor_ = zwp_idle_inhibit_manager_v1_create_inhibitor(manager, surface_->surface());
  } else if (!hold && idleInhibitor_) {
    zwp_idle_inhibitor_v1_destroy(idleInhibitor_);
    idleInhibitor_ = nullptr;
  }
}

void WaylandWindowTarget::Close() {
  HoldOffScreenSaver(false);
  pacer_.Reset();
  gl_.Release();
  if (surface_) {
    surface_.reset();
    // Gone from the screen before the mark goes, as a window would be.
    connection_.Roundtrip();
  }
  marker_.Release();
  outputName_ = 0;
  width_ = height_ = 0;
}

bool WaylandWindowTarget::CreateContext() { return surface_ && gl_.Create(surface_->surface(), width_, height_); }

void WaylandWindowTarget::DestroyContext() {
  pacer_.Reset();
  gl_.Destroy();
}

void WaylandWindowTarget::PresentFrame() {
  if (!gl_.exists()) return;
  pacer_.BeforeSwap(surface_->surface());
  gl_.Swap();
}
