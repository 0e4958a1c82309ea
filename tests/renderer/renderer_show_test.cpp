// Quiverglide.dll end to end under private X servers: what it draws (read
// back from the screen), what ends it and what does not, its error box, and
// the display mode around the show.
#include <gtest/gtest.h>

#include <csignal>
#include <thread>

#include <GL/glx.h>

#include "renderer_run.h"
#include "test_xserver.h"

using namespace std::chrono_literals;
using qgtest::TempDir;
using qgtest::TestXServer;

namespace {

const Rgb kBlue{30, 144, 255};
const Rgb kOrange{255, 140, 0};
const Rgb kWhite{255, 255, 255};
constexpr const char* kCaption = "Wobblevista_VC";

// Points on the floor (near the bottom edge) and the canopy (near the top
// edge), left and right of the centre. Straight ahead the picture's middle
// lies under the screen's centre line, so left shows the picture's left half.
struct SamplePoint {
  int x, y;
  bool left;
};
const SamplePoint kSheetPoints[] = {{256, 740, true}, {768, 740, false}, {256, 30, true}, {768, 30, false}};

bool SheetsShow(X11Probe& probe, const Rgb& left, const Rgb& right) {
  for (const SamplePoint& p : kSheetPoints)
    if (!BlockIs(probe, p.x, p.y, p.left ? left : right)) return false;
  return true;
}

std::string Describe(X11Probe& probe) {
  std::string s;
  for (const SamplePoint& p : kSheetPoints)
    s += "(" + std::to_string(p.x) + "," + std::to_string(p.y) + ")=" + ToString(probe.Pixel(p.x, p.y)) + " ";
  return s;
}

class RendererShowTest : public ::testing::Test {
 protected:
  void Start(TestXServer::Kind kind = TestXServer::Kind::Xvfb, int width = 1024, int height = 768,
             int depth = 24) {
    server_ = std::make_unique<TestXServer>(kind, width, height, depth);
    TestXServer& server = *server_;
    ASSERT_TRUE(server.ok()) << server.error();
    probe_ = std::make_unique<X11Probe>(server.display());
    ASSERT_TRUE(probe_->ok());
    stderr_ = runtime_.path() + "/stderr.txt";
    renderer_ = StartRenderer(server.display(), runtime_.path(), stderr_);
    ASSERT_TRUE(renderer_->started());
  }
  Window WaitForShowWindow() {
    Window w = 0;
    WaitUntil([&] { return (w = probe_->FindWindowByCaption(kCaption)) != 0; }, 10s);
    return w;
  }
  std::optional<int> WaitExit() { return renderer_->Wait(10s); }

  // Declared first, so the server goes last.
  std::unique_ptr<TestXServer> server_;
  TempDir runtime_;
  std::string stderr_;
  std::unique_ptr<X11Probe> probe_;
  std::unique_ptr<qgtest::Process> renderer_;
};

TEST_F(RendererShowTest, KnownSnapshotIsShownOnFloorAndCanopyUntilEscape) {
  // An odd width (rows not 4-byte aligned once packed for GL) must come out exact.
  WriteSnapshot(runtime_.path(), TwoColourBitmap(1022, 766, kBlue, kOrange));
  Start();
  const Window show = WaitForShowWindow();
  ASSERT_NE(show, 0u) << ReadFile(stderr_);

  ASSERT_TRUE(WaitUntil([&] { return SheetsShow(*probe_, kBlue, kOrange); }, 10s)) << Describe(*probe_);

  // What other programs know the show by.
  EXPECT_EQ(probe_->ClassHint(show), "Wobblevista_VC/Wobblevista_VC");
  EXPECT_EQ(probe_->TextProperty(show, "_NET_WM_NAME", "UTF8_STRING"), kCaption);
  int x, y, w, h;
  ASSERT_TRUE(probe_->Geometry(show, &x, &y, &w, &h));
  EXPECT_EQ(x, 0);
  EXPECT_EQ(y, 0);
  EXPECT_EQ(w, 1024);
  EXPECT_EQ(h, 768);
  // The server's own saver stays off for the show, however idle the user.
  probe_->SetSaverTimeout(1);
  std::this_thread::sleep_for(2500ms);
  EXPECT_FALSE(probe_->SaverOn());
  EXPECT_TRUE(renderer_->Running());

  probe_->Key("Escape");
  EXPECT_EQ(WaitExit(), std::optional<int>(0));
  EXPECT_EQ(probe_->FindWindowByCaption(kCaption), 0u);
  // ... and works again after it.
  EXPECT_TRUE(WaitUntil([&] { return probe_->SaverOn(); }, 5s));
  EXPECT_EQ(ReadFile(stderr_), "");
}

TEST_F(RendererShowTest, MissingSnapshotGivesWhiteSheetsAndNoMessage) {
  Start();
  ASSERT_NE(WaitForShowWindow(), 0u);
  ASSERT_TRUE(WaitUntil([&] { return SheetsShow(*probe_, kWhite, kWhite); }, 10s)) << Describe(*probe_);
  EXPECT_EQ(probe_->FindWindowByCaption("Error"), 0u);
  probe_->Key("Escape");
  EXPECT_EQ(WaitExit(), std::optional<int>(0));
  EXPECT_EQ(ReadFile(stderr_), "");
}

TEST_F(RendererShowTest, BrokenSnapshotShowsTheErrorBoxThenTheShow) {
  // A header of a size the loader does not know.
  std::string bytes = TwoColourBitmap(64, 64, kBlue, kOrange);
  bytes[14] = 108;
  WriteSnapshot(runtime_.path(), bytes);
  Start();
  const Window show = WaitForShowWindow();
  ASSERT_NE(show, 0u);
  Window box = 0;
  ASSERT_TRUE(WaitUntil([&] { return (box = probe_->FindWindowByCaption("Error")) != 0; }, 10s));
  EXPECT_EQ(probe_->TransientFor(box), show);  // it stands above the show
  // Start-up waits for the box: no frame yet, and Escape belongs to the box.
  std::this_thread::sleep_for(300ms);
  EXPECT_FALSE(SheetsShow(*probe_, kWhite, kWhite));
  EXPECT_TRUE(renderer_->Running());

  probe_->Key("Return");
  EXPECT_TRUE(WaitUntil([&] { return probe_->FindWindowByCaption("Error") == 0; }, 5s));
  ASSERT_TRUE(WaitUntil([&] { return SheetsShow(*probe_, kWhite, kWhite); }, 10s)) << Describe(*probe_);
  EXPECT_TRUE(renderer_->Running());
  probe_->Key("Escape");
  EXPECT_EQ(WaitExit(), std::optional<int>(0));
  EXPECT_EQ(ReadFile(stderr_), "Quiverglide: Error: Unknown DIB file format.\n");
}

TEST(RendererStartTest, NoDisplayExitsWithOneAndSaysWhy) {
  TempDir runtime;
  qgtest::ProcessOptions options;
  options.argv = {qgtest::BinDir() + "/Quiverglide.dll"};
  options.unset_env = {"DISPLAY"};
  options.env = {{"XDG_RUNTIME_DIR", runtime.path()}};
  options.stderr_path = runtime.path() + "/stderr.txt";
  qgtest::Process renderer(options);
  EXPECT_EQ(renderer.Wait(10s), std::optional<int>(1));
  EXPECT_NE(ReadFile(options.stderr_path).find("cannot open X display"), std::string::npos);
}

class RendererModeTest : public RendererShowTest {
 protected:
  void SetUp() override {
    if (!TestXServer::XorgDummyAvailable()) GTEST_SKIP() << "the dummy Xorg needs root, Xorg and its dummy driver";
  }
};

TEST_F(RendererModeTest, ModeIs1024x768DuringTheShowAndRestoredAfterEscapeAndSignals) {
  TestXServer server(TestXServer::Kind::XorgDummy);
  ASSERT_TRUE(server.ok()) << server.error();
  X11Probe probe(server.display());
  ASSERT_TRUE(probe.ok());
  int w = 0, h = 0;
  ASSERT_TRUE(probe.CurrentMode(&w, &h));
  ASSERT_EQ(w, 1280);
  ASSERT_EQ(h, 1024);

  // Ended by Escape, then by each termination signal: the mode comes back.
  for (int ending : {0, SIGTERM, SIGINT}) {
    SCOPED_TRACE(ending == 0 ? "Escape" : "signal " + std::to_string(ending));
    TempDir runtime;
    auto renderer = StartRenderer(server.display(), runtime.path(), runtime.path() + "/stderr.txt");
    ASSERT_TRUE(WaitUntil([&] { return probe.FindWindowByCaption(kCaption) != 0; }, 10s));
    ASSERT_TRUE(WaitUntil([&] { return SheetsShow(probe, kWhite, kWhite); }, 10s)) << Describe(probe);
    ASSERT_TRUE(probe.CurrentMode(&w, &h));
    EXPECT_EQ(w, 1024);
    EXPECT_EQ(h, 768);
    probe.ScreenSize(&w, &h);  // the screen follows the only active output
    EXPECT_EQ(w, 1024);
    EXPECT_EQ(h, 768);
    if (ending == 0) probe.Key("Escape");
    else renderer->Signal(ending);
    EXPECT_EQ(renderer->Wait(10s), std::optional<int>(0));
    ASSERT_TRUE(probe.CurrentMode(&w, &h));
    EXPECT_EQ(w, 1280);
    EXPECT_EQ(h, 1024);
    probe.ScreenSize(&w, &h);
    EXPECT_EQ(w, 1280);
    EXPECT_EQ(h, 1024);
  }
}

}  // namespace
