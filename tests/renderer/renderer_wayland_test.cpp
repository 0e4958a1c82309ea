// Quiverglide.dll on a private headless sway, read back with grim: the picture
// moving on the first output and scaled to fill it, every other output black
// (one added during the show too), the session's mark and the idle timers
// held while it runs, what ends it and what it leaves behind, and the
// full-screen toplevel taken instead of the layer shell.
#include "renderer_run.h"

#include <csignal>
#include <thread>
#include <unistd.h>

#include "session_marker.h"
#include "snapshot_path.h"
#include "test_sway.h"

namespace {

using qgtest::RgbPicture;
const Rgb kDesktop{200, 0, 200};  // nothing the show draws comes near it
const Rgb kBlack{0, 0, 0};

// Blue on the left, orange on the right, their green rising a little towards
// the top: the same colours to the checks, yet a picture that slides changes
// the screen.
std::string SlidingBitmap(int width, int height) {
  const qg::show::DesktopPicture picture = qg::show::DesktopPicture::Allocate(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const Rgb& c = x < width / 2 ? kBlue : kOrange;
      uint8_t* px = picture.Row(y) + 4 * x;
      px[0] = uint8_t(c.b), px[1] = uint8_t(c.g - 10 + 20 * y / height), px[2] = uint8_t(c.r), px[3] = 0;
    }
  const std::vector<uint8_t> file = qg::show::EncodeBmp(picture);
  return std::string(file.begin(), file.end());
}

Rgb At(const RgbPicture& p, int x, int y) { return {p.At(x, y)[0], p.At(x, y)[1], p.At(x, y)[2]}; }
// Pixels near the colour, or not near it; -1 when nothing was read.
long Pixels(const RgbPicture& p, const Rgb& colour, bool near) {
  long count = 0;
  for (int y = 0; y < p.height; ++y)
    for (int x = 0; x < p.width; ++x) count += Near(At(p, x, y), colour) == near;
  return p.width > 0 ? count : -1;
}

class RendererOnSway : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!qgtest::TestSway::Available()) GTEST_SKIP() << "sway, grim and wtype, and root to run sway as another user";
    // Where the renderer finds the snapshot and keeps its mark, as the test looks.
    setenv("XDG_RUNTIME_DIR", runtime_.path().c_str(), 1);
    ASSERT_TRUE(qg::EnsureSnapshotFolder());
    std::ofstream(qg::SnapshotFilePath(), std::ios::binary) << SlidingBitmap(1022, 766);
    // 1280 x 960: the show's 1024 x 768 is scaled to fill it.
    sway_ = std::make_unique<qgtest::TestSway>(1280, 960, "#c800c8", "output * bg #c800c8 solid_color");
    ASSERT_TRUE(sway_->ok()) << sway_->error();
  }
  // A program on this sway, its errors to <its name>.stderr.
  std::unique_ptr<qgtest::Process> Start(const std::vector<std::string>& argv,
                                         const std::map<std::string, std::string>& env = {}) {
    qgtest::ProcessOptions options;
    options.argv = argv;
    options.env = sway_->ClientEnv();
    options.env.insert(env.begin(), env.end());
    options.unset_env = qgtest::TestSway::ClientUnsetEnv();
    options.stderr_path = runtime_.path() + argv[0].substr(argv[0].rfind('/')) + ".stderr";
    return std::make_unique<qgtest::Process>(options);
  }
  std::unique_ptr<qgtest::Process> StartShow(const std::map<std::string, std::string>& env = {}) {
    return Start({qgtest::BinDir() + "/Quiverglide.dll"}, env);
  }
  std::string Stderr() const { return ReadFile(runtime_.path() + "/Quiverglide.dll.stderr"); }
  RgbPicture Screen(const std::string& output) const {
    RgbPicture picture;
    sway_->Screenshot(&picture, output);
    return picture;
  }
  // The picture over the whole output: floor and canopy blue left and orange
  // right of the middle, the dark distance between them, no desktop at all.
  static bool ShowsThePicture(const RgbPicture& p) {
    if (p.width == 0) return false;
    for (int i = 0; i < 4; ++i)
      if (!Near(At(p, p.width * (i % 2 ? 3 : 1) / 4, p.height * (i < 2 ? 740 : 30) / 768), i % 2 ? kOrange : kBlue))
        return false;
    return Near(At(p, p.width / 2, p.height * 423 / 768), kBlack) && Pixels(p, kDesktop, true) == 0;
  }
  bool WaitForTheShow(const std::string& output = "HEADLESS-1") {
    return WaitUntil([&] { return ShowsThePicture(Screen(output)); }, 20s);
  }
  bool Marked() const {
    return qg::SessionMarkerHeld(qg::SessionOfWaylandDisplay(sway_->socket()), "Wobblevista_VC");
  }

  qgtest::TempDir runtime_;
  std::unique_ptr<qgtest::TestSway> sway_;
};

TEST_F(RendererOnSway, ShowFillsTheFirstOutputCoversTheOthersHoldsItsMarkAndOnlyEscapeEndsIt) {
  ASSERT_NE(sway_->Msg({"create_output"}), "");
  auto renderer = StartShow();
  ASSERT_TRUE(WaitForTheShow()) << Stderr();
  EXPECT_EQ(Pixels(Screen("HEADLESS-2"), kBlack, false), 0);
  EXPECT_TRUE(Marked());
  const RgbPicture before = Screen("HEADLESS-1");
  std::this_thread::sleep_for(500ms);
  EXPECT_NE(Screen("HEADLESS-1").rgb, before.rgb) << "the picture does not move";
  // An output that comes is covered at once (grim's own time allowed for);
  // one that goes leaves the show as it was.
  ASSERT_NE(sway_->Msg({"create_output"}), "");
  EXPECT_TRUE(WaitUntil([&] { return Pixels(Screen("HEADLESS-3"), kBlack, false) == 0; }, 2s));
  ASSERT_NE(sway_->Msg({"output", "HEADLESS-3", "disable"}), "");
  // However idle the user, the compositor's idle timers wait for the show.
  const std::string idled = runtime_.path() + "/idled";
  auto swayidle = Start({"/usr/bin/swayidle", "-w", "timeout", "1", "touch " + idled});
  std::this_thread::sleep_for(2500ms);
  EXPECT_NE(access(idled.c_str(), F_OK), 0) << "idle during the show";
  sway_->PressKey("a");
  EXPECT_TRUE(ShowsThePicture(Screen("HEADLESS-1")));
  EXPECT_TRUE(renderer->Running()) << "the show ended on another key";
  sway_->PressKey("Escape");
  EXPECT_EQ(renderer->Wait(10s), std::optional<int>(0));
  EXPECT_FALSE(Marked());
  for (const char* output : {"HEADLESS-1", "HEADLESS-2"})
    EXPECT_TRUE(WaitUntil([&] { return Pixels(Screen(output), kDesktop, false) == 0; }, 5s)) << output;
  EXPECT_TRUE(WaitUntil([&] { return access(idled.c_str(), F_OK) == 0; }, 5s));
  EXPECT_EQ(Stderr(), "");
}

TEST_F(RendererOnSway, FullScreenToplevelShowsTooAndAKilledShowLeavesNothingBehind) {
  auto renderer = StartShow({{"QG_WAYLAND_SHELL", "xdg"}});
  ASSERT_TRUE(WaitForTheShow()) << Stderr();
  EXPECT_NE(sway_->Msg({"-t", "get_tree"}).find("\"Wobblevista_VC\""), std::string::npos);  // a window's title
  EXPECT_TRUE(Marked());
  renderer->Signal(SIGTERM);
  EXPECT_EQ(renderer->Wait(10s), std::optional<int>(0));
  EXPECT_FALSE(Marked());

  renderer = StartShow();
  ASSERT_TRUE(WaitForTheShow()) << Stderr();
  renderer->Signal(SIGKILL);
  EXPECT_EQ(renderer->Wait(10s), std::optional<int>(128 + SIGKILL));
  EXPECT_FALSE(Marked());
  EXPECT_TRUE(WaitUntil([&] { return Pixels(Screen("HEADLESS-1"), kDesktop, false) == 0; }, 5s));
}

}  // namespace
