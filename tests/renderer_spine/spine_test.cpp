// The spine's start-up, message loop, window procedure and teardown, run
// against a scripted platform. No GL context is current here: the scene's GL
// calls go to the GL library's no-context stubs and only the spine is observed.
#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <map>

#include "covered_target.h"
#include "renderer_app.h"
#include "renderer_platform.h"
#include "scene.h"
#include "snapshot_loader.h"

namespace {

// Every service in one object, so that one list records every call in order.
// Its window is the own-window show's, with covers over the other monitors;
// events are handed out once a given number of frames has been presented.
class FakePlatform final : public RendererPlatform,
                           public DisplayModeControl,
                           public DrawingTarget,
                           public MonitorCovers,
                           public EventSource,
                           public LoaderPlatform {
 public:
  FakePlatform() { ResetSceneState(); }  // each run starts and ends with a fresh scene
  ~FakePlatform() override { ResetSceneState(); }
  bool displayAvailable = true, modeSwitchAccepted = true, windowCreatable = true;
  std::map<int, std::vector<RendererMessage>> eventsAfterFrame;
  std::vector<std::string> calls;
  int frames = 0;

  bool Connect(std::string*) override { return Call("Connect", displayAvailable); }
  void Disconnect() override { Call("Disconnect"); }
  DisplayModeControl& DisplayMode() override { return *this; }
  void SetCursorVisible(bool visible) override { Call(visible ? "ShowCursor" : "HideCursor"); }
  DrawingTarget& Target() override { return covered_; }
  EventSource& Events() override { return *this; }
  LoaderPlatform& Loader() override { return *this; }
  void ShowErrorBox(const std::string&) override { Call("ShowErrorBox"); }

  bool ReadCurrent() override { return Call("ReadDisplayMode"); }
  bool SwitchTo(int w, int h) override { return Call("Switch " + Size(w, h), modeSwitchAccepted); }
  void Restore() override { Call("RestoreDisplayMode"); }

  bool Open(const std::string& title, int w, int h, const PixelFormatRequest& r) override {
    if (windowCreatable) pending_.push_back({kMsgPaint});  // a new window is exposed
    return Call("Open " + title + " " + Size(w, h) + " rgba=" + std::to_string(r.rgba) +
                    " double=" + std::to_string(r.doubleBuffer) + " colour=" + std::to_string(r.colourBits) +
                    " depth=" + std::to_string(r.depthBits),
                windowCreatable);
  }
  bool HasPixelFormat() override { return true; }
  void ClientSize(int* w, int* h) override { *w = 1024, *h = 768; }
  void MarkPainted() override { Call("MarkPainted"); }
  void HoldOffScreenSaver(bool hold) override { Call(hold ? "HoldOffScreenSaver" : "AllowScreenSaver"); }
  void Close() override { Call("Close"); }
  bool CreateContext() override { return Call("CreateContext"); }
  void DestroyContext() override { Call("DestroyContext"); }
  void PresentFrame() override {
    Call("Present");
    const std::vector<RendererMessage>& events = eventsAfterFrame[++frames];
    pending_.insert(pending_.end(), events.begin(), events.end());
    if (frames >= 10000) pending_.push_back({kMsgClose});  // a faulty loop must not spin for ever
  }
  void CoverOtherMonitors() override { Call("Cover"); }
  void Uncover() override { Call("Uncover"); }

  bool Next(RendererMessage* m) override {
    if (pending_.empty()) return false;
    *m = pending_.front();
    pending_.pop_front();
    return true;
  }
  intptr_t DefaultHandling(const RendererMessage& m) override {
    Call("Default " + std::to_string(m.message));
    return 77;
  }

  // No snapshot is there (where it is looked for is seen end to end).
  bool CanOpenForReading(const std::string&) override { return false; }
  std::unique_ptr<MappedFile> MapWholeFile(const std::string&) override { return nullptr; }

  // Where the first call `name` is (the list's end when there is none), and how many there are.
  size_t At(const std::string& name) const { return std::find(calls.begin(), calls.end(), name) - calls.begin(); }
  int Count(const std::string& name) const { return int(std::count(calls.begin(), calls.end(), name)); }
  // Whether both calls were made, a before b.
  bool Before(const std::string& a, const std::string& b) const { return At(a) < At(b) && At(b) < calls.size(); }

 private:
  static std::string Size(int w, int h) { return std::to_string(w) + "x" + std::to_string(h); }
  bool Call(const std::string& name, bool answer = true) {
    calls.push_back(name);
    return answer;
  }
  CoveredTarget covered_{*this, *this};
  std::deque<RendererMessage> pending_;
};

// The show's window, with the GL format it is made with.
const std::string kOpen = "Open Wobblevista_VC 1024x768 rgba=1 double=1 colour=16 depth=16";

TEST(SpineTest, EscapeEndsTheShowAndEverythingIsPutBackAroundTheWindow) {
  FakePlatform p;
  p.eventsAfterFrame[3] = {{kMsgKeyDown, kKeyEscape}};
  EXPECT_EQ(RendererMain(p), 0);
  EXPECT_EQ(p.frames, 3);  // the Escape is taken before a fourth frame
  // The window is made in the show's mode, without the cursor; the covers
  // and the context follow it, and the first paint is handled before a frame.
  for (const auto& [a, b] : std::vector<std::pair<std::string, std::string>>{
           {"ReadDisplayMode", "Switch 1024x768"}, {"Switch 1024x768", kOpen}, {"HideCursor", kOpen},
           {kOpen, "Cover"}, {"Cover", "CreateContext"}, {"HoldOffScreenSaver", "Present"},
           {"MarkPainted", "Present"},
           // Taken down the other way round: the mode and the cursor come back
           // once the window and its covers are gone.
           {"Present", "DestroyContext"}, {"DestroyContext", "Uncover"}, {"Uncover", "Close"},
           {"Close", "RestoreDisplayMode"}, {"Close", "ShowCursor"}, {"Close", "AllowScreenSaver"}})
    EXPECT_TRUE(p.Before(a, b)) << a << " before " << b;
  EXPECT_EQ(p.Count("ShowErrorBox"), 0);  // a missing snapshot is no error
  EXPECT_EQ(p.calls.front(), "Connect");
  EXPECT_EQ(p.calls.back(), "Disconnect");
  EXPECT_EQ(ScenePieces, nullptr);  // the piece list went with the teardown
}

TEST(SpineTest, RefusedSwitchEndsWithZeroAndNoDisplayOrWindowWithOne) {
  FakePlatform refused;
  refused.modeSwitchAccepted = false;
  EXPECT_EQ(RendererMain(refused), 0);
  EXPECT_EQ(refused.frames, 0);
  EXPECT_EQ(SpineStats().framesDrawn, 0u);
  // Start-up still completes, and the teardown puts the mode back.
  EXPECT_TRUE(refused.Before("CreateContext", "Close"));
  EXPECT_TRUE(refused.Before("Close", "RestoreDisplayMode"));
  EXPECT_EQ(refused.Count("ShowCursor"), 1);
  EXPECT_EQ(refused.Count("MarkPainted"), 0);  // the quit was posted before the window's paint arrived

  FakePlatform noDisplay;
  noDisplay.displayAvailable = false;
  EXPECT_EQ(RendererMain(noDisplay), 1);
  EXPECT_EQ(noDisplay.calls, std::vector<std::string>{"Connect"});

  FakePlatform noWindow;
  noWindow.windowCreatable = false;
  EXPECT_EQ(RendererMain(noWindow), 1);
  EXPECT_EQ(noWindow.frames, 0);
  // No scene and no covers without a window; the mode and cursor come back.
  EXPECT_EQ(noWindow.Count("CreateContext") + noWindow.Count("Cover"), 0);
  EXPECT_TRUE(noWindow.Before(kOpen, "RestoreDisplayMode"));
  EXPECT_EQ(noWindow.Count("ShowCursor"), 1);
  EXPECT_EQ(noWindow.calls.back(), "Disconnect");
}

TEST(SpineTest, WindowProcedureTableOnlyEscapeAndCloseEndTheShow) {
  // Each message, and whether it is left to the default processing.
  const std::pair<RendererMessage, bool> table[] = {
      {{kMsgKeyDown, 'A'}, false},
      {{kMsgKeyDown, 0x0D}, false},
      {{kMsgKeyUp, kKeyEscape}, true},  // a release is not a press
      {{kMsgMouseMove, 0, 0x00100010}, true},
      {{kMsgButtonDown, 0, 0}, true},
      {{kMsgSize, 0, (600 << 16) | 800}, false},
      {{kMsgPaint}, false},
      {{kMsgSysCommand, kSysCommandScreenSave}, false},
      {{kMsgSysCommand, 0xF060}, true},
      {{0x1234}, true}};
  FakePlatform p;
  std::vector<std::string> defaults;
  for (const auto& [message, byDefault] : table) {
    p.eventsAfterFrame[2].push_back(message);
    if (byDefault) defaults.push_back("Default " + std::to_string(message.message));
  }
  p.eventsAfterFrame[5] = {{kMsgClose}};
  EXPECT_EQ(RendererMain(p), 0);
  EXPECT_EQ(p.frames, 5);

  std::vector<std::string> seen;
  std::copy_if(p.calls.begin(), p.calls.end(), std::back_inserter(seen),
               [](const std::string& c) { return c.rfind("Default ", 0) == 0; });
  EXPECT_EQ(seen, defaults);
  EXPECT_EQ(p.Count("MarkPainted"), 2);  // the first exposure and the posted paint
  // All ten waiting messages went before the third frame.
  size_t thirdFrame = 0;
  for (int frames = 0; frames < 3; ++thirdFrame) frames += p.calls[thirdFrame] == "Present";
  EXPECT_LT(p.At("Default 4660"), thirdFrame);
}

}  // namespace
