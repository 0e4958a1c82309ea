// A surface of ours that fills one output: on the layer shell's overlay layer,
// anchored to every edge and pushing nothing aside, or, where the compositor
// has no layer shell, a full-screen xdg_toplevel. The show and the covers of
// the other outputs are each one. Whatever is attached may be scaled by the
// compositor (wp_viewporter) to the size the output gives the surface.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

struct wl_output;
struct wl_surface;
struct wp_viewport;
struct xdg_surface;
struct xdg_toplevel;
struct zwlr_layer_surface_v1;
class WaylandConnection;

class WaylandFullscreenSurface {
 public:
  // name: the layer surface's namespace, or the toplevel's title.
  // takesKeyboard: the keyboard goes to the surface while it is up.
  // scaled: what is attached is scaled to the configured size, where the
  // compositor can scale.
  WaylandFullscreenSurface(WaylandConnection& connection, wl_output* output, const std::string& name,
                           bool takesKeyboard, bool scaled);
  ~WaylandFullscreenSurface();
  WaylandFullscreenSurface(const WaylandFullscreenSurface&) = delete;
  WaylandFullscreenSurface& operator=(const WaylandFullscreenSurface&) = delete;

  // Makes the surface with its role and asks the compositor for its size.
  // False when the compositor offers neither shell.
  bool Create();
  // Waits until the compositor has given the size; false when the surface
  // was closed first or the compositor does not answer.
  bool WaitConfigured();

  wl_surface* surface() const { return surface_; }
  // The size the compositor gave (0 until it has, or when it leaves it to us).
  int width() const { return width_; }
  int height() const { return height_; }
  bool configured() const { return configured_; }
  // True when the compositor scales what is attached to that size.
  bool scaling() const { return viewport_ != nullptr; }
  // Shows only that part of what is attached (scaled to the size the same).
  void Crop(int x, int y, int width, int height);

  // After each new size has been taken (the next commit applies it).
  std::function<void()> onConfigure;
  // When the compositor or the user closes the surface.
  std::function<void()> onClosed;

 private:
  void Configured(uint32_t serial);
  void Closed();

  WaylandConnection& connection_;
  wl_output* const output_;
  const std::string name_;
  const bool takesKeyboard_;
  const bool scaled_;
  wl_surface* surface_ = nullptr;
  wp_viewport* viewport_ = nullptr;
  zwlr_layer_surface_v1* layerSurface_ = nullptr;
  xdg_surface* xdgSurface_ = nullptr;
  xdg_toplevel* toplevel_ = nullptr;
  int width_ = 0, height_ = 0;
  int pendingWidth_ = 0, pendingHeight_ = 0;  // a toplevel's size, until its surface's configure
  bool configured_ = false;
  bool closed_ = false;
};
