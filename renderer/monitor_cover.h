// Which monitors the own-window show blacks out while it runs: every one but
// the monitor at (0, 0), the one its display mode is switched on and its
// window covers; monitors plugged in or out during the show get or lose their
// cover. Shared by the X11 and Win32 covers.
#pragma once

#include <algorithm>
#include <utility>
#include <vector>

struct MonitorRect {
  int x = 0, y = 0, width = 0, height = 0;
  bool operator==(const MonitorRect& o) const {
    return x == o.x && y == o.y && width == o.width && height == o.height;
  }
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

// The covers up, each with its monitor's rectangle; Window is the platform's
// window handle.
template <typename Window>
class CoverList {
 public:
  // Makes the covers match the monitors as they are now: a monitor gone or
  // changed loses its cover, one to cover without a cover gets one from
  // make(rect) (a null handle when it cannot be made), and a cover whose
  // monitor is unchanged stays up untouched.
  template <typename Make, typename Destroy>
  void Follow(const std::vector<MonitorRect>& monitors, Make make, Destroy destroy) {
    const std::vector<MonitorRect> wanted = MonitorsToCover(monitors);
    for (auto it = covers_.begin(); it != covers_.end();) {
      if (std::find(wanted.begin(), wanted.end(), it->first) != wanted.end()) {
        ++it;
        continue;
      }
      destroy(it->second);
      it = covers_.erase(it);
    }
    for (const MonitorRect& m : wanted) {
      const bool covered =
          std::any_of(covers_.begin(), covers_.end(), [&](const auto& cover) { return cover.first == m; });
      if (covered) continue;
      if (const Window window = make(m)) covers_.emplace_back(m, window);
    }
  }
  template <typename Destroy>
  void Clear(Destroy destroy) {
    for (const auto& cover : covers_) destroy(cover.second);
    covers_.clear();
  }
  bool empty() const { return covers_.empty(); }

 private:
  std::vector<std::pair<MonitorRect, Window>> covers_;
};

// The caption of the covers; the show's own window keeps the show's caption.
inline constexpr const char* kCoverCaption = "Quiverglide cover";
