// The compositor of $WAYLAND_DISPLAY as the desktop photograph needs it: its
// shared-memory buffers, its screen copier and its outputs with their places
// on the desktop. Every wait is bounded by a deadline, so a compositor that
// does not answer costs the show's start no more than that.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "desktop_composer.h"

struct wl_display;
struct wl_registry;
struct wl_shm;
struct wl_output;
struct zwlr_screencopy_manager_v1;
struct zxdg_output_manager_v1;
struct zxdg_output_v1;

namespace qg::show {

using Deadline = std::chrono::steady_clock::time_point;

struct WaylandOutput {
  wl_output* output = nullptr;
  zxdg_output_v1* xdgOutput = nullptr;
  uint32_t version = 0;
  int32_t transform = 0;  // as wl_output numbers it
  int32_t scale = 1;
  int32_t x = 0, y = 0;                   // position, from wl_output
  int32_t modeWidth = 0, modeHeight = 0;  // the current mode, in the output's pixels
  DesktopRect logical;                    // from xdg-output; empty when it said nothing

  // Its place on the desktop in logical pixels: what xdg-output says, else
  // the mode turned upright and divided by the scale.
  DesktopRect Place() const;
};

class WaylandDesktop {
 public:
  // Connects, binds the globals and learns the outputs, by deadline at most.
  explicit WaylandDesktop(Deadline deadline);
  ~WaylandDesktop();
  WaylandDesktop(const WaylandDesktop&) = delete;
  WaylandDesktop& operator=(const WaylandDesktop&) = delete;

  // True when the compositor answered in time: globals and outputs are known.
  bool answered() const { return answered_; }
  wl_shm* shm() const { return shm_; }
  zwlr_screencopy_manager_v1* screencopy() const { return screencopy_; }
  uint32_t screencopyVersion() const { return screencopyVersion_; }
  const std::vector<std::unique_ptr<WaylandOutput>>& outputs() const { return outputs_; }
  std::vector<DesktopRect> Places() const;

  // Handles the compositor's events until done() holds (true), or until the
  // deadline passes or the connection fails (false).
  bool DispatchUntil(Deadline deadline, const std::function<bool()>& done);

 private:
  bool RoundTrip(Deadline deadline);
  static void Global(void* data, wl_registry* registry, uint32_t name, const char* interface, uint32_t version);

  wl_display* display_ = nullptr;
  wl_registry* registry_ = nullptr;
  wl_shm* shm_ = nullptr;
  zwlr_screencopy_manager_v1* screencopy_ = nullptr;
  uint32_t screencopyVersion_ = 0;
  zxdg_output_manager_v1* xdgOutputs_ = nullptr;
  std::vector<std::unique_ptr<WaylandOutput>> outputs_;
  bool answered_ = false;
};

}  // namespace qg::show
