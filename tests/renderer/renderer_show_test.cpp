// Quiverglide.dll end to end: on Xvfb its error box; on the dummy Xorg the
// display mode around the show: 1024 x 768 for the show and the mode it had
// after it, on two monitors, where the second is black during the show and
// shows the desktop again after, and while monitors are plugged in and out.
#include "renderer_run.h"

#include <X11/Xutil.h>

#include <csignal>
#include <cstdlib>
#include <thread>

namespace {

// A broken snapshot and a start on a display that is not there. A good one
// is shown in the whole show (tests/show/show_e2e_test.cpp) and in the
// daemon's window (hosted_show_test.cpp).
using RendererShowTest = OnTestServer;

TEST_F(RendererShowTest, ABrokenSnapshotGivesTheErrorBoxAndNoDisplayEndsWithOne) {
  StartServer();
  std::string bytes = TwoColourBitmap(64, 64, kBlue, kOrange);
  bytes[14] = 108;  // a header of a size the loader does not know
  WriteSnapshot(bytes);
  auto renderer = Start("Quiverglide.dll");
  const Window show = WaitForWindow(kCaption, 10s);
  ASSERT_NE(show, 0u);
  const Window box = WaitForWindow("Error", 10s);
  ASSERT_NE(box, 0u);
  Window owner = 0;
  EXPECT_TRUE(XGetTransientForHint(display(), box, &owner) && owner == show);  // it stands above the show
  // Start-up waits for the box: no frame yet, and Escape belongs to the box.
  std::this_thread::sleep_for(300ms);
  EXPECT_FALSE(SheetsShow(kWhite, kWhite));
  EXPECT_TRUE(renderer->Running());
  Key("Return");
  EXPECT_TRUE(WaitUntil([&] { return FindWindowByCaption("Error") == 0; }, 5s));
  ASSERT_TRUE(WaitUntil([&] { return SheetsShow(kWhite, kWhite); }, 10s)) << Describe();
  EXPECT_TRUE(renderer->Running());
  Key("Escape");
  EXPECT_EQ(renderer->Wait(10s), std::optional<int>(0));
  EXPECT_EQ(Stderr(), "Quiverglide: Error: Unknown DIB file format.\n");

  renderer = Start("Quiverglide.dll", {}, {{"DISPLAY", ":12345"}});
  EXPECT_EQ(renderer->Wait(10s), std::optional<int>(1));
  EXPECT_NE(Stderr().find("cannot open X display"), std::string::npos) << Stderr();
}

constexpr const char* kCoverCaption = "Quiverglide cover";
const Rgb kDesktop{200, 0, 200};  // nothing the show draws is this colour
const Rgb kBlack{0, 0, 0};
constexpr int kEscape = 0, kCloseRequest = 1;

class RendererModeTest : public OnTestServer {
 protected:
  void SetUp() override {
    if (!qgtest::TestXServer::XorgDummyAvailable()) GTEST_SKIP() << "the dummy Xorg needs root, Xorg and its dummy driver";
    StartServer(qgtest::TestXServer::Kind::XorgDummy);
  }
  // Starts the show, waits for its first frame, runs the checks and ends it
  // the given way (a signal number, or one of the above); its exit code.
  std::optional<int> Show(int ending, const std::function<void()>& during) {
    auto renderer = Start("Quiverglide.dll");
    EXPECT_NE(WaitForWindow(kCaption, 10s), 0u);
    EXPECT_TRUE(WaitUntil([&] { return BlockIs(512, 740, kWhite); }, 10s)) << ToString(Pixel(512, 740));
    during();
    if (ending == kEscape) Key("Escape");
    else if (ending == kCloseRequest) SendDeleteWindow(FindWindowByCaption(kCaption));
    else renderer->Signal(ending);
    return renderer->Wait(10s);
  }
};

// On one monitor the whole show checks the mode (tests/show/show_e2e_test.cpp).
TEST_F(RendererModeTest, ModeIs1024x768DuringTheShowAndRestoredAfterOnTwoMonitorsAndAsMonitorsComeAndGo) {
  ASSERT_TRUE(HasCrtc(0, 0, 1280, 1024));
  const std::string xrandr = "DISPLAY=" + server_->display() + " xrandr";
  ASSERT_EQ(std::system((xrandr + " --addmode DUMMY1 1280x1024 && " + xrandr +
                         " --output DUMMY1 --mode 1280x1024 --right-of DUMMY0").c_str()), 0);
  ASSERT_TRUE(HasCrtc(1280, 0, 1280, 1024));
  MapWindow(0, 0, 2560, 1024, kDesktop);
  ASSERT_EQ(PixelsNot(1280, 0, 1280, 1024, kDesktop), 0);
  // Escape with the pointer on the second monitor, a close request, a signal.
  for (int ending : {kEscape, kCloseRequest, SIGTERM}) {
    SCOPED_TRACE("two monitors, ending " + std::to_string(ending));
    const std::optional<int> code = Show(ending, [&] {
      EXPECT_TRUE(HasCrtc(0, 0, 1024, 768));
      EXPECT_TRUE(HasCrtc(1280, 0, 1280, 1024));
      // Not one pixel of the desktop on the second monitor, and one window
      // each with the show's and the cover's caption.
      EXPECT_EQ(PixelsNot(1280, 0, 1280, 1024, kBlack), 0);
      EXPECT_EQ(WindowsCaptioned(kCaption).size(), 1u);
      EXPECT_EQ(WindowsCaptioned(kCoverCaption).size(), 1u);
      if (ending == kEscape) MoveTo(1800, 500);
    });
    EXPECT_EQ(code, std::optional<int>(0));
    EXPECT_TRUE(HasCrtc(0, 0, 1280, 1024));
    EXPECT_TRUE(HasCrtc(1280, 0, 1280, 1024));
    EXPECT_EQ(FindWindowByCaption(kCoverCaption), 0u);
    EXPECT_TRUE(WaitUntil([&] { return PixelsNot(0, 0, 2560, 1024, kDesktop) == 0; }, 5s));
  }

  // Monitors plugged in and out during the show: a third one gets a cover,
  // the second loses its own. Once the third has gone too and the show's own
  // mode was set from outside, the end puts back the show's output alone, at
  // its old mode, with the screen sized for the one monitor left and no X
  // error on the way.
  auto run = [&](const std::string& args) { return std::system((xrandr + " " + args).c_str()); };
  ASSERT_EQ(run("--addmode DUMMY2 1280x1024"), 0);
  MapWindow(0, 0, 3840, 1024, kDesktop);
  EXPECT_EQ(Show(kEscape,
                 [&] {
                   ASSERT_EQ(run("--output DUMMY2 --mode 1280x1024 --right-of DUMMY1"), 0);
                   EXPECT_TRUE(WaitUntil([&] { return PixelsNot(2560, 0, 1280, 1024, kBlack) == 0; }, 3s));
                   ASSERT_EQ(run("--output DUMMY1 --off"), 0);
                   EXPECT_TRUE(WaitUntil([&] { return PixelsNot(1280, 0, 1280, 1024, kDesktop) == 0; }, 3s));
                   EXPECT_EQ(WindowsCaptioned(kCoverCaption).size(), 1u);
                   ASSERT_EQ(run("--output DUMMY2 --off --output DUMMY0 --mode 800x600"), 0);
                 }),
            std::optional<int>(0));
  EXPECT_TRUE(HasCrtc(0, 0, 1280, 1024));
  EXPECT_EQ(ScreenSize(), std::make_pair(1280, 1024));
  EXPECT_EQ(Stderr().find("X request"), std::string::npos) << Stderr();
}

}  // namespace
