// The renderer's platform on Wayland: the compositor connection, the show's
// own surface with its EGL context (the session's mark held while it is up)
// and black covers over the other outputs, the seat's keys and pointer, the
// compositor's scaling as the display mode, and the POSIX snapshot access,
// put together behind RendererPlatform.
#pragma once

#include <string>

#include "covered_target.h"
#include "posix_loader_platform.h"
#include "renderer_platform.h"
#include "wayland_connection.h"
#include "wayland_display_mode.h"
#include "wayland_event_source.h"
#include "wayland_input.h"
#include "wayland_monitor_covers.h"
#include "wayland_window_target.h"

class WaylandRendererPlatform final : public RendererPlatform {
 public:
  WaylandRendererPlatform();
  ~WaylandRendererPlatform() override { Disconnect(); }

  bool Connect(std::string* why) override;
  void Disconnect() override;
  DisplayModeControl& DisplayMode() override { return mode_; }
  void SetCursorVisible(bool visible) override { input_.SetCursorHidden(!visible); }
  DrawingTarget& Target() override { return covered_; }
  EventSource& Events() override { return events_; }
  void ShowErrorBox(const std::string& text) override;
  LoaderPlatform& Loader() override { return loader_; }

 private:
  WaylandConnection connection_;
  WaylandEventSource events_{connection_};
  WaylandInput input_{[this](const RendererMessage& message) { events_.Post(message); }};
  WaylandDisplayMode mode_{connection_};
  WaylandWindowTarget target_{connection_, mode_, events_};
  WaylandMonitorCovers covers_{connection_, target_};
  CoveredTarget covered_{target_, covers_};  // the show on one output, the others black
  PosixLoaderPlatform loader_;
};
