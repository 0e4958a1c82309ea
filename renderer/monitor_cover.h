// Which monitors the own-window show blacks out while it runs: every one but
// the monitor at (0, 0), the one its display mode is switched on and its
// window covers. Shared by the X11 and Win32 covers.
#pragma once

#include <vector>

struct MonitorRect {
  int x = 0, y = 0, width = 0, height = 0;
};

// The monitors to cover: every one that does not show the point (0, 0).
inline std::vector<MonitorRect> MonitorsToCover(const std::vector<MonitorRect>& monitors) {
  std::vector<MonitorRect> covered;
  for (const MonitorRect& m : monitors) {
    const bool showsOrigin = m.x <= 0 && m.y <= 0 && m.x + m.width > 0 && m.y + m.height > 0;
    if (!showsOrigin) covered.push_back(m);
  }
  return covered;
}

// The caption of the covers; the show's own window keeps the show's caption.
inline constexpr const char* kCoverCaption = "Quiverglide cover";
