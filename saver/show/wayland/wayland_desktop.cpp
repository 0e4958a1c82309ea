#include "wayland_desktop.h"

#include <wayland-client.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <poll.h>

#include "wlr-screencopy-unstable-v1-client-protocol.h"
#include "xdg-output-unstable-v1-client-protocol.h"

namespace qg::show {

namespace {

void Geometry(void* data, wl_output*, int32_t x, int32_t y, int32_t, int32_t, int32_t, const char*, const char*,
              int32_t transform) {
  auto* o = static_cast<WaylandOutput*>(data);
  o->x = x;
  o->y = y;
  o->transform = transform;
}

void Mode(void* data, wl_output*, uint32_t flags, int32_t width, int32_t height, int32_t) {
  auto* o = static_cast<WaylandOutput*>(data);
  if (flags & WL_OUTPUT_MODE_CURRENT) o->modeWidth = width, o->modeHeight = height;
}

void Scale(void* data, wl_output*, int32_t factor) { static_cast<WaylandOutput*>(data)->scale = factor; }
void OutputDone(void*, wl_output*) {}
void OutputText(void*, wl_output*, const char*) {}

const wl_output_listener kOutputListener = {Geometry, Mode, OutputDone, Scale, OutputText, OutputText};

void LogicalPosition(void* data, zxdg_output_v1*, int32_t x, int32_t y) {
  auto* o = static_cast<WaylandOutput*>(data);
  o->logical.x = x;
  o->logical.y = y;
}

void LogicalSize(void* data, zxdg_output_v1*, int32_t width, int32_t height) {
  auto* o = static_cast<WaylandOutput*>(data);
  o->logical.width = width;
  o->logical.height = height;
}

void XdgDone(void*, zxdg_output_v1*) {}
void XdgText(void*, zxdg_output_v1*, const char*) {}

const zxdg_output_v1_listener kXdgOutputListener = {LogicalPosition, LogicalSize, XdgDone, XdgText, XdgText};

void GlobalRemove(void*, wl_registry*, uint32_t) {}

void SyncDone(void* data, wl_callback*, uint32_t) { *static_cast<bool*>(data) = true; }
const wl_callback_listener kSyncListener = {SyncDone};

}  // namespace

DesktopRect WaylandOutput::Place() const {
  if (logical.width > 0 && logical.height > 0) return logical;
  const int32_t factor = std::max(scale, 1);
  const bool sideways = transform & 1;
  return {x, y, (sideways ? modeHeight : modeWidth) / factor, (sideways ? modeWidth : modeHeight) / factor};
}

void WaylandDesktop::Global(void* data, wl_registry* registry, uint32_t name, const char* interface,
                            uint32_t version) {
  auto* self = static_cast<WaylandDesktop*>(data);
  if (std::strcmp(interface, wl_shm_interface.name) == 0 && !self->shm_) {
    self->shm_ = static_cast<wl_shm*>(wl_registry_bind(registry, name, &wl_shm_interface, 1));
  } else if (std::strcmp(interface, zwlr_screencopy_manager_v1_interface.name) == 0 && !self->screencopy_) {
    self->screencopyVersion_ = std::min(version, 3u);
    self->screencopy_ = static_cast<zwlr_screencopy_manager_v1*>(
        wl_registry_bind(registry, name, &zwlr_screencopy_manager_v1_interface, self->screencopyVersion_));
  } else if (std::strcmp(interface, zxdg_output_manager_v1_interface.name) == 0 && !self->xdgOutputs_) {
    self->xdgOutputs_ = static_cast<zxdg_output_manager_v1*>(
        wl_registry_bind(registry, name, &zxdg_output_manager_v1_interface, std::min(version, 3u)));
  } else if (std::strcmp(interface, wl_output_interface.name) == 0) {
    auto output = std::make_unique<WaylandOutput>();
    output->version = std::min(version, 4u);
    output->output = static_cast<wl_output*>(wl_registry_bind(registry, name, &wl_output_interface, output->version));
    wl_output_add_listener(output->output, &kOutputListener, output.get());
    self->outputs_.push_back(std::move(output));
  }
}

WaylandDesktop::WaylandDesktop(Deadline deadline) {
  display_ = wl_display_connect(nullptr);
  if (!display_) return;
  static const wl_registry_listener kRegistryListener = {Global, GlobalRemove};
  registry_ = wl_display_get_registry(display_);
  wl_registry_add_listener(registry_, &kRegistryListener, this);
  // The globals first; the outputs' own events follow their binding.
  if (!RoundTrip(deadline)) return;
  for (const auto& o : outputs_) {
    if (!xdgOutputs_) break;
    o->xdgOutput = zxdg_output_manager_v1_get_xdg_output(xdgOutputs_, o->output);
    zxdg_output_v1_add_listener(o->xdgOutput, &kXdgOutputListener, o.get());
  }
  answered_ = RoundTrip(deadline);
}

WaylandDesktop::~WaylandDesktop() {
  for (const auto& o : outputs_) {
    if (o->xdgOutput) zxdg_output_v1_destroy(o->xdgOutput);
    if (o->version >= WL_OUTPUT_RELEASE_SINCE_VERSION) wl_output_release(o->output);
    else wl_output_destroy(o->output);
  }
  if (xdgOutputs_) zxdg_output_manager_v1_destroy(xdgOutputs_);
  if (screencopy_) zwlr_screencopy_manager_v1_destroy(screencopy_);
  if (shm_) wl_shm_destroy(shm_);
  if (registry_) wl_registry_destroy(registry_);
  if (display_) {
    wl_display_flush(display_);
    wl_display_disconnect(display_);
  }
}

std::vector<DesktopRect> WaylandDesktop::Places() const {
  std::vector<DesktopRect> places;
  for (const auto& o : outputs_) places.push_back(o->Place());
  return places;
}

bool WaylandDesktop::RoundTrip(Deadline deadline) {
  bool done = false;
  wl_callback* callback = wl_display_sync(display_);
  wl_callback_add_listener(callback, &kSyncListener, &done);
  const bool ok = DispatchUntil(deadline, [&] { return done; });
  wl_callback_destroy(callback);
  return ok;
}

// wl_display_dispatch would wait for the compositor without end; this waits
// on its socket with the time that is left.
bool WaylandDesktop::DispatchUntil(Deadline deadline, const std::function<bool()>& done) {
  for (;;) {
    if (wl_display_dispatch_pending(display_) < 0) return false;
    if (done()) return true;
    if (wl_display_prepare_read(display_) != 0) continue;
    wl_display_flush(display_);
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now()).count();
    pollfd fd = {wl_display_get_fd(display_), POLLIN, 0};
    const int ready = left > 0 ? poll(&fd, 1, static_cast<int>(left)) : 0;
    if (ready <= 0) {
      wl_display_cancel_read(display_);
      if (ready < 0 && errno == EINTR) continue;
      return false;
    }
    if (wl_display_read_events(display_) < 0) return false;
  }
}

}  // namespace qg::show
