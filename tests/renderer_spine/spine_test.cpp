// The spine's start-up order, message loop and window procedure, run against
// the scripted platform. No GL context is current here: the scene's GL calls
// go to the GL library's no-context stubs and only the spine is observed.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "fake_platform.h"
#include "renderer_app.h"
#include "scene.h"

namespace {

// The window's creation, with the GL format it is made with.
const std::string kOpenTarget = "OpenTarget Wobblevista_VC 1024x768 rgba=1 double=1 colour=16 depth=16";

RendererMessage Msg(uint32_t message, uintptr_t wParam = 0, intptr_t lParam = 0) {
  return RendererMessage{message, wParam, lParam};
}

// Index of the first call equal to name; fails the test when absent.
size_t IndexOf(const std::vector<std::string>& calls, const std::string& name) {
  const auto it = std::find(calls.begin(), calls.end(), name);
  EXPECT_NE(it, calls.end()) << "missing call: " << name;
  return static_cast<size_t>(it - calls.begin());
}

int CountOf(const std::vector<std::string>& calls, const std::string& name) {
  return static_cast<int>(std::count(calls.begin(), calls.end(), name));
}

class SpineTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetSceneState(); }
  void TearDown() override { ResetSceneState(); }
};

TEST_F(SpineTest, EscapeEndsTheShowAfterStartUpAndTeardownInOrder) {
  FakePlatform p;
  p.eventsAfterFrame[3] = {Msg(kMsgKeyDown, kKeyEscape)};
  EXPECT_EQ(RendererMain(p), 0);
  EXPECT_EQ(p.frames, 3);  // the Escape is taken before a fourth frame
  // The covers go up once the window is open and down before it closes.
  const std::vector<std::string> startUp = {"Connect",          "ReadDisplayMode", "SwitchDisplayMode 1024x768",
                                            "HideCursor",       kOpenTarget,       "Cover",
                                            "HoldOffScreenSaver", "ClientSize",    "HasPixelFormat",
                                            "CreateContext"};
  const std::vector<std::string> teardown = {"DestroyContext",     "Uncover",    "CloseTarget",
                                             "RestoreDisplayMode", "ShowCursor", "AllowScreenSaver",
                                             "Disconnect"};
  ASSERT_GE(p.calls.size(), startUp.size() + teardown.size());
  EXPECT_EQ(std::vector<std::string>(p.calls.begin(), p.calls.begin() + startUp.size()), startUp);
  EXPECT_EQ(std::vector<std::string>(p.calls.end() - teardown.size(), p.calls.end()), teardown);
  // The paint of the new window was handled (marked painted) before the first frame.
  EXPECT_LT(IndexOf(p.calls, "MarkPainted"), IndexOf(p.calls, "Present"));
  EXPECT_EQ(ScenePieces, nullptr);  // the piece list went with the teardown
}

TEST_F(SpineTest, RefusedSwitchEndsWithZeroAndNoDisplayOrWindowWithOne) {
  FakePlatform refused;
  refused.modeSwitchAccepted = false;
  EXPECT_EQ(RendererMain(refused), 0);
  EXPECT_EQ(refused.frames, 0);
  EXPECT_EQ(SpineStats().framesDrawn, 0u);
  // Start-up still completes, and the teardown puts the mode back.
  EXPECT_LT(IndexOf(refused.calls, "CreateContext"), IndexOf(refused.calls, "CloseTarget"));
  EXPECT_LT(IndexOf(refused.calls, "CloseTarget"), IndexOf(refused.calls, "RestoreDisplayMode"));
  EXPECT_EQ(CountOf(refused.calls, "ShowCursor"), 1);
  // The quit was posted before the window's paint arrived, so it came first.
  EXPECT_EQ(CountOf(refused.calls, "MarkPainted"), 0);

  FakePlatform noDisplay;
  noDisplay.displayAvailable = false;
  EXPECT_EQ(RendererMain(noDisplay), 1);
  EXPECT_EQ(noDisplay.calls, std::vector<std::string>{"Connect"});

  FakePlatform noWindow;
  noWindow.windowCreatable = false;
  EXPECT_EQ(RendererMain(noWindow), 1);
  EXPECT_EQ(noWindow.frames, 0);
  // No scene and no covers without a window; the mode and cursor come back.
  EXPECT_EQ(CountOf(noWindow.calls, "CreateContext") + CountOf(noWindow.calls, "Cover"), 0);
  EXPECT_LT(IndexOf(noWindow.calls, kOpenTarget), IndexOf(noWindow.calls, "RestoreDisplayMode"));
  EXPECT_EQ(CountOf(noWindow.calls, "ShowCursor"), 1);
  EXPECT_EQ(noWindow.calls.back(), "Disconnect");
}

TEST_F(SpineTest, WindowProcedureTableOnlyEscapeAndCloseEndTheShow) {
  // Each message, and whether it is left to the default processing.
  const std::pair<RendererMessage, bool> table[] = {
      {Msg(kMsgKeyDown, 'A'), false},
      {Msg(kMsgKeyDown, 0x0D), false},
      {Msg(kMsgKeyUp, kKeyEscape), true},  // a release is not a press
      {Msg(kMsgMouseMove, 0, 0x00100010), true},
      {Msg(kMsgButtonDown, 0, 0), true},
      {Msg(kMsgSize, 0, (600 << 16) | 800), false},
      {Msg(kMsgPaint), false},
      {Msg(kMsgSysCommand, kSysCommandScreenSave), false},
      {Msg(kMsgSysCommand, 0xF060), true},
      {Msg(0x1234), true}};
  FakePlatform p;
  std::vector<std::string> defaults;
  for (const auto& [message, byDefault] : table) {
    p.eventsAfterFrame[2].push_back(message);
    if (byDefault) defaults.push_back("Default " + std::to_string(message.message));
  }
  p.eventsAfterFrame[5] = {Msg(kMsgClose)};
  EXPECT_EQ(RendererMain(p), 0);
  EXPECT_EQ(p.frames, 5);

  std::vector<std::string> seen;
  std::copy_if(p.calls.begin(), p.calls.end(), std::back_inserter(seen),
               [](const std::string& c) { return c.rfind("Default ", 0) == 0; });
  EXPECT_EQ(seen, defaults);
  EXPECT_EQ(CountOf(p.calls, "MarkPainted"), 2);  // the first exposure and the posted paint
  // All ten waiting messages went before the third frame.
  size_t thirdFrame = 0;
  for (int seenFrames = 0; seenFrames < 3; ++thirdFrame) seenFrames += p.calls[thirdFrame] == "Present";
  EXPECT_LT(IndexOf(p.calls, "Default 4660"), thirdFrame);
}

TEST_F(SpineTest, SnapshotIsLookedForAtTheSharedPathWithoutAMessage) {
  const char* old = std::getenv("XDG_RUNTIME_DIR");
  const std::string saved = old ? old : "";
  setenv("XDG_RUNTIME_DIR", "/nonexistent-runtime-dir", 1);
  FakePlatform p;
  p.eventsAfterFrame[1] = {Msg(kMsgKeyDown, kKeyEscape)};
  EXPECT_EQ(RendererMain(p), 0);
  if (old) setenv("XDG_RUNTIME_DIR", saved.c_str(), 1);
  else unsetenv("XDG_RUNTIME_DIR");
  ASSERT_FALSE(p.askedPaths.empty());
  EXPECT_EQ(p.askedPaths.front(), "/nonexistent-runtime-dir/kestrow/Wobblevista.bmp");
  EXPECT_TRUE(p.boxes.empty());
}

}  // namespace
