// The Wayland covers of the show (covered_target.h): every output but the
// show's gets a black surface of ours on the overlay layer (a full-screen
// toplevel where there is no layer shell), and so does an output that comes
// while the show runs; an output that goes takes its cover with it (the
// record of wayland_outputs.h holds it). The covers take no keyboard. A
// killed renderer takes them along: the compositor destroys a client's
// surfaces when it goes.
#pragma once

#include <vector>

#include "covered_target.h"
#include "wayland_outputs.h"

struct wl_buffer;
class WaylandConnection;
class WaylandFullscreenSurface;
class WaylandWindowTarget;

class WaylandMonitorCovers final : public MonitorCovers {
 public:
  WaylandMonitorCovers(WaylandConnection& connection, const WaylandWindowTarget& show)
      : connection_(connection), show_(show) {}
  ~WaylandMonitorCovers() override { Uncover(); }

  void CoverOtherMonitors() override;
  void Uncover() override;
  // An output announced during the show.
  void OutputAdded(WaylandOutput& output);

 private:
  void Cover(WaylandOutput& output);
  void Paint(WaylandFullscreenSurface& cover);

  WaylandConnection& connection_;
  const WaylandWindowTarget& show_;
  bool covering_ = false;
  wl_buffer* pixel_ = nullptr;       // black, its middle pixel stretched over each scaled cover
  std::vector<wl_buffer*> sized_;    // black, an output's size, where nothing scales
};
