// The compositor's outputs as the show sees them: one record per output,
// made when the output is announced and gone when it leaves, holding its
// wl_output, its xdg-output (the logical position and size), and the black
// cover laid over it while the show runs on another output.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

struct wl_output;
struct zxdg_output_manager_v1;
struct zxdg_output_v1;
class WaylandFullscreenSurface;

struct WaylandOutput {
  WaylandOutput(uint32_t globalName, wl_output* output);
  // Takes the cover down, then lets go of the output.
  ~WaylandOutput();
  WaylandOutput(const WaylandOutput&) = delete;
  WaylandOutput& operator=(const WaylandOutput&) = delete;

  // Asks for the logical position and size (with no manager, wl_output's
  // own position stands).
  void Describe(zxdg_output_manager_v1* manager);

  const uint32_t globalName;
  wl_output* const output;
  zxdg_output_v1* xdgOutput = nullptr;
  int x = 0, y = 0;
  std::unique_ptr<WaylandFullscreenSurface> cover;
};

// The output the show goes on: the one whose logical corner is (0, 0), else
// the first announced. Null when there is none.
WaylandOutput* ShowOutput(const std::vector<std::unique_ptr<WaylandOutput>>& outputs);
