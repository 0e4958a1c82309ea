// The show's platform services against real parts: a private X server, real
// files in a private folder, real child processes.
#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sys/stat.h>
#include <unistd.h>
#include <dirent.h>

#include "bitmap_decoder.h"
#include "desktop_capture.h"
#include "x11/desktop_capture_x11.h"
#include "desktop_pattern.h"
#include "display_mode_guard.h"
#include "process.h"
#include "renderer_process.h"
#include "snapshot_writer.h"
#include "test_xserver.h"
#include "window_probe.h"
#include "x_probe.h"

namespace {

using qg::show::DesktopPicture;

std::vector<uint8_t> ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

int CountEntries(const std::string& folder) {
  int n = 0;
  if (DIR* d = opendir(folder.c_str())) {
    while (dirent* e = readdir(d)) {
      const std::string name = e->d_name;
      n += name != "." && name != "..";
    }
    closedir(d);
  }
  return n;
}

class WithXServer : public ::testing::Test {
 protected:
  void UseServer(qgtest::TestXServer& server) {
    ASSERT_TRUE(server.ok()) << server.error();
    setenv("DISPLAY", server.display().c_str(), 1);
  }
};

TEST_F(WithXServer, CaptureGivesTheWholeScreenPixelForPixelAndTheSavedFileDecodesToIt) {
  // An odd size, wider than high, not a multiple of 4: the usual places for
  // row and stride faults.
  qgtest::TestXServer server(qgtest::TestXServer::Kind::Xvfb, 1366, 700, 24);
  UseServer(server);
  ASSERT_TRUE(showtest::PaintRootPattern(server.display()));

  DesktopPicture pic;
  ASSERT_TRUE(qg::show::CaptureDesktop(pic));
  ASSERT_EQ(pic.width, 1366);
  ASSERT_EQ(pic.height, 700);
  for (int y = 0; y < pic.height; y += 7) {
    for (int x = 0; x < pic.width; x += 5) {
      const showtest::Rgb want = showtest::PatternPixel(x, y, pic.width);
      const uint8_t* got = pic.Row(y) + x * 4;
      ASSERT_EQ(got[2], want.r) << x << "," << y;
      ASSERT_EQ(got[1], want.g) << x << "," << y;
      ASSERT_EQ(got[0], want.b) << x << "," << y;
    }
  }

  // The plain request gives the very same picture as the shared-memory one.
  Display* dpy = XOpenDisplay(server.display().c_str());
  ASSERT_NE(dpy, nullptr);
  DesktopPicture plain;
  ASSERT_TRUE(qg::show::CaptureDesktopOn(dpy, false, plain));
  XCloseDisplay(dpy);
  ASSERT_EQ(plain.width, pic.width);
  ASSERT_EQ(plain.height, pic.height);
  for (int y = 0; y < pic.height; ++y) {
    ASSERT_EQ(std::memcmp(plain.Row(y), pic.Row(y), static_cast<size_t>(pic.width) * 4), 0) << "row " << y;
  }

  qgtest::TempDir dir;
  const std::string path = dir.path() + "/Wobblevista.bmp";
  { std::ofstream old(path); old << "an older snapshot"; }
  ASSERT_TRUE(qg::show::WriteSnapshotFile(pic, path));
  struct stat st;
  ASSERT_EQ(stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600u);
  EXPECT_EQ(CountEntries(dir.path()), 1) << "temporary file left behind";
  const std::vector<uint8_t> file = ReadFile(path);
  DecodeResult r = DecodeBitmap(file.data(), file.size());
  ASSERT_EQ(r.status, DecodeStatus::Ok);
  ASSERT_EQ(r.image.width, 1366);
  ASSERT_EQ(r.image.height, 700);
  for (int y = 0; y < 700; y += 13) {
    for (int x = 0; x < 1366; x += 11) {
      const showtest::Rgb want = showtest::PatternPixel(x, 699 - y, 1366);  // bottom row first
      const uint8_t* got = &r.image.pixels[(static_cast<size_t>(y) * 1366 + x) * 3];
      ASSERT_EQ(got[0], want.r) << x << "," << y;
      ASSERT_EQ(got[1], want.g);
      ASSERT_EQ(got[2], want.b);
    }
  }
  qg::show::RemoveSnapshotFile(path);
  EXPECT_NE(access(path.c_str(), F_OK), 0);
}

TEST_F(WithXServer, SixteenBitDisplaysGiveTheSamePictureToTheirPrecision) {
  qgtest::TestXServer server(qgtest::TestXServer::Kind::Xvfb, 640, 480, 16);
  UseServer(server);
  ASSERT_TRUE(showtest::PaintRootPattern(server.display()));
  DesktopPicture pic;
  ASSERT_TRUE(qg::show::CaptureDesktop(pic));
  ASSERT_EQ(pic.width, 640);
  ASSERT_EQ(pic.height, 480);
  // 5 bits of red and blue, 6 of green: each channel within one step, and
  // full intensity still 255 (the short channels are widened, not shifted).
  bool sawFull = false;
  for (int y = 0; y < 480; y += 5) {
    for (int x = 0; x < 640; x += 3) {
      const showtest::Rgb want = showtest::PatternPixel(x, y, 640);
      const uint8_t* got = pic.Row(y) + x * 4;
      ASSERT_NEAR(got[2], want.r, 8) << x << "," << y;
      ASSERT_NEAR(got[1], want.g, 4) << x << "," << y;
      ASSERT_NEAR(got[0], want.b, 8) << x << "," << y;
      sawFull = sawFull || got[2] == 255;
    }
  }
  EXPECT_TRUE(sawFull);
}

TEST(SnapshotWriter, FailureLeavesTheOldFileAndNoTemporary) {
  qgtest::TempDir dir;
  DesktopPicture pic = DesktopPicture::Allocate(4, 2);
  std::fill(pic.Row(0), pic.Row(0) + 4 * 2 * 4, 0x40);
  // A folder that does not exist: nothing can be written, nothing is claimed.
  EXPECT_FALSE(qg::show::WriteSnapshotFile(pic, dir.path() + "/missing/Wobblevista.bmp"));
  // A picture whose pixels do not match its size is refused before any write.
  const std::string path = dir.path() + "/Wobblevista.bmp";
  { std::ofstream old(path); old << "old"; }
  DesktopPicture broken = pic;
  broken.stride = 5;
  EXPECT_FALSE(qg::show::WriteSnapshotFile(broken, path));
  EXPECT_EQ(ReadFile(path).size(), 3u);
  EXPECT_EQ(CountEntries(dir.path()), 1);
  // A planted link at the temporary's place cannot redirect the write: the
  // temporary name is fresh each time and the final rename replaces the link.
  const std::string victim = dir.path() + "/victim";
  { std::ofstream v(victim); v << "keep"; }
  ASSERT_EQ(unlink(path.c_str()), 0);
  ASSERT_EQ(symlink(victim.c_str(), path.c_str()), 0);
  ASSERT_TRUE(qg::show::WriteSnapshotFile(pic, path));
  EXPECT_EQ(ReadFile(victim).size(), 4u);
  struct stat st;
  ASSERT_EQ(lstat(path.c_str(), &st), 0);
  EXPECT_TRUE(S_ISREG(st.st_mode));
  EXPECT_EQ(st.st_size, 54 + 32);
}

TEST(RendererProcess, StartsWithoutArgumentsIsNotWaitedForAndIsReaped) {
  qgtest::TempDir dir;
  // A stand-in that writes its argument count, then lives a little.
  const std::string script = dir.path() + "/Quiverglide.dll";
  {
    std::ofstream s(script);
    s << "#!/bin/sh\necho $# > " << dir.path() << "/args\nsleep 0.4\n";
  }
  chmod(script.c_str(), 0755);
  qg::show::RendererProcess p;
  ASSERT_TRUE(p.Start(script));
  EXPECT_TRUE(p.Running()) << "Start must not wait for the renderer";
  const long id = p.Id();
  ASSERT_TRUE(p.WaitEnded(5000));
  EXPECT_FALSE(p.Running());
  EXPECT_EQ(ReadFile(dir.path() + "/args"), std::vector<uint8_t>({'0', '\n'}));
  // Reaped: no zombie of that id is left.
  EXPECT_NE(access(("/proc/" + std::to_string(id)).c_str(), F_OK), 0);

  qg::show::RendererProcess missing;
  EXPECT_FALSE(missing.Start(dir.path() + "/no-such-renderer"));
  EXPECT_FALSE(missing.Running());
}

// Switches the first active CRTC to the named mode, as a renderer does.
bool SwitchTo(Display* dpy, int width, int height) {
  Window root = DefaultRootWindow(dpy);
  XRRScreenResources* res = XRRGetScreenResources(dpy, root);
  if (!res) return false;
  bool ok = false;
  for (int i = 0; i < res->ncrtc && !ok; ++i) {
    XRRCrtcInfo* c = XRRGetCrtcInfo(dpy, res, res->crtcs[i]);
    if (c && c->mode != None) {
      for (int m = 0; m < res->nmode; ++m) {
        if (static_cast<int>(res->modes[m].width) == width && static_cast<int>(res->modes[m].height) == height) {
          ok = XRRSetCrtcConfig(dpy, res, res->crtcs[i], CurrentTime, 0, 0, res->modes[m].id, c->rotation,
                                c->outputs, c->noutput) == Success;
          break;
        }
      }
    }
    if (c) XRRFreeCrtcInfo(c);
  }
  XRRFreeScreenResources(res);
  XSync(dpy, False);
  return ok;
}

TEST_F(WithXServer, ModeGuardPutsBackAModeLeftChangedOnTheDummyXorg) {
  if (!qgtest::TestXServer::XorgDummyAvailable()) GTEST_SKIP() << "dummy Xorg not available";
  qgtest::TestXServer server(qgtest::TestXServer::Kind::XorgDummy);
  UseServer(server);
  auto guard = qg::show::MakeDisplayModeGuard();
  ASSERT_TRUE(guard->Remember());
  EXPECT_FALSE(guard->Changed());
  Display* dpy = XOpenDisplay(server.display().c_str());
  ASSERT_NE(dpy, nullptr);
  EXPECT_EQ(showtest::ActiveModeSize(dpy), std::make_pair(1280, 1024));
  ASSERT_TRUE(SwitchTo(dpy, 1024, 768));  // a renderer killed before its teardown
  ASSERT_EQ(showtest::ActiveModeSize(dpy), std::make_pair(1024, 768));
  EXPECT_TRUE(guard->Changed());
  EXPECT_TRUE(guard->RestoreIfChanged());
  EXPECT_EQ(showtest::ActiveModeSize(dpy), std::make_pair(1280, 1024));
  Display* fresh = XOpenDisplay(server.display().c_str());  // sees the screen size anew
  ASSERT_NE(fresh, nullptr);
  EXPECT_EQ(DisplayWidth(fresh, DefaultScreen(fresh)), 1280);
  EXPECT_EQ(DisplayHeight(fresh, DefaultScreen(fresh)), 1024);
  XCloseDisplay(fresh);
  EXPECT_FALSE(guard->Changed());
  EXPECT_TRUE(guard->RestoreIfChanged());  // nothing to do is fine
  XCloseDisplay(dpy);
}

}  // namespace
