// Quiverglide.dll drawing into a window of another program, as the host asks
// when the screensaver daemon hands it one: the scene in that window at its
// size, following a resize, no window, grab or mode change of its own, and a
// clean end when the window is destroyed or the host is killed.
#include <gtest/gtest.h>

#include <csignal>
#include <fstream>
#include <thread>
#include <unistd.h>

#include "renderer_run.h"
#include "test_xserver.h"

using namespace std::chrono_literals;
using qgtest::TempDir;
using qgtest::TestXServer;

namespace {

const Rgb kBlue{30, 144, 255};
const Rgb kOrange{255, 140, 0};
constexpr const char* kCaption = "Wobblevista_VC";
constexpr int kLeft = 100, kTop = 80;

class RendererHostedTest : public ::testing::Test {
 protected:
  void SetUp() override {
    server_ = std::make_unique<TestXServer>();
    ASSERT_TRUE(server_->ok()) << server_->error();
    probe_ = std::make_unique<X11Probe>(server_->display());
    ASSERT_TRUE(probe_->ok());
    // The daemon's window: a plain top-level window of another client.
    window_ = MapPlainWindow(*probe_, kLeft, kTop, 400, 300);
    const std::string snapshot = TwoColourBitmap(64, 48, kBlue, kOrange);
    stderr_ = runtime_.path() + "/stderr.txt";
    env_ = {{"DISPLAY", server_->display()},
            {"XDG_RUNTIME_DIR", runtime_.path()},
            {"QUIVERGLIDE_TARGET_WINDOW", HexWindowId(window_)}};
    // The hosted show's own snapshot, named for its window.
    mkdir((runtime_.path() + "/kestrow").c_str(), 0700);
    std::ofstream(runtime_.path() + "/kestrow/Wobblevista-" + std::to_string(window_) + ".bmp", std::ios::binary)
        << snapshot;
  }
  std::unique_ptr<qgtest::Process> Start() {
    qgtest::ProcessOptions options;
    options.argv = {qgtest::BinDir() + "/Quiverglide.dll"};
    options.env = env_;
    options.stderr_path = stderr_;
    return std::make_unique<qgtest::Process>(options);
  }
  // The floor's left and right halves near the bottom of a window of the size.
  bool FloorShows(int width, int height) {
    const int y = kTop + height * 740 / 768;
    return BlockIs(*probe_, kLeft + width / 4, y, kBlue) && BlockIs(*probe_, kLeft + width * 3 / 4, y, kOrange);
  }

  std::unique_ptr<TestXServer> server_;
  TempDir runtime_;
  std::unique_ptr<X11Probe> probe_;
  Window window_ = 0;
  std::map<std::string, std::string> env_;
  std::string stderr_;
};

TEST_F(RendererHostedTest, DrawsIntoTheWindowFollowsItsSizeAndEndsWhenItIsDestroyed) {
  auto renderer = Start();
  ASSERT_TRUE(WaitUntil([&] { return FloorShows(400, 300); }, 10s))
      << ToString(probe_->Pixel(kLeft + 100, kTop + 289)) << ToString(probe_->Pixel(kLeft + 300, kTop + 289));
  Display* d = probe_->display();
  // No window, pointer or keyboard of its own: the daemon keeps those.
  EXPECT_EQ(probe_->FindWindowByCaption(kCaption), 0u);
  EXPECT_EQ(XGrabKeyboard(d, window_, False, GrabModeAsync, GrabModeAsync, CurrentTime), GrabSuccess);
  XUngrabKeyboard(d, CurrentTime);
  Window focus;
  int revert;
  XGetInputFocus(d, &focus, &revert);
  EXPECT_NE(focus, window_);

  // The owner makes the window larger: the scene fills it.
  XResizeWindow(d, window_, 600, 450);
  XSync(d, False);
  EXPECT_TRUE(WaitUntil([&] { return FloorShows(600, 450); }, 10s))
      << ToString(probe_->Pixel(kLeft + 150, kTop + 433)) << ToString(probe_->Pixel(kLeft + 450, kTop + 433));

  // Escape is the daemon's business, not the show's.
  probe_->Key("Escape");
  std::this_thread::sleep_for(300ms);
  EXPECT_TRUE(renderer->Running());

  XDestroyWindow(d, window_);
  XSync(d, False);
  EXPECT_EQ(renderer->Wait(2s), std::optional<int>(0));
  EXPECT_EQ(ReadFile(stderr_), "");
}

}  // namespace
