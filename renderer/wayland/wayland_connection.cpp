#include "wayland_connection.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <poll.h>
#include <wayland-client.h>

#include "idle-inhibit-unstable-v1-client-protocol.h"
#include "viewporter-client-protocol.h"
// The protocol names a request's argument "namespace", a word of C++.
#define namespace name_space
#include "wlr-layer-shell-unstable-v1-client-protocol.h"
#undef namespace
#include "xdg-output-unstable-v1-client-protocol.h"
#include "xdg-shell-client-protocol.h"

namespace {

// The version we speak, or the compositor's if it is older.
template <typename T>
T* Bind(wl_registry* registry, uint32_t name, const wl_interface& interface, uint32_t offered, uint32_t spoken) {
  return static_cast<T*>(wl_registry_bind(registry, name, &interface, std::min(offered, spoken)));
}

void OnPing(void*, xdg_wm_base* base, uint32_t serial) { xdg_wm_base_pong(base, serial); }
const xdg_wm_base_listener kWmBaseListener = {OnPing};

bool LayerShellTurnedAway() {
  const char* shell = std::getenv(kWaylandShellEnv);
  return shell && std::strcmp(shell, "xdg") == 0;
}

}  // namespace

void WaylandConnection::OnGlobal(void* data, wl_registry* registry, uint32_t name, const char* interface,
                                 uint32_t version) {
  auto* self = static_cast<WaylandConnection*>(data);
  const auto is = [interface](const wl_interface& i) { return std::strcmp(interface, i.name) == 0; };
  if (is(wl_compositor_interface) && !self->compositor_) {
    self->compositor_ = Bind<wl_compositor>(registry, name, wl_compositor_interface, version, 4);
  } else if (is(wl_shm_interface) && !self->shm_) {
    self->shm_ = Bind<wl_shm>(registry, name, wl_shm_interface, version, 1);
  } else if (is(wl_seat_interface) && !self->seat_) {
    // Listened to at once, so that none of its first events is missed.
    self->seat_ = Bind<wl_seat>(registry, name, wl_seat_interface, version, 5);
    if (self->onSeat) self->onSeat(self->seat_);
  } else if (is(xdg_wm_base_interface) && !self->wmBase_) {
    self->wmBase_ = Bind<xdg_wm_base>(registry, name, xdg_wm_base_interface, version, 2);
    xdg_wm_base_add_listener(self->wmBase_, &kWmBaseListener, nullptr);
  } else if (is(zwlr_layer_shell_v1_interface) && !self->layerShell_ && !LayerShellTurnedAway()) {
    self->layerShell_ = Bind<zwlr_layer_shell_v1>(registry, name, zwlr_layer_shell_v1_interface, version, 4);
  } else if (is(wp_viewporter_interface) && !self->viewporter_) {
    self->viewporter_ = Bind<wp_viewporter>(registry, name, wp_viewporter_interface, version, 1);
  } else if (is(zwp_idle_inhibit_manager_v1_interface) && !self->idleInhibitor_) {
    self->idleInhibitor_ =
        Bind<zwp_idle_inhibit_manager_v1>(registry, name, zwp_idle_inhibit_manager_v1_interface, version, 1);
  } else if (is(zxdg_output_manager_v1_interface) && !self->outputManager_) {
    self->outputManager_ = Bind<zxdg_output_manager_v1>(registry, name, zxdg_output_manager_v1_interface, version, 3);
    for (auto& out : self->outputs_) out->Describe(self->outputManager_);
  } else if (is(wl_output_interface)) {
    auto out = std::make_unique<WaylandOutput>(name, Bind<wl_output>(registry, name, wl_output_interface, version, 4));
    out->Describe(self->outputManager_);
    self->outputs_.push_back(std::move(out));
    if (self->connected_ && self->onOutputAdded) self->onOutputAdded(*self->outputs_.back());
  }
}

void WaylandConnection::OnGlobalRemove(void* data, wl_registry*, uint32_t name) {
  auto* self = static_cast<WaylandConnection*>(data);
  auto& outputs = self->outputs_;
  const auto it = std::find_if(outputs.begin(), outputs.end(), [name](const auto& o) { return o->globalName == name; });
  if (it == outputs.end()) return;
  if (self->onOutputRemoved) self->onOutputRemoved(**it);
  outputs.erase(it);
}

bool WaylandConnection::Connect(std::string* why) {
  if (display_) return true;
  const auto fail = [&](const std::string& reason) {
    if (why) *why = reason;
    Disconnect();
    return false;
  };
  display_ = wl_display_connect(nullptr);
  if (!display_) {
    const char* name = std::getenv("WAYLAND_DISPLAY");
    return fail(std::string("cannot connect to Wayland display \"") + (name ? name : "") + "\"");
  }
  static const wl_registry_listener kRegistryListener = {OnGlobal, OnGlobalRemove};
  registry_ = wl_display_get_registry(display_);
  wl_registry_add_listener(registry_, &kRegistryListener, this);
  // The globals, then what the new objects tell of themselves (positions).
  if (!Roundtrip() || !Roundtrip()) return fail("the Wayland compositor does not answer");
  if (!compositor_) return fail("the Wayland compositor offers no surfaces (wl_compositor)");
  connected_ = true;
  return true;
}

void WaylandConnection::Disconnect() {
  if (!display_) return;
  connected_ = false;
  outputs_.clear();
  if (outputManager_) zxdg_output_manager_v1_destroy(outputManager_);
  if (viewporter_) wp_viewporter_destroy(viewporter_);
  if (idleInhibitor_) zwp_idle_inhibit_manager_v1_destroy(idleInhibitor_);
  if (layerShell_) {
    if (zwlr_layer_shell_v1_get_version(layerShell_) >= ZWLR_LAYER_SHELL_V1_DESTROY_SINCE_VERSION)
      zwlr_layer_shell_v1_destroy(layerShell_);
    else
      wl_proxy_destroy(reinterpret_cast<wl_proxy*>(layerShell_));
  }
  if (wmBase_) xdg_wm_base_destroy(wmBase_);
  if (seat_) {
    if (wl_seat_get_version(seat_) >= WL_SEAT_RELEASE_SINCE_VERSION) wl_seat_release(seat_);
    else wl_seat_destroy(seat_);
  }
  if (shm_) wl_shm_destroy(shm_);
  if (compositor_) wl_compositor_destroy(compositor_);
  if (registry_) wl_registry_destroy(registry_);
  wl_display_disconnect(display_);
  outputManager_ = nullptr, viewporter_ = nullptr, idleInhibitor_ = nullptr, layerShell_ = nullptr, wmBase_ = nullptr;
  seat_ = nullptr, shm_ = nullptr, compositor_ = nullptr, registry_ = nullptr, display_ = nullptr;
}

bool WaylandConnection::Roundtrip() { return display_ && wl_display_roundtrip(display_) >= 0; }

bool WaylandConnection::Dispatch(int timeoutMs) {
  if (!display_ || broken()) return false;
  // Only events already read are handled until the queue is empty; then the
  // socket is read, if anything waits there within the time given.
  while (wl_display_prepare_read(display_) != 0)
    if (wl_display_dispatch_pending(display_) < 0) return false;
  wl_display_flush(display_);
  pollfd fd = {wl_display_get_fd(display_), POLLIN, 0};
  if (poll(&fd, 1, timeoutMs) > 0) {
    if (wl_display_read_events(display_) < 0) return false;
  } else {
    wl_display_cancel_read(display_);
  }
  return wl_display_dispatch_pending(display_) >= 0;
}

bool WaylandConnection::broken() const { return display_ && wl_display_get_error(display_) != 0; }
