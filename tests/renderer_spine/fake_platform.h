// A scripted stand-in for the windowing system: it records every platform
// call in order, counts frames by their presentation, and hands out events
// when a given frame has been drawn. Its window is shown as the own-window
// show is, with covers over the other monitors.
#pragma once

#include <deque>
#include <map>
#include <string>
#include <vector>

#include "covered_target.h"
#include "renderer_platform.h"
#include "snapshot_loader.h"

// All the platform's services in one object, so that one list records every
// call in order.
class FakePlatform final : public RendererPlatform,
                           public DisplayModeControl,
                           public DrawingTarget,
                           public MonitorCovers,
                           public EventSource,
                           public LoaderPlatform {
 public:
  // What the fake answers.
  bool displayAvailable = true;
  bool modeSwitchAccepted = true;
  bool windowCreatable = true;
  // Events handed out once this many frames have been presented; a close
  // request after 10000, so that a faulty loop cannot spin for ever.
  std::map<int, std::vector<RendererMessage>> eventsAfterFrame;

  std::vector<std::string> calls;
  std::vector<std::string> askedPaths, boxes;
  int frames = 0;

  // The platform.
  bool Connect(std::string*) override { return Call("Connect", displayAvailable); }
  void Disconnect() override { Call("Disconnect"); }
  DisplayModeControl& DisplayMode() override { return *this; }
  void SetCursorVisible(bool visible) override { Call(visible ? "ShowCursor" : "HideCursor"); }
  DrawingTarget& Target() override { return covered_; }
  EventSource& Events() override { return *this; }
  LoaderPlatform& Loader() override { return *this; }
  // For the renderer and its loader alike.
  void ShowErrorBox(const std::string& text) override { boxes.push_back(text); }

  // The display mode.
  bool ReadCurrent() override { return Call("ReadDisplayMode", true); }
  bool SwitchTo(int width, int height) override {
    return Call("SwitchDisplayMode " + std::to_string(width) + "x" + std::to_string(height), modeSwitchAccepted);
  }
  void Restore() override { Call("RestoreDisplayMode"); }

  // The drawing target and the covers.
  bool Open(const std::string& title, int w, int h, const PixelFormatRequest& r) override {
    if (windowCreatable) pending_.push_back(RendererMessage{kMsgPaint, 0, 0});  // a new window is exposed
    return Call("OpenTarget " + title + " " + std::to_string(w) + "x" + std::to_string(h) +
                    " rgba=" + std::to_string(r.rgba) + " double=" + std::to_string(r.doubleBuffer) +
                    " colour=" + std::to_string(r.colourBits) + " depth=" + std::to_string(r.depthBits),
                windowCreatable);
  }
  bool HasPixelFormat() override { return Call("HasPixelFormat", true); }
  void ClientSize(int* w, int* h) override {
    Call("ClientSize");
    *w = 1024;
    *h = 768;
  }
  void MarkPainted() override { Call("MarkPainted"); }
  void HoldOffScreenSaver(bool hold) override { Call(hold ? "HoldOffScreenSaver" : "AllowScreenSaver"); }
  void Close() override { Call("CloseTarget"); }
  bool CreateContext() override { return Call("CreateContext", true); }
  void DestroyContext() override { Call("DestroyContext"); }
  void PresentFrame() override {
    Call("Present");
    const auto it = eventsAfterFrame.find(++frames);
    if (it != eventsAfterFrame.end()) pending_.insert(pending_.end(), it->second.begin(), it->second.end());
    if (frames >= 10000) pending_.push_back(RendererMessage{kMsgClose, 0, 0});
  }
  void CoverOtherMonitors() override { Call("Cover"); }
  void Uncover() override { Call("Uncover"); }

  // The events.
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

  // The loader's file access: no file is there.
  bool CanOpenForReading(const std::string& path) override {
    askedPaths.push_back(path);
    return false;
  }
  std::unique_ptr<MappedFile> MapWholeFile(const std::string& path) override {
    askedPaths.push_back(path);
    return nullptr;
  }

 private:
  bool Call(const std::string& name, bool answer = true) {
    calls.push_back(name);
    return answer;
  }
  CoveredTarget covered_{*this, *this};
  std::deque<RendererMessage> pending_;
};
