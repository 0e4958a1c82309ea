// The show on a machine with two monitors (the dummy Xorg with a second output
// turned on through XRandR): the show on the first, the second black, both
// back at their modes and showing the desktop again when the show ends.
#include <gtest/gtest.h>

#include <X11/Xutil.h>
#include <X11/extensions/Xrandr.h>
#include <csignal>
#include <cstdlib>
#include <vector>

#include "renderer_run.h"
#include "test_xserver.h"

using namespace std::chrono_literals;
using qgtest::TempDir;
using qgtest::TestXServer;

namespace {

constexpr const char* kCaption = "Wobblevista_VC";
constexpr const char* kCoverCaption = "Quiverglide cover";
const Rgb kDesktop{200, 0, 200};  // nothing the show draws is this colour
const Rgb kBlack{0, 0, 0};
const Rgb kWhite{255, 255, 255};

struct Crtc {
  int x, y, width, height;
};

std::vector<Crtc> ActiveCrtcs(Display* display) {
  std::vector<Crtc> crtcs;
  XRRScreenResources* res = XRRGetScreenResourcesCurrent(display, DefaultRootWindow(display));
  if (!res) return crtcs;
  for (int i = 0; i < res->ncrtc; ++i) {
    XRRCrtcInfo* c = XRRGetCrtcInfo(display, res, res->crtcs[i]);
    if (c && c->mode != 0) crtcs.push_back({c->x, c->y, static_cast<int>(c->width), static_cast<int>(c->height)});
    if (c) XRRFreeCrtcInfo(c);
  }
  XRRFreeScreenResources(res);
  return crtcs;
}

bool HasCrtc(Display* display, const Crtc& wanted) {
  for (const Crtc& c : ActiveCrtcs(display))
    if (c.x == wanted.x && c.y == wanted.y && c.width == wanted.width && c.height == wanted.height) return true;
  return false;
}

// Pixels of the area read back from the screen that are not near `colour`.
long PixelsNot(Display* display, int x, int y, int width, int height, const Rgb& colour) {
  XImage* image = XGetImage(display, DefaultRootWindow(display), x, y, static_cast<unsigned>(width),
                            static_cast<unsigned>(height), AllPlanes, ZPixmap);
  if (!image) return -1;
  long count = 0;
  for (int j = 0; j < height; ++j)
    for (int i = 0; i < width; ++i) {
      const unsigned long p = XGetPixel(image, i, j);
      const Rgb c{static_cast<int>((p >> 16) & 0xFF), static_cast<int>((p >> 8) & 0xFF), static_cast<int>(p & 0xFF)};
      if (!Near(c, colour)) ++count;
    }
  XDestroyImage(image);
  return count;
}

// The "desktop": one window of a single colour over the whole screen, below
// anything mapped later.
Window MapDesktop(Display* display, int width, int height) {
  XSetWindowAttributes attributes = {};
  attributes.background_pixel = (static_cast<unsigned long>(kDesktop.r) << 16) |
                                (static_cast<unsigned long>(kDesktop.g) << 8) | static_cast<unsigned long>(kDesktop.b);
  attributes.override_redirect = True;
  const Window w = XCreateWindow(display, DefaultRootWindow(display), 0, 0, static_cast<unsigned>(width),
                                 static_cast<unsigned>(height), 0, CopyFromParent, InputOutput, CopyFromParent,
                                 CWBackPixel | CWOverrideRedirect, &attributes);
  XMapWindow(display, w);
  XSync(display, False);
  return w;
}

int CountCaptioned(X11Probe& probe, Window w, const std::string& caption) {
  int count = 0;
  char* name = nullptr;
  if (XFetchName(probe.display(), w, &name) && name) {
    count += caption == name;
    XFree(name);
  }
  Window root, parent, *children = nullptr;
  unsigned n = 0;
  if (!XQueryTree(probe.display(), w, &root, &parent, &children, &n)) return count;
  for (unsigned i = 0; i < n; ++i) count += CountCaptioned(probe, children[i], caption);
  if (children) XFree(children);
  return count;
}

TEST(RendererCoverTest, SecondMonitorIsBlackDuringTheShowAndTheDesktopAgainAfter) {
  if (!TestXServer::XorgDummyAvailable()) GTEST_SKIP() << "the dummy Xorg needs root, Xorg and its dummy driver";
  TestXServer server(TestXServer::Kind::XorgDummy);
  ASSERT_TRUE(server.ok()) << server.error();
  const std::string command = "DISPLAY=" + server.display() +
                              " sh -c 'xrandr --addmode DUMMY1 1280x1024 && "
                              "xrandr --output DUMMY1 --mode 1280x1024 --right-of DUMMY0'";
  ASSERT_EQ(std::system(command.c_str()), 0) << command;
  X11Probe probe(server.display());
  ASSERT_TRUE(probe.ok());
  Display* display = probe.display();
  const Crtc first{0, 0, 1280, 1024}, second{1280, 0, 1280, 1024};
  ASSERT_TRUE(HasCrtc(display, first));
  ASSERT_TRUE(HasCrtc(display, second));
  MapDesktop(display, 2560, 1024);
  ASSERT_EQ(PixelsNot(display, 1280, 0, 1280, 1024, kDesktop), 0);

  // Ended by Escape with the pointer on the second monitor, then by a close
  // request, then by a signal, then killed outright.
  for (int ending : {0, 1, SIGTERM, SIGKILL}) {
    SCOPED_TRACE("ending " + std::to_string(ending));
    TempDir runtime;
    auto renderer = StartRenderer(server.display(), runtime.path(), runtime.path() + "/stderr.txt");
    ASSERT_TRUE(WaitUntil([&] { return probe.FindWindowByCaption(kCoverCaption) != 0; }, 10s));
    ASSERT_TRUE(WaitUntil([&] { return BlockIs(probe, 512, 740, kWhite); }, 10s)) << ToString(probe.Pixel(512, 740));
    EXPECT_TRUE(HasCrtc(display, {0, 0, 1024, 768}));
    EXPECT_TRUE(HasCrtc(display, second));
    // Not one pixel of the desktop on the second monitor, and only one window
    // with the show's caption.
    EXPECT_EQ(PixelsNot(display, 1280, 0, 1280, 1024, kBlack), 0);
    EXPECT_EQ(CountCaptioned(probe, DefaultRootWindow(display), kCaption), 1);
    EXPECT_EQ(CountCaptioned(probe, DefaultRootWindow(display), kCoverCaption), 1);

    if (ending == 0) {
      probe.MoveTo(1800, 500);
      probe.Key("Escape");
    } else if (ending == 1) {
      probe.SendDeleteWindow(probe.FindWindowByCaption(kCaption));
    } else {
      renderer->Signal(ending);
    }
    const std::optional<int> code = renderer->Wait(10s);
    ASSERT_TRUE(code.has_value());
    if (ending != SIGKILL) {
      EXPECT_EQ(code, std::optional<int>(0));
      EXPECT_TRUE(HasCrtc(display, first));
    } else {
      // What the host does for a killed renderer: the mode put back.
      const std::string restore = "DISPLAY=" + server.display() + " xrandr --output DUMMY0 --mode 1280x1024";
      ASSERT_EQ(std::system(restore.c_str()), 0);
    }
    EXPECT_TRUE(HasCrtc(display, second));
    EXPECT_EQ(probe.FindWindowByCaption(kCoverCaption), 0u);
    EXPECT_TRUE(WaitUntil([&] { return PixelsNot(display, 0, 0, 2560, 1024, kDesktop) == 0; }, 5s));
  }
}

}  // namespace
