// The X11 platform's pure parts, without a server: which 1024 x 768 mode the
// switch picks and which monitors get a cover. What the X events become is
// seen in the real shows: a close request ends one, a resized window gets a
// scene of its size, the pointer leaves it running.
#include <gtest/gtest.h>

#include <vector>

#include "monitor_cover.h"
#include "x11_display_mode.h"

namespace {

// A mode with the timings of the given refresh rate (dot clock / (h * v)).
XRRModeInfo Mode(RRMode id, unsigned width, unsigned height, double hz, XRRModeFlags flags = 0) {
  XRRModeInfo m = {};
  m.id = id, m.width = width, m.height = height, m.modeFlags = flags;
  m.hTotal = m.vTotal = 1000;
  m.dotClock = static_cast<unsigned long>(hz * 1000 * 1000);
  return m;
}

TEST(DisplayModeChoice, TakesTheOutputsOwnModeOfTheSizeWithTheClosestRefresh) {
  // Interlaced modes show twice the frames of their timings, double-scan ones half.
  const std::vector<XRRModeInfo> screen = {
      Mode(1, 1280, 1024, 60), Mode(2, 1024, 768, 60),  Mode(3, 1024, 768, 75),
      Mode(4, 1024, 768, 85),  Mode(5, 1024, 768, 72),  Mode(6, 1024, 768, 70, RR_Interlace),
      Mode(7, 1024, 768, 100, RR_DoubleScan)};
  const std::vector<RRMode> output = {1, 2, 3, 4, 6, 7};  // mode 5 belongs to another output
  const auto choose = [&](int outputModes, unsigned width, double hz) {
    return ClosestMode(screen.data(), static_cast<int>(screen.size()), output.data(), outputModes, width,
                       width * 3 / 4, hz);
  };
  EXPECT_EQ(choose(4, 1024, 60.0), 2u);
  EXPECT_EQ(choose(4, 1024, 74.0), 3u);
  EXPECT_EQ(choose(4, 1024, 72.0), 3u);  // 75 Hz, not the other output's exact 72 Hz
  EXPECT_EQ(choose(4, 1024, 100.0), 4u);
  EXPECT_EQ(choose(6, 1024, 140.0), 6u);
  EXPECT_EQ(choose(6, 1024, 50.0), 7u);
  EXPECT_EQ(choose(1, 1024, 60.0), 0u);
  EXPECT_EQ(choose(4, 800, 60.0), 0u);
}

TEST(MonitorCover, CoversEveryMonitorThatDoesNotShowTheOrigin) {
  const std::vector<MonitorRect> covered =
      MonitorsToCover({{0, 0, 1024, 768}, {1280, 0, 1280, 1024}, {0, 1024, 800, 600}, {-1920, 0, 1920, 1080}});
  ASSERT_EQ(covered.size(), 3u);
  EXPECT_EQ(covered[0].x, 1280);
  EXPECT_EQ(covered[1].y, 1024);
  EXPECT_EQ(covered[2].x, -1920);  // ends at 0: the origin is not on it
  EXPECT_TRUE(MonitorsToCover({{0, 0, 1024, 768}}).empty());
  EXPECT_TRUE(MonitorsToCover({{0, 0, 1024, 768}, {0, 0, 1280, 1024}}).empty());  // a mirror shows the show
}

}  // namespace
