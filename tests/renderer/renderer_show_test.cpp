// Quiverglide.dll end to end on Xvfb: what it draws (read back from the
// screen), what ends it and what does not, and its error box.
#include "renderer_run.h"

#include <thread>


namespace {

const Rgb kBlue{30, 144, 255};
const Rgb kOrange{255, 140, 0};
const Rgb kWhite{255, 255, 255};

class RendererShowTest : public OnTestServer {
 protected:
  void SetUp() override { StartServer(); }
  Window WaitForWindow(const char* caption) {
    Window w = 0;
    WaitUntil([&] { return (w = FindWindowByCaption(caption)) != 0; }, 10s);
    return w;
  }
};

TEST_F(RendererShowTest, KnownSnapshotIsShownOnFloorAndCanopyUntilEscape) {
  // An odd width (rows not 4-byte aligned once packed for GL) must come out exact.
  WriteSnapshot(TwoColourBitmap(1022, 766, kBlue, kOrange));
  auto renderer = Start("Quiverglide.dll");
  const Window show = WaitForWindow(kCaption);
  ASSERT_NE(show, 0u) << Stderr();
  ASSERT_TRUE(WaitUntil([&] { return SheetsShow(kBlue, kOrange); }, 10s)) << Describe();
  // Between the far edges of floor and canopy lies the empty black distance.
  EXPECT_TRUE(BlockIs(512, 423, Rgb{})) << ToString(Pixel(512, 423));
  int x, y, w, h;
  ASSERT_TRUE(Geometry(show, &x, &y, &w, &h));
  EXPECT_EQ(std::vector<int>({x, y, w, h}), std::vector<int>({0, 0, 1024, 768}));
  // The server's own saver stays off for the show, however idle the user.
  SetSaverTimeout(1);
  std::this_thread::sleep_for(2500ms);
  EXPECT_FALSE(SaverOn());
  EXPECT_TRUE(renderer->Running());

  Key("Escape");
  EXPECT_EQ(renderer->Wait(10s), std::optional<int>(0));
  EXPECT_EQ(FindWindowByCaption(kCaption), 0u);
  // ... and works again after it.
  EXPECT_TRUE(WaitUntil([&] { return SaverOn(); }, 5s));
  EXPECT_EQ(Stderr(), "");
}

TEST_F(RendererShowTest, BrokenSnapshotShowsTheErrorBoxThenWhiteSheets) {
  std::string bytes = TwoColourBitmap(64, 64, kBlue, kOrange);
  bytes[14] = 108;  // a header of a size the loader does not know
  WriteSnapshot(bytes);
  auto renderer = Start("Quiverglide.dll");
  const Window show = WaitForWindow(kCaption);
  ASSERT_NE(show, 0u);
  const Window box = WaitForWindow("Error");
  ASSERT_NE(box, 0u);
  EXPECT_EQ(TransientFor(box), show);  // it stands above the show
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
}

TEST(RendererStartTest, NoDisplayExitsWithOneAndSaysWhy) {
  qgtest::TempDir runtime;
  qgtest::ProcessOptions options;
  options.argv = {qgtest::BinDir() + "/Quiverglide.dll"};
  options.unset_env = {"DISPLAY"};
  options.env = {{"XDG_RUNTIME_DIR", runtime.path()}};
  options.stderr_path = runtime.path() + "/stderr.txt";
  qgtest::Process renderer(options);
  EXPECT_EQ(renderer.Wait(10s), std::optional<int>(1));
  EXPECT_NE(ReadFile(options.stderr_path).find("cannot open X display"), std::string::npos);
}

}  // namespace
