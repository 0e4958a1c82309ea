// The programs under a real window manager (Debian's openbox), which frames,
// places, stacks and focuses the windows it manages, on two monitors of the
// dummy Xorg: the same checks as on the bare server.
#include <gtest/gtest.h>

#include <unistd.h>

#include <array>
#include <chrono>
#include <cstdlib>

#include "show_fixture.h"

namespace {

using namespace std::chrono_literals;
using Rect = std::array<int, 4>;  // left, top, width, height on the screen

class UnderAWindowManager : public showtest::ShowFixture {
 protected:
  // Where the window lies on the screen; with `whole`, the window with all the
  // manager put around it (its ancestor just below the root).
  Rect OnScreen(Window w, bool whole = false) {
    for (Window up = w; whole;) {
      Window root, parent, *children = nullptr;
      unsigned count = 0;
      if (!XQueryTree(display_, up, &root, &parent, &children, &count)) return {};
      if (children) XFree(children);
      if (parent == root) break;
      w = up = parent;
    }
    XWindowAttributes a;
    int x = 0, y = 0;
    Window child;
    if (!XGetWindowAttributes(display_, w, &a) ||
        !XTranslateCoordinates(display_, w, DefaultRootWindow(display_), 0, 0, &x, &y, &child))
      return {};
    return {x, y, a.width, a.height};
  }
  bool Placed(Window w, const Rect& where) { return OnScreen(w) == where && OnScreen(w, true) == where; }
};

TEST_F(UnderAWindowManager, TheShowItsCoverThePreviewAndTheDialogKeepTheirPlaceAndSize) {
  if (!qgtest::TestXServer::XorgDummyAvailable() || access("/usr/bin/openbox", X_OK) != 0)
    GTEST_SKIP() << "needs the dummy Xorg and openbox";
  Prepare(qgtest::TestXServer::Kind::XorgDummy, showtest::RealRenderer());
  const std::string xrandr = "DISPLAY=" + server_->display() + " xrandr";
  ASSERT_EQ(std::system((xrandr + " --addmode DUMMY1 1280x1024 && " + xrandr +
                         " --output DUMMY1 --mode 1280x1024 --right-of DUMMY0").c_str()), 0);
  qgtest::Process wm({{"/usr/bin/openbox"}, {{"DISPLAY", server_->display()}, {"HOME", host_->Scratch()}}});
  // A window manager holds the screen's WM_S0 selection (ICCCM).
  const Atom managed = XInternAtom(display_, "WM_S0", False);
  ASSERT_TRUE(qgtest::WaitUntil([&] { return XGetSelectionOwner(display_, managed) != None; }, 10s)) << "openbox did not start";

  // The show: at the first monitor's corner at 1024 x 768, nothing around it;
  // the cover over the whole second monitor, black; Escape ends it.
  auto saver = host_->Start({"/s"});
  const Window show = WaitForWindow("Wobblevista_VC", 15s);
  ASSERT_NE(show, 0u);
  EXPECT_TRUE(qgtest::WaitUntil([&] { return Placed(show, {0, 0, 1024, 768}); }, 5s));
  const Window cover = WaitForWindow("Quiverglide cover", 5s);
  EXPECT_TRUE(Placed(cover, {1280, 0, 1280, 1024}));
  long lit = 0;
  ReadScreen(1280, 0, 1280, 1024, [&](int r, int g, int b) { lit += r + g + b > 0; });
  EXPECT_EQ(lit, 0) << "the second monitor shows more than black";
  Key("Escape");
  EXPECT_EQ(saver->Wait(5000ms), std::optional<int>(0));
  EXPECT_TRUE(HasCrtc(0, 0, 1280, 1024));

  // The preview in a window the manager frames: inside it, at its size, and
  // gone with it.
  const Window box = XCreateSimpleWindow(display_, DefaultRootWindow(display_), 50, 50, 200, 150, 0, 0, 0x808080);
  XMapWindow(display_, box);
  XSync(display_, False);
  auto preview = host_->Start({"/p", std::to_string(box)});
  EXPECT_TRUE(qgtest::WaitUntil([&] {
    const auto children = Children(box);
    return !children.empty() && OnScreen(children.front()) == OnScreen(box);
  }, 10s)) << "the preview is not over the whole of its host";
  XDestroyWindow(display_, box);
  XSync(display_, False);
  EXPECT_EQ(preview->Wait(3000ms), std::optional<int>(0));

  // The dialog at its designed size, centred across the first monitor and a
  // third of the way down (the manager's frame around it).
  auto dialog = host_->Start({"/c"});
  const Window settings = WaitForWindow("<Quiverglide>", 10s);
  ASSERT_NE(settings, 0u);
  EXPECT_TRUE(qgtest::WaitUntil([&] { return OnScreen(settings) == Rect{392, 259, 496, 246}; }, 5s))
      << OnScreen(settings)[0] << "," << OnScreen(settings)[1] << " " << OnScreen(settings)[2] << "x"
      << OnScreen(settings)[3];
  SendDeleteWindow(settings);
  EXPECT_EQ(dialog->Wait(5000ms), std::optional<int>(0));
}

}  // namespace
