// The show's drawing target on Wayland: a surface of its own that fills the
// output at logical (0, 0) (wayland_fullscreen_surface.h), drawn at the
// show's size and scaled by the compositor when the display mode says so,
// with its EGL context and frame pacing; while it is up, the compositor's
// idle timers are held off (the show is what runs when the user is idle, as
// an idle daemon started it). Other programs cannot see our
// surfaces, so while it exists the show holds the session's mark named as
// its caption (session_marker.h), which the host watches instead.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "renderer_platform.h"
#include "session_marker.h"
#include "wayland_display_mode.h"
#include "wayland_event_source.h"
#include "wayland_frame_pacer.h"
#include "wayland_fullscreen_surface.h"
#include "wayland_gl_context.h"

class WaylandConnection;
struct zwp_idle_inhibitor_v1;

class WaylandWindowTarget final : public DrawingTarget {
 public:
  WaylandWindowTarget(WaylandConnection& connection, const WaylandDisplayMode& mode, WaylandEventSource& events);

  bool Open(const std::string& title, int width, int height, const PixelFormatRequest& format) override;
  bool HasPixelFormat() override { return gl_.hasConfig(); }
  void ClientSize(int* width, int* height) override;
  void HoldOffScreenSaver(bool hold) override;
  void Close() override;
  bool CreateContext() override;
  void DestroyContext() override;
  void PresentFrame() override;

  // The global name of the output the show is on (names are never reused);
  // 0 while closed or when the compositor chose.
  uint32_t outputName() const { return outputName_; }

 private:
  WaylandConnection& connection_;
  const WaylandDisplayMode& mode_;
  WaylandEventSource& events_;
  WaylandGLContext gl_;
  WaylandFramePacer pacer_;
  std::unique_ptr<WaylandFullscreenSurface> surface_;
  zwp_idle_inhibitor_v1* idleInhibitor_ = nullptr;
  qg::SessionMarker marker_;
  uint32_t outputName_ = 0;
  int width_ = 0, height_ = 0;
};
