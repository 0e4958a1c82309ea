// The Wayland photograph on a private headless sway against grim's picture of
// two outputs side by side, turned, mirrored and scaled, by screencopy and by
// the real desktop portal; and a compositor that never answers.
#include <gtest/gtest.h>

#include <fstream>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include "process.h"
#include "test_sway.h"
#include "wayland/desktop_capture_wayland.h"

namespace {

using qg::show::DesktopPicture;

// Our pixels off by more than 2 in a channel from grim's (which draws at the
// largest output scale, a multiple of ours); -1 for sizes apart.
int Mismatches(const DesktopPicture& ours, const qgtest::RgbPicture& grim) {
  const int k = ours.width > 0 ? grim.width / ours.width : 0;
  if (k < 1 || grim.width != ours.width * k || grim.height != ours.height * k) return -1;
  int off = 0;
  for (int y = 0; y < ours.height; ++y)
    for (int x = 0; x < ours.width; ++x) {
      const uint8_t* p = ours.Row(y) + x * 4;
      const unsigned char* g = grim.At(x * k + k / 2, y * k + k / 2);
      off += std::abs(g[0] - p[2]) > 2 || std::abs(g[1] - p[1]) > 2 || std::abs(g[2] - p[0]) > 2;
    }
  return off;
}

// Taken again until they agree, as sway redraws a changed layout a moment later.
int CompareWithGrim(const qgtest::TestSway& sway, bool allowScreencopy) {
  int off = -1;
  qgtest::WaitUntil([&] {
    DesktopPicture ours;
    qgtest::RgbPicture grim;
    const bool both = qg::show::CaptureDesktopWayland(ours, allowScreencopy) && sway.Screenshot(&grim);
    return (off = both ? Mismatches(ours, grim) : -1) == 0;
  }, std::chrono::seconds(15));
  return off;
}

TEST(WaylandCapture, ScreencopyAndThePortalGiveGrimsPictureSideBySideTurnedMirroredAndScaled) {
  if (!qgtest::TestSway::Available()) GTEST_SKIP() << "needs sway, grim and root";
  // A background with four corners of its own, so that a wrong turn or
  // mirror shows, beside a plain second output.
  qgtest::TempDir dir;
  chmod(dir.path().c_str(), 0755);
  std::ofstream(dir.path() + "/bg.ppm") << "P6 2 2 255 \xF0\x20\x10\x10\xC0\x30\x20\x40\xE0\xE0\xE0\x20";
  qgtest::TestSway sway(640, 480, "#3060c0", "output HEADLESS-1 bg " + dir.path() + "/bg.ppm stretch");
  ASSERT_TRUE(sway.ok()) << sway.error();
  sway.Msg({"create_output"});
  sway.Msg({"output", "HEADLESS-2", "mode", "320x240", "position", "640", "0", "bg", "#c06030", "solid_color"});
  setenv("WAYLAND_DISPLAY", sway.socket().c_str(), 1);
  EXPECT_EQ(CompareWithGrim(sway, true), 0) << "side by side";
  sway.Msg({"output", "HEADLESS-1", "transform", "90"});
  EXPECT_EQ(CompareWithGrim(sway, true), 0) << "turned";
  sway.Msg({"output", "HEADLESS-1", "transform", "flipped-270", "scale", "2"});
  sway.Msg({"output", "HEADLESS-2", "scale", "2"});
  EXPECT_EQ(CompareWithGrim(sway, true), 0) << "mirrored and scaled";

  // The same through Debian's portal for wlroots compositors (which runs grim
  // and saves /tmp/out.png), started with PipeWire by a private session bus.
  const std::string bus = dir.path() + "/bus", address = "unix:path=" + bus;
  const std::map<std::string, std::string> env = {{"XDG_RUNTIME_DIR", dir.path()}, {"WAYLAND_DISPLAY", sway.socket()},
      {"XDG_CURRENT_DESKTOP", "sway"}, {"NO_AT_BRIDGE", "1"}, {"GTK_A11Y", "none"}, {"DBUS_SESSION_BUS_ADDRESS", address}};
  qgtest::Process daemon({{"/usr/bin/dbus-daemon", "--session", "--nofork", "--address=" + address}, env, {}, "",
                          "/dev/null", "/dev/null"});
  ASSERT_TRUE(qgtest::WaitUntil([&] { return access(bus.c_str(), F_OK) == 0; }, std::chrono::seconds(10)));
  qgtest::Process pipewire({{"/usr/bin/pipewire"}, env, {}, "", "/dev/null", "/dev/null"});
  setenv("DBUS_SESSION_BUS_ADDRESS", address.c_str(), 1);
  EXPECT_EQ(CompareWithGrim(sway, false), 0) << "portal";
  EXPECT_NE(access("/tmp/out.png", F_OK), 0);
}

// A socket that takes the connection and never answers: the capture gives up
// (white sheets) rather than hold up the show's start.
TEST(WaylandCaptureBounds, ACompositorThatNeverAnswersIsGivenUp) {
  qgtest::TempDir dir;
  sockaddr_un address = {AF_UNIX, {}};
  std::snprintf(address.sun_path, sizeof address.sun_path, "%s/wayland-mute", dir.path().c_str());
  const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
  ASSERT_TRUE(bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 && listen(fd, 4) == 0);
  setenv("WAYLAND_DISPLAY", address.sun_path, 1);
  const auto start = std::chrono::steady_clock::now();
  DesktopPicture picture;
  EXPECT_FALSE(qg::show::CaptureDesktopWayland(picture) || !picture.empty());
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
  close(fd);
}

}  // namespace
