#include "wayland_fullscreen_surface.h"

#include <wayland-client.h>

#include "viewporter-client-protocol.h"
#include "wayland_connection.h"
// The protocol names a request's argument "namespace", a word of C++.
#define namespace name_space
#include "wlr-layer-shell-unstable-v1-client-protocol.h"
#undef namespace
#include "xdg-shell-client-protocol.h"

namespace {

// Ours too, where a compositor lists the windows by application.
constexpr const char* kAppId = "quiverglide";

}  // namespace

WaylandFullscreenSurface::WaylandFullscreenSurface(WaylandConnection& connection, wl_output* output,
                                                   const std::string& name, bool takesKeyboard, bool scaled)
    : connection_(connection), output_(output), name_(name), takesKeyboard_(takesKeyboard), scaled_(scaled) {}

WaylandFullscreenSurface::~WaylandFullscreenSurface() {
  if (viewport_) wp_viewport_destroy(viewport_);
  if (layerSurface_) zwlr_layer_surface_v1_destroy(layerSurface_);
  if (toplevel_) xdg_toplevel_destroy(toplevel_);
  if (xdgSurface_) xdg_surface_destroy(xdgSurface_);
  if (surface_) wl_surface_destroy(surface_);
}

bool WaylandFullscreenSurface::Create() {
  zwlr_layer_shell_v1* layerShell = connection_.layerShell();
  if (!connection_.compositor() || (!layerShell && !connection_.wmBase())) return false;
  surface_ = wl_compositor_create_surface(connection_.compositor());
  if (scaled_ && connection_.viewporter()) viewport_ = wp_viewporter_get_viewport(connection_.viewporter(), surface_);

  if (layerShell) {
    static const zwlr_layer_surface_v1_listener kListener = {
        [](void* data, zwlr_layer_surface_v1*, uint32_t serial, uint32_t width, uint32_t height) {
          auto* self = static_cast<WaylandFullscreenSurface*>(data);
          self->pendingWidth_ = static_cast<int>(width), self->pendingHeight_ = static_cast<int>(height);
          self->Configured(serial);
        },
        [](void* data, zwlr_layer_surface_v1*) { static_cast<WaylandFullscreenSurface*>(data)->Closed(); }};
    layerSurface_ = zwlr_layer_shell_v1_get_layer_surface(layerShell, surface_, output_,
                                                          ZWLR_LAYER_SHELL_V1_LAYER_OVERLAY, name_.c_str());
    zwlr_layer_surface_v1_add_listener(layerSurface_, &kListener, this);
    zwlr_layer_surface_v1_set_size(layerSurface_, 0, 0);  // the output's, with all four edges
    zwlr_layer_surface_v1_set_anchor(layerSurface_,
                                     ZWLR_LAYER_SURFACE_V1_ANCHOR_TOP | ZWLR_LAYER_SURFACE_V1_ANCHOR_BOTTOM |
                                         ZWLR_LAYER_SURFACE_V1_ANCHOR_LEFT | ZWLR_LAYER_SURFACE_V1_ANCHOR_RIGHT);
    zwlr_layer_surface_v1_set_exclusive_zone(layerSurface_, -1);  // over panels too, moving none
    if (takesKeyboard_)
      zwlr_layer_surface_v1_set_keyboard_interactivity(layerSurface_,
                                                       ZWLR_LAYER_SURFACE_V1_KEYBOARD_INTERACTIVITY_EXCLUSIVE);
  } else {
    static const xdg_surface_listener kSurfaceListener = {[](void* data, xdg_surface*, uint32_t serial) {
      static_cast<WaylandFullscreenSurface*>(data)->Configured(serial);
    }};
    static const xdg_toplevel_listener kToplevelListener = {
        [](void* data, xdg_toplevel*, int32_t width, int32_t height, wl_array*) {
          auto* self = static_cast<WaylandFullscreenSurface*>(data);
          self->pendingWidth_ = width, self->pendingHeight_ = height;
        },
        [](void* data, xdg_toplevel*) { static_cast<WaylandFullscreenSurface*>(data)->Closed(); },
        nullptr, nullptr};  // bounds and capabilities: later versions than ours
    xdgSurface_ = xdg_wm_base_get_xdg_surface(connection_.wmBase(), surface_);
    xdg_surface_add_listener(xdgSurface_, &kSurfaceListener, this);
    toplevel_ = xdg_surface_get_toplevel(xdgSurface_);
    xdg_toplevel_add_listener(toplevel_, &kToplevelListener, this);
    xdg_toplevel_set_title(toplevel_, name_.c_str());
    xdg_toplevel_set_app_id(toplevel_, kAppId);
    xdg_toplevel_set_fullscreen(toplevel_, output_);
  }
  wl_surface_commit(surface_);  // no buffer yet: the compositor answers with the size
  return true;
}

bool WaylandFullscreenSurface::WaitConfigured() {
  // The compositor answers the first commit before the roundtrip's own reply.
  for (int i = 0; i < 10 && !configured_ && !closed_; ++i)
    if (!connection_.Roundtrip()) return false;
  return configured_ && !closed_;
}

void WaylandFullscreenSurface::Crop(int x, int y, int width, int height) {
  if (viewport_)
    wp_viewport_set_source(viewport_, wl_fixed_from_int(x), wl_fixed_from_int(y), wl_fixed_from_int(width),
                           wl_fixed_from_int(height));
}

void WaylandFullscreenSurface::Configured(uint32_t serial) {
  if (layerSurface_) zwlr_layer_surface_v1_ack_configure(layerSurface_, serial);
  if (xdgSurface_) xdg_surface_ack_configure(xdgSurface_, serial);
  width_ = pendingWidth_, height_ = pendingHeight_;
  configured_ = true;
  if (viewport_ && width_ > 0 && height_ > 0) wp_viewport_set_destination(viewport_, width_, height_);
  if (onConfigure) onConfigure();
}

void WaylandFullscreenSurface::Closed() {
  if (closed_) return;
  closed_ = true;
  if (onClosed) onClosed();
}
