// The X11 platform's pure parts, without a server: which 1024 x 768 mode the
// switch picks, which X events become which window messages, and which
// monitors get a cover.
#include <gtest/gtest.h>

#include <vector>

#include "monitor_cover.h"
#include "x11_display_mode.h"
#include "x11_event_translation.h"

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

// An event of the type for the window; a and b as each type reads them.
XEvent Event(int type, Window window, int a = 0, int b = 0) {
  XEvent e = {};
  e.type = type;
  e.xany.window = window;
  // a: the protocol; for exposures how many of the same follow; or a size, or a place.
  if (type == ClientMessage) e.xclient.message_type = 100, e.xclient.format = 32, e.xclient.data.l[0] = a;
  if (type == Expose) e.xexpose.count = a;
  // ConfigureNotify's own window is the one it is about; xany's the one it is reported to.
  if (type == ConfigureNotify) e.xconfigure.window = window, e.xconfigure.width = a, e.xconfigure.height = b;
  if (type == MotionNotify) e.xmotion.x = a, e.xmotion.y = b;
  return e;
}

TEST(EventTranslation, CloseRequestExposureSizeAndPointerBecomeTheirMessages) {
  X11EventContext context{42, 100, 101, 1024, 768};  // the window, WM_PROTOCOLS, WM_DELETE_WINDOW, its size
  const struct {
    const char* what;
    XEvent event;
    uint32_t message;  // 0: none
    intptr_t lParam;
  } cases[] = {
      {"close request", Event(ClientMessage, 42, 101), kMsgClose, 0},
      {"another protocol (e.g. a ping)", Event(ClientMessage, 42, 102), 0, 0},
      {"some other window's close request", Event(ClientMessage, 43, 101), 0, 0},
      {"exposure with more to follow", Event(Expose, 42, 2), 0, 0},
      {"the series' last exposure: one paint", Event(Expose, 42, 0), kMsgPaint, 0},
      {"a move is no size change", Event(ConfigureNotify, 42, 1024, 768), 0, 0},
      {"new size", Event(ConfigureNotify, 42, 800, 600), kMsgSize, (600 << 16) | 800},
      {"pointer", Event(MotionNotify, 42, 5, 7), kMsgMouseMove, (7 << 16) | 5},
  };
  for (auto c : cases) {
    RendererMessage m{};
    EXPECT_EQ(TranslateX11Event(c.event, context, &m), c.message != 0) << c.what;
    EXPECT_EQ(m.message, c.message) << c.what;
    EXPECT_EQ(m.lParam, c.lParam) << c.what;
  }
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
  EXPECT_TRUE(MonitorsToCover({}).empty());
}

}  // namespace
