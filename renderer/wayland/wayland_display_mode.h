// The show's display mode on Wayland. Clients do not switch the outputs'
// modes: the show draws at 1024 x 768 all the same, and the compositor
// scales that picture to fill its output (wp_viewporter), the look a monitor
// gives a 1024 x 768 mode. Nothing of the user's configuration changes, so
// nothing is restored, however the show ends.
#pragma once

#include "renderer_platform.h"
#include "wayland_connection.h"

class WaylandDisplayMode final : public DisplayModeControl {
 public:
  explicit WaylandDisplayMode(const WaylandConnection& connection) : connection_(connection) {}
  // A compositor that cannot scale leaves the picture at its own size in the
  // output's corner, as a display whose mode cannot be read does.
  bool ReadCurrent() override { return connection_.viewporter() != nullptr; }
  bool SwitchTo(int, int) override {
    scaled_ = true;
    return true;
  }
  void Restore() override { scaled_ = false; }
  // Whether the show's surface is to be scaled to its output.
  bool scaled() const { return scaled_; }

 private:
  const WaylandConnection& connection_;
  bool scaled_ = false;
};
