// The renderer's connection to the Wayland compositor: the display, the
// globals the show uses, the outputs as they come and go, and reading what the
// compositor sends without ever waiting longer than asked.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "wayland_outputs.h"

struct wl_compositor;
struct wl_display;
struct wl_registry;
struct wl_seat;
struct wl_shm;
struct wp_viewporter;
struct xdg_wm_base;
struct zwlr_layer_shell_v1;
struct zwp_idle_inhibit_manager_v1;
struct zxdg_output_manager_v1;

// Set to "xdg" to show on a full-screen xdg_toplevel even where the
// compositor offers the layer shell (for a compositor whose layer shell
// misbehaves); "layer", or unset, takes the layer shell when offered.
inline constexpr const char kWaylandShellEnv[] = "QG_WAYLAND_SHELL";

class WaylandConnection {
 public:
  WaylandConnection() = default;
  ~WaylandConnection() { Disconnect(); }
  WaylandConnection(const WaylandConnection&) = delete;
  WaylandConnection& operator=(const WaylandConnection&) = delete;

  // Connects to $WAYLAND_DISPLAY and learns the globals and the outputs'
  // positions. False (with the reason) when there is no compositor to show on.
  bool Connect(std::string* why);
  void Disconnect();

  wl_display* display() const { return display_; }
  wl_compositor* compositor() const { return compositor_; }
  wl_shm* shm() const { return shm_; }
  xdg_wm_base* wmBase() const { return wmBase_; }
  // Null where the compositor has none or kWaylandShellEnv turns it away.
  zwlr_layer_shell_v1* layerShell() const { return layerShell_; }
  wp_viewporter* viewporter() const { return viewporter_; }
  zwp_idle_inhibit_manager_v1* idleInhibitor() const { return idleInhibitor_; }
  const std::vector<std::unique_ptr<WaylandOutput>>& outputs() const { return outputs_; }

  // Given the first seat as soon as it is bound, before any of its events.
  std::function<void(wl_seat*)> onSeat;
  // Told of an output announced after Connect, and of one about to go.
  std::function<void(WaylandOutput&)> onOutputAdded;
  std::function<void(WaylandOutput&)> onOutputRemoved;

  // Sends what is queued and waits until the compositor has handled it.
  bool Roundtrip();
  // Sends what is queued, then reads and handles what the compositor has
  // sent, waiting up to timeoutMs for something to arrive (0: not at all).
  // False once the connection is broken.
  bool Dispatch(int timeoutMs);
  bool broken() const;

 private:
  static void OnGlobal(void* data, wl_registry* registry, uint32_t name, const char* interface, uint32_t version);
  static void OnGlobalRemove(void* data, wl_registry* registry, uint32_t name);

  wl_display* display_ = nullptr;
  wl_registry* registry_ = nullptr;
  wl_compositor* compositor_ = nullptr;
  wl_shm* shm_ = nullptr;
  wl_seat* seat_ = nullptr;
  xdg_wm_base* wmBase_ = nullptr;
  zwlr_layer_shell_v1* layerShell_ = nullptr;
  wp_viewporter* viewporter_ = nullptr;
  zwp_idle_inhibit_manager_v1* idleInhibitor_ = nullptr;
  zxdg_output_manager_v1* outputManager_ = nullptr;
  std::vector<std::unique_ptr<WaylandOutput>> outputs_;
  bool connected_ = false;  // past the first description of the outputs
};
