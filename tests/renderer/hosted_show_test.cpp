// The show in a window of another program, as the X11 screensaver daemon asks
// for it: Quiverglide.dll drawing into the window it is handed, and
// Quiverglide.scr started the way the daemon starts it, with the daemon's
// screenshot (or, without one, the screen; or, when the user says no,
// nothing) and every way the daemon ends it.
#include "renderer_run.h"

#include <X11/Xatom.h>
#include <sys/prctl.h>
#include <sys/wait.h>

#include <csignal>
#include <fstream>
#include <thread>

namespace {

const Rgb kGreen{40, 200, 60};

class HostedShowTest : public OnTestServer {
 protected:
  void SetUp() override {
    // A renderer its host leaves behind becomes ours, to be seen.
    prctl(PR_SET_CHILD_SUBREAPER, 1);
    StartServer();
    Display* d = display();
    XSetWindowBackground(d, DefaultRootWindow(d), PixelValue(kBlue));
    XClearWindow(d, DefaultRootWindow(d));
    XSync(d, False);
    env_ = {{"HOME", home_.path()}, {"SDL_AUDIODRIVER", "dummy"}};
  }
  // The daemon's window at (left, top), and its screenshot of the desktop in
  // a pixmap of one colour named by the property.
  void MakeDaemonWindow(bool withScreenshot, int left = 0, int top = 0, int width = 1024, int height = 768) {
    Display* d = display();
    window_ = MapWindow(left, top, width, height, Rgb{});
    if (withScreenshot) {
      const Pixmap pixmap = XCreatePixmap(d, window_, 1024, 768, static_cast<unsigned>(DefaultDepth(d, 0)));
      GC gc = XCreateGC(d, pixmap, 0, nullptr);
      XSetForeground(d, gc, PixelValue(kGreen));
      XFillRectangle(d, pixmap, gc, 0, 0, 1024, 768);
      XFreeGC(d, gc);
      const unsigned long id = pixmap;
      XChangeProperty(d, window_, XInternAtom(d, "_SCREENSAVER_SCREENSHOT", False), XA_PIXMAP, 32,
                      PropModeReplace, reinterpret_cast<const unsigned char*>(&id), 1);
    }
    XSync(d, False);
    env_["XSCREENSAVER_WINDOW"] = HexWindowId(window_);
  }
  // The host's snapshot for the daemon's window.
  std::string Snapshot() { return runtime_.path() + "/kestrow/Wobblevista-" + std::to_string(window_) + ".bmp"; }
  bool NoSnapshot() { return ReadFile(Snapshot()).empty(); }

  qgtest::TempDir home_;
  Window window_ = 0;
  std::map<std::string, std::string> env_;
};

TEST_F(HostedShowTest, TheDaemonsScreenshotOrWhiteOrTheScreenIsShownInItsWindowAndTheShowEndsWithItsHost) {
  Display* d = display();
  MakeDaemonWindow(true);
  auto host = Start("Quiverglide.scr", {"--root"}, env_);
  EXPECT_TRUE(WaitUntil([&] { return SheetsShow(kGreen, kGreen); }, 10s)) << Describe();
  EXPECT_FALSE(NoSnapshot());
  long renderer = qgtest::ChildOf(host->pid());
  const std::string children = "/proc/" + std::to_string(host->pid()) + "/task/" + std::to_string(host->pid()) + "/children";
  EXPECT_EQ(ReadFile(children), std::to_string(renderer) + " ") << "not one renderer";
  EXPECT_EQ(FindWindowByCaption(kCaption), 0u);  // no window of its own
  // The daemon's SIGTERM: the host ends its renderer itself, so the renderer
  // is gone (and reaped) by the time the host has ended.
  host->Signal(SIGTERM);
  EXPECT_EQ(host->Wait(1s), std::optional<int>(0));
  EXPECT_TRUE(qgtest::ProcessGone(renderer)) << "the host left its renderer to end after it";
  EXPECT_TRUE(NoSnapshot());
  EXPECT_EQ(Stderr(), "");

  // A host killed outright takes the renderer with it (the window cleared
  // first, so that the sheets seen are the new renderer's), and one whose
  // host has gone before it ran ends at once.
  XClearWindow(d, window_);
  host = Start("Quiverglide.scr", {"--root"}, env_);
  ASSERT_TRUE(WaitUntil([&] { return SheetsShow(kGreen, kGreen); }, 10s));
  renderer = qgtest::ChildOf(host->pid());
  host->Signal(SIGKILL);
  host->Wait(1s);
  // A renderer whose host has gone is ours (the subreaper's) to reap.
  EXPECT_TRUE(WaitUntil([&] { return waitpid(pid_t(renderer), nullptr, WNOHANG), qgtest::ProcessGone(renderer); }, 1s))
      << "the renderer outlived its host";
  EXPECT_EQ(Start("Quiverglide.dll", {}, {{"QUIVERGLIDE_TARGET_WINDOW", HexWindowId(window_)},
                                          {"QUIVERGLIDE_HOST_PID", std::to_string(server_->pid())}})->Wait(2s),
            std::optional<int>(0));

  // The user's no to desktop images, though the killed host left its snapshot.
  std::ofstream(home_.path() + "/.xscreensaver") << "mode:\t\tone\ngrabDesktopImages:\tFalse\n";
  // Started with an option of the daemon's it does not know and the window in decimal.
  std::map<std::string, std::string> decimal = env_;
  decimal["XSCREENSAVER_WINDOW"] = std::to_string(window_);
  host = Start("Quiverglide.scr", {"-fps"}, decimal);
  EXPECT_TRUE(WaitUntil([&] { return SheetsShow(kWhite, kWhite); }, 10s)) << Describe();
  host->Signal(SIGTERM);
  EXPECT_EQ(host->Wait(2s), std::optional<int>(0));
  // A preview window that cannot be one wins over the daemon's window and ends the start quietly.
  for (const char* id : {"zebra", "0", "0x12q"})
    EXPECT_EQ(Start("Quiverglide.scr", {"-root", "--window-id", id}, env_)->Wait(2s), std::optional<int>(0)) << id;

  // The renderer alone in a window of the daemon's elsewhere on the screen.
  XDestroyWindow(d, window_);
  constexpr int kLeft = 100, kTop = 80;
  MakeDaemonWindow(false, kLeft, kTop, 400, 300);
  // The hosted show's own, named for its window; an odd width (rows not 4-byte
  // aligned once packed for GL) must come out exact.
  WriteSnapshot(TwoColourBitmap(1022, 766, kBlue, kOrange), window_);
  auto alone = Start("Quiverglide.dll", {}, {{"QUIVERGLIDE_TARGET_WINDOW", HexWindowId(window_)}});
  ASSERT_TRUE(WaitUntil([&] { return SheetsShow(kBlue, kOrange, kLeft, kTop, 400, 300); }, 10s))
      << Describe(kLeft, kTop, 400, 300);
  // No window, pointer or keyboard of its own: the daemon keeps those.
  EXPECT_EQ(FindWindowByCaption(kCaption), 0u);
  EXPECT_EQ(XGrabKeyboard(d, window_, False, GrabModeAsync, GrabModeAsync, CurrentTime), GrabSuccess);
  XUngrabKeyboard(d, CurrentTime);
  Window focus;
  int revert;
  XGetInputFocus(d, &focus, &revert);
  EXPECT_NE(focus, window_);

  // The owner makes the window larger: the scene fills it.
  XResizeWindow(d, window_, 600, 450);
  XSync(d, False);
  EXPECT_TRUE(WaitUntil([&] { return SheetsShow(kBlue, kOrange, kLeft, kTop, 600, 450); }, 10s))
      << Describe(kLeft, kTop, 600, 450);

  // Escape is the daemon's business, not the show's.
  Key("Escape");
  std::this_thread::sleep_for(300ms);
  EXPECT_TRUE(alone->Running());

  XDestroyWindow(d, window_);
  XSync(d, False);
  EXPECT_EQ(alone->Wait(2s), std::optional<int>(0));
  EXPECT_EQ(Stderr(), "");

  std::ofstream(home_.path() + "/.xscreensaver") << "grabDesktopImages:\tTrue\n";
  MakeDaemonWindow(false);
  XUnmapWindow(d, window_);  // the desktop in view for the photograph
  XSync(d, False);
  host = Start("Quiverglide.scr", {}, env_);  // XSCREENSAVER_WINDOW alone
  std::string bytes;
  EXPECT_TRUE(WaitUntil([&] { return (bytes = ReadFile(Snapshot())).size() == 54 + 1024 * 768 * 4; }, 10s))
      << bytes.size();
  // The first pixel (blue, green, red): the screen's blue.
  ASSERT_GE(bytes.size(), 57u);
  EXPECT_EQ(ToString({uint8_t(bytes[56]), uint8_t(bytes[55]), uint8_t(bytes[54])}), ToString(kBlue));
  host->Signal(SIGTERM);
  EXPECT_EQ(host->Wait(2s), std::optional<int>(0));
  EXPECT_TRUE(NoSnapshot());
}

}  // namespace
