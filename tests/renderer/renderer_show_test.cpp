// Quiverglide.dll end to end on Xvfb: what it draws (read back from the
// screen), what ends it and what does not, and its error box.
#include "renderer_run.h"

#include <X11/Xutil.h>

#include <thread>

namespace {

// Two shows on one server, a good snapshot and a broken one, and a start on a
// display that is not there.
using RendererShowTest = OnTestServer;

TEST_F(RendererShowTest, KnownSnapshotIsShownUntilEscapeABrokenOneGivesTheErrorBoxAndNoDisplayEndsWithOne) {
  StartServer();
  // An odd width (rows not 4-byte aligned once packed for GL) must come out exact.
  WriteSnapshot(TwoColourBitmap(1022, 766, kBlue, kOrange));
  auto renderer = Start("Quiverglide.dll");
  Window show = WaitForWindow(kCaption, 10s);
  ASSERT_NE(show, 0u) << Stderr();
  ASSERT_TRUE(WaitUntil([&] { return SheetsShow(kBlue, kOrange); }, 10s)) << Describe();
  // Between the far edges of floor and canopy lies the empty black distance.
  EXPECT_TRUE(BlockIs(512, 423, Rgb{})) << ToString(Pixel(512, 423));
  EXPECT_EQ(WindowSize(show), std::make_pair(1024, 768));
  // The server's own saver stays off for the show, however idle the user.
  SetSaverTimeout(1);
  std::this_thread::sleep_for(2500ms);
  EXPECT_FALSE(SaverOn());
  // Only Escape ends it: other keys, the pointer and its buttons do not.
  for (const char* key : {"a", "Return", "space"}) Key(key);
  MoveTo(100, 100);
  XTestFakeButtonEvent(display(), 1, True, CurrentTime);
  XTestFakeButtonEvent(display(), 1, False, CurrentTime);
  XSync(display(), False);
  EXPECT_FALSE(renderer->Wait(500ms).has_value()) << "the show ended on other input";
  Key("Escape");
  EXPECT_EQ(renderer->Wait(10s), std::optional<int>(0));
  EXPECT_EQ(FindWindowByCaption(kCaption), 0u);
  // ... and works again after it.
  EXPECT_TRUE(WaitUntil([&] { return SaverOn(); }, 5s));
  EXPECT_EQ(Stderr(), "");

  std::string bytes = TwoColourBitmap(64, 64, kBlue, kOrange);
  bytes[14] = 108;  // a header of a size the loader does not know
  WriteSnapshot(bytes);
  SetSaverTimeout(0);  // the saver off again, so that the box is seen
  XForceScreenSaver(display(), ScreenSaverReset);
  renderer = Start("Quiverglide.dll");
  show = WaitForWindow(kCaption, 10s);
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

}  // namespace
