// The spine's start-up order, message loop and window procedure, run against
// the scripted platform. No GL context is current here: the scene's GL calls
// go to the GL library's no-context stubs and only the spine is observed.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "fake_platform.h"
#include "renderer_app.h"
#include "scene.h"
#include "snapshot_path.h"

namespace {

// The window's creation, with the GL format it is made with.
const std::string kOpenTarget = "OpenTarget Wobblevista_VC 1024x768 rgba=1 double=1 colour=16 depth=16";

RendererMessage Msg(uint32_t message, uintptr_t wParam = 0, intptr_t lParam = 0) {
  return RendererMessage{message, wParam, lParam};
}

class SpineTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetSceneState(); }
  void TearDown() override { ResetSceneState(); }

  // Index of the first call equal to name; fails the test when absent.
  static size_t IndexOf(const std::vector<std::string>& calls, const std::string& name) {
    auto it = std::find(calls.begin(), calls.end(), name);
    EXPECT_NE(it, calls.end()) << "missing call: " << name;
    return static_cast<size_t>(it - calls.begin());
  }
  static int CountOf(const std::vector<std::string>& calls, const std::string& name) {
    return static_cast<int>(std::count(calls.begin(), calls.end(), name));
  }
};

TEST_F(SpineTest, EscapeEndsTheShowAfterStartUpAndTeardownInOrder) {
  FakePlatform p;
  p.eventsAfterFrame[3] = {Msg(kMsgKeyDown, kKeyEscape)};
  EXPECT_EQ(RendererMain(p), 0);
  EXPECT_EQ(p.frames, 3);  // the Escape is taken before a fourth frame

  const std::vector<std::string> startUp = {
      "Connect",
      "ReadDisplayMode",
      "SwitchDisplayMode 1024x768",
      "HideCursor",
      kOpenTarget,
      "HoldOffScreenSaver",
      "ClientSize",
      "HasPixelFormat",
      "CreateContext",
  };
  ASSERT_GE(p.calls.size(), startUp.size());
  EXPECT_EQ(std::vector<std::string>(p.calls.begin(), p.calls.begin() + startUp.size()), startUp);

  const std::vector<std::string> teardown = {"DestroyContext", "CloseTarget",      "RestoreDisplayMode",
                                             "ShowCursor",     "AllowScreenSaver", "Disconnect"};
  ASSERT_GE(p.calls.size(), teardown.size());
  EXPECT_EQ(std::vector<std::string>(p.calls.end() - teardown.size(), p.calls.end()), teardown);
  // The paint of the new window was handled (marked painted) before the first frame.
  EXPECT_LT(IndexOf(p.calls, "MarkPainted"), IndexOf(p.calls, "Present"));
  EXPECT_EQ(ScenePieces, nullptr);  // the piece list went with the teardown
}

TEST_F(SpineTest, RefusedModeSwitchEndsWithZeroBeforeAnyFrame) {
  FakePlatform p;
  p.modeSwitchAccepted = false;
  EXPECT_EQ(RendererMain(p), 0);
  EXPECT_EQ(p.frames, 0);
  EXPECT_EQ(SpineStats().framesDrawn, 0u);
  // Start-up still completes, and the teardown puts the mode back.
  EXPECT_LT(IndexOf(p.calls, "CreateContext"), IndexOf(p.calls, "CloseTarget"));
  EXPECT_LT(IndexOf(p.calls, "CloseTarget"), IndexOf(p.calls, "RestoreDisplayMode"));
  EXPECT_EQ(CountOf(p.calls, "ShowCursor"), 1);
  // The quit was posted before the window's paint arrived, so it came first.
  EXPECT_EQ(CountOf(p.calls, "MarkPainted"), 0);
}

TEST_F(SpineTest, NoDisplayOrNoWindowExitsWithOneAndRestores) {
  {
    FakePlatform p;
    p.displayAvailable = false;
    EXPECT_EQ(RendererMain(p), 1);
    EXPECT_EQ(p.calls, std::vector<std::string>{"Connect"});
  }
  {
    FakePlatform p;
    p.windowCreatable = false;
    EXPECT_EQ(RendererMain(p), 1);
    EXPECT_EQ(p.frames, 0);
    EXPECT_EQ(CountOf(p.calls, "CreateContext"), 0);  // no scene without a window
    EXPECT_LT(IndexOf(p.calls, kOpenTarget), IndexOf(p.calls, "RestoreDisplayMode"));
    EXPECT_EQ(CountOf(p.calls, "ShowCursor"), 1);
    EXPECT_EQ(p.calls.back(), "Disconnect");
  }
}

TEST_F(SpineTest, WindowProcedureTableOnlyEscapeAndCloseEndTheShow) {
  FakePlatform p;
  p.eventsAfterFrame[2] = {Msg(kMsgKeyDown, 'A'),
                           Msg(kMsgKeyDown, 0x0D),
                           Msg(kMsgKeyUp, kKeyEscape),  // a release is not a press
                           Msg(kMsgMouseMove, 0, 0x00100010),
                           Msg(kMsgButtonDown, 0, 0),
                           Msg(kMsgSize, 0, (600 << 16) | 800),
                           Msg(kMsgPaint),
                           Msg(kMsgSysCommand, kSysCommandScreenSave),
                           Msg(kMsgSysCommand, 0xF060),
                           Msg(0x1234)};
  p.eventsAfterFrame[5] = {Msg(kMsgClose)};
  EXPECT_EQ(RendererMain(p), 0);
  EXPECT_EQ(p.frames, 5);

  // Unhandled messages get the default processing; handled ones do not.
  std::vector<std::string> defaults;
  for (const std::string& c : p.calls)
    if (c.rfind("Default ", 0) == 0) defaults.push_back(c);
  EXPECT_EQ(defaults, (std::vector<std::string>{"Default " + std::to_string(kMsgKeyUp),
                                                "Default " + std::to_string(kMsgMouseMove),
                                                "Default " + std::to_string(kMsgButtonDown),
                                                "Default " + std::to_string(kMsgSysCommand), "Default 4660"}));
  EXPECT_EQ(CountOf(p.calls, "MarkPainted"), 2);  // the first exposure and the posted paint
  // All ten waiting messages went before the third frame.
  size_t thirdSwap = 0;
  int seen = 0;
  for (size_t i = 0; i < p.calls.size(); ++i)
    if (p.calls[i] == "Present" && ++seen == 3) thirdSwap = i;
  EXPECT_LT(IndexOf(p.calls, "Default 4660"), thirdSwap);
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
  ASSERT_FALSE(p.loader.askedPaths.empty());
  EXPECT_EQ(p.loader.askedPaths.front(), "/nonexistent-runtime-dir/kestrow/Wobblevista.bmp");
  EXPECT_TRUE(p.loader.boxes.empty());
}

}  // namespace
